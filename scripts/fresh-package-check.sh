#!/usr/bin/env bash
# Proves the Debian package on a fresh Debian 12: builds it (make package), installs
# it with apt-get into a minimal Debian 12 root that has never seen the build
# dependencies (only what the package depends on comes along), runs the programs
# there (telvorctl against telvor-sim on a pty, the desktop programs on the offscreen
# platform), removes the package and finds nothing of it left in /usr. Takes
# minutes: it is not part of make test.
#
# Usage: scripts/fresh-package-check.sh
# Needs root (or sudo) and the Debian archive; the mirror is the one this machine's
# apt sources name (see scripts/fresh-root.sh). The whole log is kept in
# ${TMPDIR:-/tmp}/telvor-fresh-package-check.log.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
  exec sudo --preserve-env=DEBIAN_MIRROR,DEBIAN_SECURITY_MIRROR,TMPDIR "$0" "$@"
fi

here=$(cd "$(dirname "$0")/.." && pwd)
log=${TMPDIR:-/tmp}/telvor-fresh-package-check.log
: >"$log"
# shellcheck source=fresh-root.sh
source "$here/scripts/fresh-root.sh"

say() { printf 'fresh-package-check: %s\n' "$*" | tee -a "$log"; }

# Runs one step inside the root, its output into the log; a failed step ends the check.
step() {
  local what=$1
  shift
  printf '\n== %s\n' "$what" >>"$log"
  if ! in_root bash -c "$*" >>"$log" 2>&1; then
    tail -n 20 "$log"
    say "FAILED: $what; see $log"
    exit 1
  fi
}

say "building the package (make package)"
make -C "$here" package >>"$log" 2>&1 || { tail -n 20 "$log"; say "FAILED: make package; see $log"; exit 1; }
deb=$(ls "$here"/build-package/telvor_*.deb)

say "making a minimal Debian 12 root (log: $log)"
fresh_root_make "$log"
cp "$deb" "$root/tmp/"

say "installing $(basename "$deb") and running the programs"
step "apt-get install ./$(basename "$deb")" \
  'apt-get update -qq && cd /tmp && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends ./telvor_*.deb'
step "telvorctl --version" 'telvorctl --version'
step "telvorctl read from telvor-sim on a pty" '
  telvor-sim --link /tmp/line --stations 1-2 --station-model 2=3 --running 2=30 & sim=$!
  for _ in $(seq 50); do [ -e /tmp/line ] && break; sleep 0.1; done
  telvorctl read --station 2 --port /tmp/line -o /tmp/station2.vx3 && telvorctl show /tmp/station2.vx3 | head -n 4
  status=$?
  kill $sim; wait $sim
  exit $status'
step "telvorctl print (the page renderer)" \
  'telvorctl print /tmp/station2.vx3 -o /tmp/station2.pdf && head -c 8 /tmp/station2.pdf && echo'
step "Telvor --version (offscreen)" 'QT_QPA_PLATFORM=offscreen Telvor --version'
step "TelvorPDA --version (offscreen)" 'QT_QPA_PLATFORM=offscreen TelvorPDA --version'
step "the manual where Help finds it" 'ls -l /usr/share/doc/telvor/'
in_root dpkg -L telvor >"$root/tmp/telvor-files"

say "removing the package"
step "apt-get purge telvor" 'DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq telvor'
step "nothing of it left in /usr" '
  left=$(find /usr -iname "*telvor*"; while read -r path; do [ -f "$path" ] && echo "$path"; done </tmp/telvor-files)
  if [ -n "$left" ]; then echo "left behind:"; echo "$left"; exit 1; fi
  echo "nothing left"'

tail -n 24 "$log"
say "PASSED: the package installs, runs and goes without a trace on a fresh Debian 12 root ($(basename "$deb"))"
