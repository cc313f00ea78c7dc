#!/usr/bin/env bash
# The settings file on the real platform under Wine: what the Windows program
# saves is byte for byte what the native encoder writes, a file the native side
# wrote loads to the same record, a save leaves an old tail in place, removing a
# game rewrites the file from empty, a missing file is created, and a file held
# open elsewhere is reported with the system's words. Ends with the timing of
# 1,000 games, printed and never judged.
#   settings_e2e.sh SETTINGS_PROBE_EXE SETTINGS_EXPECTED_TOOL E2E_DIR
source "$(dirname "$0")/lib.sh"
probe=$1 expected_tool=$2
tv_begin "$3" settings
log=$TV_DIR/probe.log
expected=$TV_DIR/expected
files=$TV_DIR/配置  # a folder with a Chinese name: paths go through the wide calls
mkdir -p "$expected" "$files"
"$expected_tool" "$expected"

# probe MODE FILE DONE_PATTERN: runs the probe on FILE and waits for its last
# line, written after the file is closed. The probe answers its own message
# boxes; if it is stuck all the same, the screenshot shows why.
probe() {
  local from
  from=$(tv_line_count "$log")
  tv_run_in_desktop "$probe" "$1" "$(tv_windows_path "$2")" "$(tv_windows_path "$log")"
  if ! tv_wait 60 tv_lines_in_order "$log" "$from" "$3"; then
    tv_screenshot "stuck-$1"
    tv_fail "settings_probe $1 did not end with '$3' (see stuck-$1.png)"
  fi
}

echo "a save writes the native encoder's bytes from the first byte and leaves the old tail"
head -c 4000 /dev/zero | tr '\0' '\356' >"$files/setinf.set"
probe save "$files/setinf.set" '^saved$'
size=$(stat -c %s "$expected/sample.set")
{ cat "$expected/sample.set"; tail -c +$((size + 1)) <(head -c 4000 /dev/zero | tr '\0' '\356'); } >"$TV_DIR/want.set"
cmp "$files/setinf.set" "$TV_DIR/want.set" || tv_fail "the saved file differs from the native encoder's bytes"

echo "a file the native side wrote loads to the same record"
cp "$expected/sample.set" "$files/native.set"
probe load "$files/native.set" '^loaded '
tv_lines_in_order "$log" 0 '^loaded the sample$' || tv_fail "the native file did not load to the sample record"

echo "so does the saved file with its old tail"
probe load "$files/setinf.set" '^loaded '
[ "$(tv_count_matches "$log" 0 '^loaded the sample$')" -eq 2 ] || tv_fail "the file with a tail did not load back"

echo "removing the first game deletes the file and writes it anew, without the tail"
probe remove "$files/setinf.set" '^removed'
tv_lines_in_order "$log" 0 '^removed, games=2$' || tv_fail "the game was not removed"
cmp "$files/setinf.set" "$expected/removed.set" || tv_fail "the rewritten file differs from the native encoder's bytes"

echo "a missing file is created empty and loads after the version message"
from=$(tv_line_count "$log")
probe load "$files/missing.set" '^loaded '
tv_lines_in_order "$log" "$from" '^box 错误[|]配置文件异常！$' '^loaded something else$' ||
  tv_fail "expected the version message, then the empty record"
[ -f "$files/missing.set" ] && [ ! -s "$files/missing.set" ] || tv_fail "the missing file was not created empty"

echo "a 5 GiB file loads its record from the first bytes and ignores the rest"
cp "$expected/sample.set" "$files/huge.set"
truncate -s 5G "$files/huge.set"  # sparse: no disk space taken
from=$(tv_line_count "$log")
probe load "$files/huge.set" '^loaded '
tv_lines_in_order "$log" "$from" '^loaded the sample$' || tv_fail "the huge file did not load to the sample record"
rm -f "$files/huge.set"

echo "a file held open elsewhere: the system's description, once at the end of each procedure"
cp "$expected/sample.set" "$files/locked.set"
from=$(tv_line_count "$log")
probe locked "$files/locked.set" '^locked done$'
tv_lines_in_order "$log" "$from" '^box 错误[|]配置文件异常！$' '^box Tillervane[|].+$' '^box Tillervane[|].+$' '^locked done$' ||
  tv_fail "expected the version message, then one failure message for the load and one for the save"
[ "$(tv_count_matches "$log" "$from" '^box ')" -eq 3 ] || tv_fail "expected exactly three message boxes"
grep '^box Tillervane' "$log" | tail -n 1 | tr -d '\r'
cmp "$files/locked.set" "$expected/sample.set" || tv_fail "the held file changed"

echo "timing: save and load of 1,000 games on the real files (median of 21)"
probe bench "$files/bench.set" '^bench '
grep '^bench ' "$log" | tr -d '\r'
tv_lines_in_order "$log" 0 '^bench games=1000 same=1 ' || tv_fail "the 1,000 games did not load back"
echo "settings end-to-end: all checks passed"
