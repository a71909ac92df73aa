#!/usr/bin/env bash
# make bench: line-speed benchmarks against the simulator.
set -euo pipefail
build=${1:-build}
"$build/bench/exchange_bench" "$build/sim/telvor-sim" 38400 100
