#!/usr/bin/env bash
# The release zip as a player gets it: every file in its place and nothing
# else, each program a stripped release build for its machine that needs no
# DLL of the compiler's, checksums that match, and a usage page that needs
# nothing beside it.
#   check_package.sh ZIP VERSION_SHOWN USAGE_PAGE_NAME
set -euo pipefail
zip=$(realpath "$1") version=$2 page=$3
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
objdump=x86_64-w64-mingw32-objdump  # reads 32-bit and 64-bit programs alike

[ "$(basename "$zip")" = "Tillervane-$version.zip" ] || fail "$zip is not named after version $version"
unzip -tq "$zip" >/dev/null || fail "$zip does not read back as a zip"

root=Tillervane-$version
expected=$(printf '%s\n' "$root/Tillervane.exe" "$root/$page" "$root/VERSION.txt" \
  "$root/x64/Tillervane.exe" "$root/x64/$page" | sort)
listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
[ "$listed" = "$expected" ] || fail "the zip holds"$'\n'"$listed"$'\n'"instead of"$'\n'"$expected"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work"
cd "$work/$root"

# program FILE FORMAT: FILE is a stripped Windows GUI program of FORMAT.
# (Read into variables first: grep -q ending early would fail objdump's pipe.)
program() {
  local header sections headers
  header=$("$objdump" -f "$1") sections=$("$objdump" -h "$1") headers=$("$objdump" -p "$1")
  grep -q "file format $2\$" <<<"$header" || fail "$1 is not $2: $header"
  ! grep -qE 'HAS_SYMS|HAS_DEBUG' <<<"$header" || fail "$1 keeps symbols or debug information"
  ! grep -q ' \.debug' <<<"$sections" || fail "$1 has debug sections"
  grep -q '^Subsystem.*(Windows GUI)' <<<"$headers" || fail "$1 is not a Windows GUI program"
  ! grep -iE 'DLL Name: lib(gcc|stdc|winpthread)' <<<"$headers" ||
    fail "$1 needs a DLL of the compiler's, which a player does not have"
}
program Tillervane.exe pei-i386
program x64/Tillervane.exe pei-x86-64

# VERSION.txt: the version on its first line, a checksum for each program.
[ "$(head -n1 VERSION.txt | tr -d '\r\357\273\277')" = "Tillervane v$version" ] ||
  fail "VERSION.txt does not begin with Tillervane v$version"
sums=$(tr -d '\r' <VERSION.txt | grep -E '^[0-9a-f]{64}  ')
[ "$(cut -c67- <<<"$sums" | sort)" = "$(printf '%s\n' Tillervane.exe x64/Tillervane.exe)" ] ||
  fail "VERSION.txt does not give one checksum for each program"
sha256sum --quiet -c <<<"$sums" || fail "a checksum in VERSION.txt does not match its program"

# The page: the same beside both programs, both pictures inside, no address outside.
cmp -s "$page" "x64/$page" || fail "the two usage pages differ"
[ "$(grep -o 'src="data:image/png;base64,' "$page" | wc -l)" -eq 2 ] || fail "$page does not embed its two pictures"
outside=$(grep -oE "(src|href)=\"[^\"#][^\"]*\"|url\(" "$page" | grep -v "^src=\"data:" || true)
[ -z "$outside" ] || fail "$page refers to files or addresses outside itself: $outside"

echo "package: $(basename "$zip"), $(stat -c %s "$zip") bytes;" \
  "Tillervane.exe $(stat -c %s Tillervane.exe) bytes, x64/Tillervane.exe $(stat -c %s x64/Tillervane.exe) bytes"
