#!/usr/bin/env bash
# Installs Telvor for the current user only, by the same install rules as the
# package, under ~/.local: the programs in ~/.local/bin, the desktop entries, the
# file types of *.vx3 and *.mvx, the icons, manual pages, completion and the
# manual, where Help finds it. Run it after a build:
#   ./scripts/install-desktop.sh [BUILD_DIR]; --remove [BUILD_DIR] undoes it.
set -euo pipefail
prefix=$HOME/.local

refresh() {
  command -v update-mime-database >/dev/null && update-mime-database "$prefix/share/mime" || true
  command -v update-desktop-database >/dev/null && update-desktop-database "$prefix/share/applications" || true
}

if [ "${1:-}" = "--remove" ]; then
  manifest=${2:-build}/install_manifest.txt
  [ -f "$manifest" ] || { echo "install-desktop: $manifest is missing: nothing was installed from there" >&2; exit 1; }
  xargs -d '\n' rm -f <"$manifest"
  rm -f "$manifest"
  refresh
  echo "removed what $manifest named"
  exit 0
fi

build=${1:-build}
[ -x "$build/app/qt/Telvor" ] || { echo "install-desktop: $build/app/qt/Telvor is missing; build first (make build)" >&2; exit 1; }
cmake --install "$build" --prefix "$prefix" >/dev/null
refresh
echo "installed under $prefix (the programs in $prefix/bin)"
