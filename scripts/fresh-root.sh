# Sourced by the fresh-machine scripts: makes a minimal Debian 12 root with
# debootstrap in a temporary folder, from the Debian archives this machine's own apt
# sources name (/etc/apt: sources.list, sources.list.d/*.list and *.sources), or
# DEBIAN_MIRROR and DEBIAN_SECURITY_MIRROR, with /dev (for ptys), /proc and /sys
# mounted, and removes it again, also when interrupted.
#
#   source scripts/fresh-root.sh
#   fresh_root_make LOG     # sets root; everything it prints goes to LOG
#   in_root COMMAND...      # runs COMMAND inside, with a clean environment
# Needs root. The caller's EXIT trap is replaced by the clean-up.

root=""

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
  local mirror=${DEBIAN_MIRROR:-$(apt_uri archive /etc/apt)}
  local security=${DEBIAN_SECURITY_MIRROR:-$(apt_uri security /etc/apt)}
  if [ -z "$mirror" ]; then
    echo "fresh-root: this machine's apt sources name no Debian archive; name one with DEBIAN_MIRROR" >&2
    return 1
  fi
  [ -n "$security" ] || echo "fresh-root: this machine's apt sources name no security archive; the root goes without one" >&2
  if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >>"$log" 2>&1
  fi
  trap fresh_root_cleanup EXIT
  trap 'echo "fresh-root: interrupted" >&2; exit 130' INT TERM
  root=$(mktemp -d /var/tmp/telvor-fresh.XXXXXX)
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
}

in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}
