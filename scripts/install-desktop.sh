#!/usr/bin/env bash
# Installs, for the current user only, a desktop entry for Telvor and the MIME
# type of parameter files (*.vx3), so that a file manager opens them in Telvor.
# Run it on request: ./scripts/install-desktop.sh [BUILD_DIR]; --remove undoes it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
entry="$data/applications/telvor.desktop"
mime="$data/mime/packages/telvor-mime.xml"
icon="$data/icons/hicolor/scalable/apps/telvor.svg"

refresh() {
  command -v update-mime-database >/dev/null && update-mime-database "$data/mime" || true
  command -v update-desktop-database >/dev/null && update-desktop-database "$data/applications" || true
}

if [ "${1:-}" = "--remove" ]; then
  rm -f "$entry" "$mime" "$icon"
  refresh
  echo "removed $entry, $mime and $icon"
  exit 0
fi

build=${1:-build}
telvor=$(cd "$build/app/qt" 2>/dev/null && pwd)/Telvor
[ -x "$telvor" ] || { echo "install-desktop: $build/app/qt/Telvor is missing; build first (make build)" >&2; exit 1; }
mkdir -p "$data/applications" "$data/mime/packages" "$(dirname "$icon")"
sed "s|@TELVOR@|$telvor|" "$here/desktop/telvor.desktop.in" > "$entry"
cp "$here/desktop/telvor-mime.xml" "$mime"
cp "$here/../app/qt/icons/telvor.svg" "$icon"
refresh
command -v xdg-mime >/dev/null && xdg-mime default telvor.desktop application/x-varnoxlink-document || true
echo "installed $entry, $mime and $icon"
