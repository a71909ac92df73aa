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
URIs: http://one.invalid/debian
Suites: bookworm bookworm-updates
Components: main

Types: deb
URIs: http://one.invalid/debian-security
Suites: bookworm-security
Components: main
T
check deb822 $'archive http://one.invalid/debian\nsecurity http://one.invalid/debian-security'

file skipped sources.list.d/a.sources <<'T'
Types: deb-src
URIs: http://source.invalid/debian
Suites: bookworm

Types: deb
URIs: http://off.invalid/debian
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
deb http://disabled.invalid/debian bookworm main
T
check skipped $'archive file:/srv/debian\nsecurity '

file oneline sources.list <<'T'
# deb http://commented.invalid/debian bookworm main
deb-src http://source.invalid/debian bookworm main
deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] https://two.invalid/debian bookworm main
deb http://two.invalid/debian-security/ bookworm-security main
T
file oneline sources.list.d/later.sources <<'T'
Types: deb
URIs: http://later.invalid/debian
Suites: bookworm bookworm-security
T
check oneline $'archive https://two.invalid/debian\nsecurity http://two.invalid/debian-security/'

mkdir -p "$work/empty"
check empty $'archive \nsecurity '

[ "$failures" -eq 0 ] && echo "all cases passed"
exit "$failures"
