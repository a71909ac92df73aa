#!/usr/bin/env bash
# make bench: line-speed benchmarks against the simulator.
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")/.." && pwd)
"$build/bench/exchange_bench" "$build/sim/telvor-sim" 38400 100
# The flows: full read against the line limit, pymodbus and gap-ended reads; full write; scan of 1-10.
"$build/bench/telvor-bench" "$build/sim/telvor-sim" "$here/bench/pymodbus_read.py" "${BENCH_RUNS:-5}"
# The full read from a station that misses every second or third request, beside the clean read.
"$build/bench/telvor-lossy-bench" "$build/sim/telvor-sim" "${BENCH_RUNS:-5}" "${BENCH_LOSSY_RUNS:-1}"
# Block reads and write with verify against their line limits; telvorctl backup of 10 stations.
"$build/bench/telvor-block-bench" "$build/sim/telvor-sim" "$build/cli/telvorctl" "${BENCH_RUNS:-5}"
# The full read through ser2net's raw TCP beside the direct read; telvorctl backup of four lines at once.
"$build/bench/telvor-network-bench" "$build/sim/telvor-sim" "$build/cli/telvorctl" /usr/sbin/ser2net "${BENCH_RUNS:-5}"
# The monitor: one station's tick and a page of five stations against the line limit.
"$build/bench/telvor-monitor-bench" "$build/sim/telvor-sim" "${BENCH_TICKS:-20}"
# Whole-process time of telvorctl settings against a program without Qt, and of print.
"$build/bench/telvor-start-bench" "$build/cli/telvorctl" "$build/sim/telvor-sim" \
  "$here/tests/data/parameter_model8_60hz.vx3" "${BENCH_START_RUNS:-20}"
# The single-station window's trend with a day of polls: redraw after zoom or pan, and the tick.
if [ -x "$build/bench/telvor-trend-bench" ]; then
  QT_QPA_PLATFORM=offscreen "$build/bench/telvor-trend-bench" "$build/sim/telvor-sim" "${BENCH_TICKS:-20}"
fi
# telvorctl's quick scan of 1-254 with three drives and detect of a drive's line format.
"$build/bench/telvor-survey-bench" "$build/cli/telvorctl" "$build/sim/telvor-sim" \
  "$build/tests/link/libtelvor_line_format_preload.so" "${BENCH_SURVEY_RUNS:-3}"
