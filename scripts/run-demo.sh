#!/usr/bin/env bash
# Until the desktop program exists, `make run` shows what the command-line front end offers.
set -euo pipefail
build=${1:-build}
"$build/cli/telvorctl" --help
