#!/usr/bin/env bash
# Line-speed figures: telvor-bench against telvor-sim at 38400 baud.
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")/.." && pwd)
"$build/bench/telvor-bench" "$build/sim/telvor-sim" "$here/bench/pymodbus_read.py" "${BENCH_RUNS:-5}"
