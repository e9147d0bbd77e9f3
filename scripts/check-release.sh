#!/usr/bin/env bash
# Builds the release archive twice, from empty build folders at two paths,
# the second minutes later in another time zone and with another umask, and
# fails unless the two archives are the same bytes, hold exactly the files
# a release holds, and carry the DLL the windows-i686 preset builds (DLL,
# build/windows-i686/QuorvelMFD.dll by default).
#
#   scripts/check-release.sh [DLL]
set -euo pipefail
cd "$(dirname "$0")/.."

dll=${1:-build/windows-i686/QuorvelMFD.dll}
expected="LICENSE QuorvelMFD.dll SHA256SUMS pilot-guide-page.png pilot-guide-right-bank.png pilot-guide.html pilot-guide.txt"

fail() {
  echo "check-release: $*" >&2
  exit 1
}
[[ -f $dll ]] || fail "no $dll (build the windows-i686 preset first)"

first=$(mktemp -d /tmp/quorvel-release-first.XXXXXX)
second=$(mktemp -d /var/tmp/quorvel-release-second.XXXXXX)
trap 'rm -rf "$first" "$second"' EXIT
# A work tree with changes of its own builds the same -dirty archive twice.
release() {
  local folder=$1
  scripts/release.sh --dirty --build-dir "$folder/build" --out-dir "$folder" >"$folder/release.log" 2>&1 ||
    { cat "$folder/release.log"; fail "scripts/release.sh failed"; }
}
release "$first"
(umask 027 && TZ=Pacific/Kiritimati release "$second")

archives=("$first"/QuorvelMFD-*-win32.zip)
name=$(basename "${archives[0]}")
[[ -f $first/$name && -f $second/$name ]] || fail "the two builds did not both make $name"
cmp "$first/$name" "$second/$name" || fail "$name differs between $first and $second"
files=$(unzip -Z1 "$first/$name" | paste -sd' ')
[[ $files == "$expected" ]] || fail "$name holds $files, not $expected"
unzip -p "$first/$name" QuorvelMFD.dll | cmp - "$dll" || fail "the DLL in $name differs from $dll"
echo "check-release: $name ($(stat -c %s "$first/$name") bytes) came out the same from both builds, with its files and $dll"
