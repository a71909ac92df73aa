#!/bin/sh
# Runs a test program on an X display of its own: a fresh Xvfb screen without a window
# manager, where a shown window becomes the active one and really gets the keyboard
# focus. Xvfb picks a free display number itself, so parallel runs never collide.
set -u
command -v Xvfb >/dev/null || { echo "run_on_xvfb: Xvfb is missing (scripts/install-deps.sh)" >&2; exit 1; }
number=$(mktemp) || exit 1
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" 2>/dev/null &
server=$!
program=
trap 'kill $program "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$number"' EXIT
trap 'exit 143' TERM INT
tries=0
until [ -s "$number" ]; do
  if [ "$tries" -ge 100 ] || ! kill -0 "$server" 2>/dev/null; then
    echo "run_on_xvfb: Xvfb did not start" >&2
    exit 1
  fi
  sleep 0.1
  tries=$((tries + 1))
done
# Under the address sanitizer the D-Bus client that Qt's xcb platform loads keeps a buffer
# until exit; that one is not ours (xcb-leaks.supp), every other leak still fails the test.
LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$0")/xcb-leaks.supp" \
DISPLAY=":$(head -n 1 "$number")" QT_QPA_PLATFORM=xcb "$@" &
program=$!
wait "$program"
