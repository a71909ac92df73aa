#!/usr/bin/env bash
# Proves the README on a fresh Debian 12: makes a minimal Debian 12 root with
# debootstrap in a temporary folder, mounts /dev (for ptys), /proc and /sys into it,
# clones this repository into it, installs only git and make, and runs `make test`
# there. Cleans up after itself, also when interrupted. Takes minutes: it is not
# part of make test.
#
# Usage: scripts/fresh-machine-check.sh [REF]   (default HEAD: what is committed)
#        scripts/fresh-machine-check.sh --mirrors [APT_DIR]   (prints the two archives it would use)
# Needs root (or sudo) and a Debian archive: the one this machine's own apt sources
# name (APT_DIR, default /etc/apt: sources.list, sources.list.d/*.list and *.sources),
# or DEBIAN_MIRROR and DEBIAN_SECURITY_MIRROR. The whole log is kept in
# ${TMPDIR:-/tmp}/telvor-fresh-machine-check.log.
set -euo pipefail

say() { printf 'fresh-machine-check: %s\n' "$*"; }

# The URI of the first enabled "deb" source under the apt folder whose suite is of the
# kind asked: "archive" (a release such as bookworm, stable or sid) or "security"
# (bookworm-security, or the older buster/updates). Both the one-line form and the
# deb822 form (*.sources) are read; nothing is printed when no source fits.
apt_uri() {
  local kind=$1 dir=$2 file
  local files=()
  for file in "$dir/sources.list" "$dir"/sources.list.d/*.list "$dir"/sources.list.d/*.sources; do
    if [ -f "$file" ]; then files+=("$file"); fi
  done
  [ ${#files[@]} -gt 0 ] || return 0
  awk -v kind="$kind" '
    function wanted(suite) {
      return kind == "security" ? suite ~ /(-security|\/updates)$/ : suite ~ /^[a-z]+$/
    }
    function usable(uri) { return uri ~ /^(https?|file):/ }
    function found(uri) { print uri; done = 1; exit }
    function reset() { field = ""; types = ""; uris = ""; suites = ""; enabled = "yes" }
    function flush(   u, s, n, m, i, j) {
      if (!done && types ~ /(^|[ \t])deb([ \t]|$)/ && enabled != "no") {
        n = split(uris, u); m = split(suites, s)
        for (i = 1; i <= n; i++) for (j = 1; j <= m; j++) if (usable(u[i]) && wanted(s[j])) found(u[i])
      }
      reset()
    }
    BEGIN { reset() }
    FNR == 1 { flush() }
    FILENAME ~ /\.sources$/ {
      if ($0 ~ /^#/) next
      if ($0 ~ /^[ \t]*$/) { flush(); next }
      value = $0
      if ($0 !~ /^[ \t]/) {
        colon = index($0, ":")
        if (colon == 0) next
        field = tolower(substr($0, 1, colon - 1))
        value = substr($0, colon + 1)
      }
      if (field == "types") types = types " " value
      else if (field == "uris") uris = uris " " value
      else if (field == "suites") suites = suites " " value
      else if (field == "enabled") { enabled = tolower(value); gsub(/[ \t]/, "", enabled) }
      next
    }
    {
      line = $0
      sub(/#.*/, "", line)
      gsub(/\[[^]]*\]/, " ", line)
      if (split(line, w) >= 3 && w[1] == "deb" && usable(w[2]) && wanted(w[3])) found(w[2])
    }
    END { if (!done) flush() }
  ' "${files[@]}"
}

if [ "${1:-}" = "--mirrors" ]; then
  printf 'archive %s\nsecurity %s\n' "$(apt_uri archive "${2:-/etc/apt}")" "$(apt_uri security "${2:-/etc/apt}")"
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  exec sudo --preserve-env=DEBIAN_MIRROR,DEBIAN_SECURITY_MIRROR,TMPDIR "$0" "$@"
fi

here=$(cd "$(dirname "$0")/.." && pwd)
rev=$(git -C "$here" rev-parse --verify "${1:-HEAD}^{commit}")
mirror=${DEBIAN_MIRROR:-$(apt_uri archive /etc/apt)}
security=${DEBIAN_SECURITY_MIRROR:-$(apt_uri security /etc/apt)}
if [ -z "$mirror" ]; then
  say "this machine's apt sources name no Debian archive; name one with DEBIAN_MIRROR"
  exit 1
fi
[ -n "$security" ] || say "this machine's apt sources name no security archive; the root goes without one"
log=${TMPDIR:-/tmp}/telvor-fresh-machine-check.log
root=""

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

{
  echo "deb $mirror bookworm main"
  echo "deb $mirror bookworm-updates main"
  [ -z "$security" ] || echo "deb $security bookworm-security main"
} >"$root/etc/apt/sources.list"
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
