#!/usr/bin/env bash
# Starts Telvor (or the program that TELVOR_DEMO_PROGRAM names under the build) on
# a simulated line of drives: telvor-sim serves stations 1 to 3 (three different
# models) on a pty, a temporary program folder points COM1 at it and holds the
# manual, and the simulator stops when the program exits.
set -euo pipefail
build=${1:-build}
telvor="$build/${TELVOR_DEMO_PROGRAM:-app/qt/Telvor}"
sim="$build/sim/telvor-sim"
for program in "$telvor" "$sim"; do
  [ -x "$program" ] || { echo "run-demo: $program is missing; build first (make build)" >&2; exit 1; }
done
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run-demo: no display; run it on a desktop, or under xvfb-run (xvfb-run -a make run)" >&2
  exit 1
fi

demo=$(mktemp -d "${TMPDIR:-/tmp}/telvor-demo.XXXXXX")
sim_pid=""
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$demo"
}
trap cleanup EXIT INT TERM

mkdir -p "$demo/home/ports"
"$sim" --link "$demo/line" --stations 1-3 --station-model 1=8 --station-model 2=3 --station-model 3=10 \
  --running 1=50 --running 2=30 --running 3=15.5 --baud 38400 --log "$demo/frames.log" &
sim_pid=$!
for _ in $(seq 50); do
  [ -e "$demo/line" ] && break
  kill -0 "$sim_pid" 2>/dev/null || { echo "run-demo: telvor-sim did not start" >&2; exit 1; }
  sleep 0.1
done
[ -e "$demo/line" ] || { echo "run-demo: the simulated line did not appear" >&2; exit 1; }
ln -s "$demo/line" "$demo/home/ports/COM1"
# The manual that Help > Contents (F1) opens.
[ -f "$build/app/qt/TelvorPC.html" ] && cp "$build/app/qt/TelvorPC.html" "$demo/home/"

echo "Simulated line on COM1: station 1 KRV-075-43, station 2 KRV-020-21, station 3 KRV-220-43."
echo "The three drives run at 50, 30 and 15.5 Hz. Link with the default setting and station 1 (or 1-3,"
echo "or All of the Inverter), then Read, or Monitor to watch and command them."
TELVOR_HOME="$demo/home" "$telvor" "${@:2}"
