#!/usr/bin/env bash
# fresh-machine-check.sh takes its Debian archives from the machine's own apt sources:
# each case is an apt folder and the two archives that `--mirrors` must print for it.
set -u
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# check NAME EXPECTED: the apt folder of the case is $work/NAME.
check() {
  local got
  got=$("$script" --mirrors "$work/$1")
  if [ "$got" != "$2" ]; then
    printf 'FAIL %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$got"
    failures=$((failures + 1))
  fi
}

# file NAME PATH: the text on stdin becomes PATH in the apt folder of the case.
file() { mkdir -p "$(dirname "$work/$1/$2")" && cat >"$work/$1/$2"; }

file deb822 sources.list.d/debian.sources <<'T'
Types: deb
# a comment inside the stanza
URIs: file:/srv/one/debian
Suites: bookworm bookworm-updates
Components: main

Types: deb
URIs: file:/srv/one/debian-security
Suites: bookworm-security
Components: main
T
check deb822 $'archive file:/srv/one/debian\nsecurity file:/srv/one/debian-security'

file skipped sources.list.d/a.sources <<'T'
Types: deb-src
URIs: file:/srv/source/debian
Suites: bookworm

Types: deb
URIs: file:/srv/off/debian
Suites: bookworm
Enabled: no

Types: deb
URIs: cdrom:[Debian 12]/
Suites: bookworm
T
file skipped sources.list.d/b.sources <<'T'
types: deb deb-src
uris:
 file:/srv/debian
suites: stable
T
file skipped sources.list.d/disabled.list.disabled <<'T'
deb file:/srv/disabled/debian bookworm main
T
check skipped $'archive file:/srv/debian\nsecurity '

file oneline sources.list <<'T'
# deb file:/srv/commented/debian bookworm main
deb-src file:/srv/source/debian bookworm main
deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] file:/srv/two/debian bookworm main
deb file:/srv/two/debian-security/ bookworm-security main
T
file oneline sources.list.d/later.sources <<'T'
Types: deb
URIs: file:/srv/later/debian
Suites: bookworm bookworm-security
T
check oneline $'archive file:/srv/two/debian\nsecurity file:/srv/two/debian-security/'

mkdir -p "$work/empty"
check empty $'archive \nsecurity '

[ "$failures" -eq 0 ] && echo "all cases passed"
exit "$failures"
