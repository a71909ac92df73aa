#!/usr/bin/env bash
# Installs, for the current user only, a desktop entry for Telvor with its icon,
# the MIME type of parameter files (*.vx3), so that a file manager opens them in
# Telvor, and the manual (TelvorPC.html) in the program folder, where Help finds it.
# Run it on request: ./scripts/install-desktop.sh [BUILD_DIR]; --remove undoes it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
entry="$data/applications/telvor.desktop"
mime="$data/mime/packages/telvor-mime.xml"
icon="$data/icons/hicolor/scalable/apps/telvor.svg"
# The program folder, as Telvor finds it.
program=${TELVOR_HOME:-${XDG_CONFIG_HOME:-$HOME/.config}/telvor}
help_file="$program/TelvorPC.html"

refresh() {
  command -v update-mime-database >/dev/null && update-mime-database "$data/mime" || true
  command -v update-desktop-database >/dev/null && update-desktop-database "$data/applications" || true
}

if [ "${1:-}" = "--remove" ]; then
  rm -f "$entry" "$mime" "$icon" "$help_file"
  refresh
  echo "removed $entry, $mime, $icon and $help_file"
  exit 0
fi

build=${1:-build}
telvor=$(cd "$build/app/qt" 2>/dev/null && pwd)/Telvor
[ -x "$telvor" ] || { echo "install-desktop: $build/app/qt/Telvor is missing; build first (make build)" >&2; exit 1; }
[ -f "$build/app/qt/TelvorPC.html" ] || { echo "install-desktop: $build/app/qt/TelvorPC.html is missing; build first" >&2; exit 1; }
mkdir -p "$data/applications" "$data/mime/packages" "$(dirname "$icon")" "$program"
sed "s|@TELVOR@|$telvor|" "$here/desktop/telvor.desktop.in" > "$entry"
cp "$here/desktop/telvor-mime.xml" "$mime"
cp "$here/../app/qt/icons/telvor.svg" "$icon"
cp "$build/app/qt/TelvorPC.html" "$help_file"
refresh
command -v xdg-mime >/dev/null && xdg-mime default telvor.desktop application/x-varnoxlink-document || true
echo "installed $entry, $mime, $icon and $help_file"
