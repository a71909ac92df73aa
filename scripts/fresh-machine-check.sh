#!/usr/bin/env bash
# Proves the README on a fresh Debian 12: makes a minimal Debian 12 root with
# debootstrap in a temporary folder, mounts /dev (for ptys), /proc and /sys into it,
# clones this repository into it, installs only git and make, and runs `make test`
# there. Cleans up after itself, also when interrupted. Takes minutes: it is not
# part of make test.
#
# Usage: scripts/fresh-machine-check.sh [REF]   (default HEAD: what is committed)
# Needs root (or sudo) and the Debian archive. The whole log is kept in
# ${TMPDIR:-/tmp}/telvor-fresh-machine-check.log.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
  exec sudo --preserve-env=DEBIAN_MIRROR,DEBIAN_SECURITY_MIRROR,TMPDIR "$0" "$@"
fi

here=$(cd "$(dirname "$0")/.." && pwd)
rev=$(git -C "$here" rev-parse --verify "${1:-HEAD}^{commit}")
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
security=${DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
log=${TMPDIR:-/tmp}/telvor-fresh-machine-check.log
root=""

say() { printf 'fresh-machine-check: %s\n' "$*"; }

mounts_under() { findmnt -rn -o TARGET | grep -E "^$1(/|$)" | sort -r || true; }

cleanup() {
  local status=$?
  trap - EXIT INT TERM
  set +e
  if [ -n "$root" ] && [ -d "$root" ]; then
    # Whatever still runs inside (a simulator a test left behind) goes first.
    for proc in /proc/[0-9]*; do
      [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] && kill -9 "${proc#/proc/}" 2>/dev/null || true
    done
    for target in $(mounts_under "$root"); do umount -l "$target" 2>/dev/null || true; done
    if [ -n "$(mounts_under "$root")" ]; then
      say "could not unmount everything under $root; it is left in place"
    else
      rm -rf --one-file-system "$root"
    fi
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'say "interrupted"; exit 130' INT TERM

if ! command -v debootstrap >/dev/null; then
  say "installing debootstrap"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

root=$(mktemp -d /var/tmp/telvor-fresh.XXXXXX)
: >"$log"
say "making a minimal Debian 12 root in $root (log: $log)"
debootstrap --variant=minbase bookworm "$root" "$mirror" >>"$log" 2>&1

cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
EOF
cp /etc/resolv.conf "$root/etc/resolv.conf"
# No service may start inside the root.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"

mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --make-rslave "$root/sys"
mount --rbind /dev "$root/dev"
# A slave mount: unmounting it later never reaches the host's /dev.
mount --make-rslave "$root/dev"

in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

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
