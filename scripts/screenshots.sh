#!/usr/bin/env bash
# Pictures of Telvor for docs/: the main window with a set read from a simulated
# drive, the Link dialog, a range message, the Definite parameter dialog and a
# compare document, rendered on an Xvfb screen.
# Usage: scripts/screenshots.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
build=${1:-build}
out=${2:-docs}
tool="$build/tests/gui/gui_screenshots"
[ -x "$tool" ] || { echo "screenshots: $tool is missing; build first (make build)" >&2; exit 1; }
command -v xvfb-run >/dev/null || { echo "screenshots: xvfb-run is missing (scripts/install-deps.sh)" >&2; exit 1; }
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" "$tool" "$out"
