# Sourced by the fresh-machine scripts: makes a minimal Debian 12 root with
# debootstrap in a temporary folder, from the Debian mirror this machine's own apt
# sources name (or DEBIAN_MIRROR and DEBIAN_SECURITY_MIRROR), with /dev (for
# ptys), /proc and /sys mounted, and removes it again, also when interrupted.
#
#   source scripts/fresh-root.sh
#   fresh_root_make LOG     # sets root; everything it prints goes to LOG
#   in_root COMMAND...      # runs COMMAND inside, with a clean environment
# Needs root. The caller's EXIT trap is replaced by the clean-up.

root=""

# The URI of the machine's apt source for SUITE (bookworm, bookworm-security).
host_mirror() {
  apt-get indextargets --format '$(TARGET_OF) $(RELEASE) $(REPO_URI)' 'Identifier: Packages' 2>/dev/null |
    awk -v suite="$1" '$1 == "deb" && $2 == suite { print $3; exit }'
}

mounts_under() { findmnt -rn -o TARGET | grep -E "^$1(/|$)" | sort -r || true; }

fresh_root_cleanup() {
  local status=$?
  trap - EXIT INT TERM
  set +e
  if [ -n "$root" ] && [ -d "$root" ]; then
    # Whatever still runs inside (a simulator left behind) goes first.
    for proc in /proc/[0-9]*; do
      [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] && kill -9 "${proc#/proc/}" 2>/dev/null || true
    done
    for target in $(mounts_under "$root"); do umount -l "$target" 2>/dev/null || true; done
    if [ -n "$(mounts_under "$root")" ]; then
      echo "fresh-root: could not unmount everything under $root; it is left in place" >&2
    else
      rm -rf --one-file-system "$root"
    fi
  fi
  exit "$status"
}

fresh_root_make() {
  local log=$1
  local mirror=${DEBIAN_MIRROR:-$(host_mirror bookworm)}
  local security=${DEBIAN_SECURITY_MIRROR:-$(host_mirror bookworm-security)}
  if [ -z "$mirror" ] || [ -z "$security" ]; then
    echo "fresh-root: this machine's apt sources name no Debian 12 (bookworm, bookworm-security) mirror;" \
      "set DEBIAN_MIRROR and DEBIAN_SECURITY_MIRROR" >&2
    return 1
  fi
  if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >>"$log" 2>&1
  fi
  trap fresh_root_cleanup EXIT
  trap 'echo "fresh-root: interrupted" >&2; exit 130' INT TERM
  root=$(mktemp -d /var/tmp/telvor-fresh.XXXXXX)
  debootstrap --variant=minbase bookworm "$root" "$mirror" >>"$log" 2>&1
  printf 'deb %s bookworm main\ndeb %s bookworm-updates main\ndeb %s bookworm-security main\n' \
    "$mirror" "$mirror" "$security" >"$root/etc/apt/sources.list"
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
}

in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}
