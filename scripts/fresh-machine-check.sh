#!/usr/bin/env bash
# Proves the README on a fresh Debian 12: makes a minimal Debian 12 root
# (scripts/fresh-root.sh), clones this repository into it, installs only git and
# make, and runs `make test` there. Cleans up after itself, also when interrupted.
# Takes minutes: it is not part of make test.
#
# Usage: scripts/fresh-machine-check.sh [REF]   (default HEAD: what is committed)
#        scripts/fresh-machine-check.sh --mirrors [APT_DIR]   (prints the two archives it would use)
# Needs root (or sudo) and a Debian archive: the one this machine's own apt sources
# name (APT_DIR, default /etc/apt: sources.list, sources.list.d/*.list and *.sources),
# or DEBIAN_MIRROR and DEBIAN_SECURITY_MIRROR. The whole log is kept in
# ${TMPDIR:-/tmp}/telvor-fresh-machine-check.log.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=fresh-root.sh
source "$here/scripts/fresh-root.sh"

say() { printf 'fresh-machine-check: %s\n' "$*"; }

if [ "${1:-}" = "--mirrors" ]; then
  printf 'archive %s\nsecurity %s\n' "$(apt_uri archive "${2:-/etc/apt}")" "$(apt_uri security "${2:-/etc/apt}")"
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  exec sudo --preserve-env=DEBIAN_MIRROR,DEBIAN_SECURITY_MIRROR,TMPDIR "$0" "$@"
fi

rev=$(git -C "$here" rev-parse --verify "${1:-HEAD}^{commit}")
log=${TMPDIR:-/tmp}/telvor-fresh-machine-check.log
: >"$log"
say "making a minimal Debian 12 root (log: $log)"
fresh_root_make "$log"

say "installing git and make"
in_root apt-get update -qq >>"$log" 2>&1
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends git make >>"$log" 2>&1

say "cloning $rev"
git clone -q --no-checkout "$here" "$root/root/telvor"
git -C "$root/root/telvor" checkout -q "$rev"

say "running make test on the fresh root"
status=0
in_root bash -c 'cd /root/telvor && make test' >>"$log" 2>&1 || status=$?
tail -n 20 "$log"
if [ "$status" -eq 0 ]; then
  say "PASSED: make test on a fresh Debian 12 root with only git and make added ($rev)"
else
  say "FAILED: make test ended with status $status on a fresh Debian 12 root ($rev); see $log"
fi
exit "$status"
