#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a number of seconds each, seeded with
# a copy of tests/data, and reports per target the inputs run and whether it crashed.
#   scripts/fuzz.sh BUILD_DIR SECONDS
set -uo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_DIR SECONDS" >&2
  exit 2
fi
build=$1
seconds=$2
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/telvor-fuzz.XXXXXX)
trap 'rm -rf "$work"' EXIT

shopt -s nullglob
targets=("$build"/tests/fuzz/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets in $build/tests/fuzz" >&2
  exit 1
fi

failed=0
for target in "${targets[@]}"; do
  [ -x "$target" ] && [ -f "$target" ] || continue
  name=$(basename "$target")
  corpus=$work/$name/corpus
  artifacts=$work/$name/artifacts
  mkdir -p "$corpus" "$artifacts"
  cp "$here"/tests/data/* "$corpus"/
  log=$work/$name/log
  "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$corpus" >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  crashes=("$artifacts"/*)
  if [ $status -ne 0 ] || [ ${#crashes[@]} -ne 0 ]; then
    failed=1
    echo "$name: ${runs:-?} runs, CRASH (exit $status)"
    mkdir -p "$build/fuzz-findings/$name"
    cp "$artifacts"/* "$build/fuzz-findings/$name"/ 2>/dev/null
    cp "$log" "$build/fuzz-findings/$name/log"
    echo "  inputs and log kept in $build/fuzz-findings/$name"
  else
    echo "$name: ${runs:-?} runs, no crash"
  fi
done
exit $failed
