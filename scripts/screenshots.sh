#!/usr/bin/env bash
# Pictures of Telvor for docs/ and the manual: Model Select, the main window with
# a set read from a simulated drive and its Changed only view, the Link, Read and Write dialogs, a range
# message, About, a printed page, the Definite parameter dialog, a compare
# document, the station titles, the two monitor windows, the single one's trend and
# the handheld edition, rendered on an Xvfb screen.
# Usage: scripts/screenshots.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
build=${1:-build}
out=${2:-docs}
tool="$build/tests/gui/gui_screenshots"
[ -x "$tool" ] || { echo "screenshots: $tool is missing; build first (make build)" >&2; exit 1; }
command -v xvfb-run >/dev/null || { echo "screenshots: xvfb-run is missing (scripts/install-deps.sh)" >&2; exit 1; }
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" "$tool" "$out"
# The handheld edition in its pocket-sized window.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" "$build/tests/handheld/handheld_screenshots" "$out"
# The first printed page of the read set, as poppler renders the PDF.
pdftoppm -png -r 90 -f 1 -l 1 -singlefile "$out/print-page.pdf" "$out/print-page"
rm -f "$out/print-page.pdf"
