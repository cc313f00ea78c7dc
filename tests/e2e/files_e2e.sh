#!/usr/bin/env bash
# The settings file on real files under Wine, kept beside the real
# Tillervane.exe in a folder with a Chinese name: a save writes the encoder's
# bytes from the first byte and leaves an old tail behind it, a 5 GiB file loads
# its record from its first bytes, and a file held open elsewhere is reported
# in the system's words and left as it was.
#   files_e2e.sh TILLERVANE_EXE WINDOW_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/app.sh"
exe=$1
export TV_PROBE=$2
tv_begin "$3" files
tail_bytes() { head -c 4000 /dev/zero | tr '\0' '\356'; }

echo "a save writes from the first byte and leaves the old tail"
run=$(fresh_folder 配置 three-games-last0.set)
tail_bytes >>"$run/setinf.set"
tv_run_in_desktop "$run/Tillervane.exe"
tv_probe wait "$title" 60 >/dev/null || tv_fail "no main window"
expect_main '^list-selected 0$'
tv_probe select "$title" 2
menu 退出  # remembering on: stores game 2
tv_probe gone "$title" 20 || tv_fail "the window did not close on 退出"
{ cat "$fixtures/three-games.set"; tail_bytes; } >"$TV_DIR/want.set"
cmp "$run/setinf.set" "$TV_DIR/want.set" || tv_fail "the saved file is not the encoder's bytes before the old tail"

echo "a 5 GiB file loads its record from the first bytes"
run=$(fresh_folder huge three-games.set)
truncate -s 5G "$run/setinf.set"  # sparse: no disk space taken
tv_run_in_desktop "$run/Tillervane.exe"
tv_probe wait "$title" 60 >/dev/null || tv_fail "no main window with a 5 GiB settings file"
expect_main '^list-count 3$'
expect_main '^list-selected 2$'
tv_probe close "$title"
tv_probe gone "$title" 20 || tv_fail "the window did not close"
rm -f "$run/setinf.set"

echo "a file held open elsewhere: the version warning, then the system's description; the file stays"
run=$(fresh_folder locked three-games.set)
tv_probe hold "$(tv_windows_path "$run/setinf.set")" 60 >"$TV_DIR/hold.log" &
tv_expect_lines 30 "$TV_DIR/hold.log" 0 '^held$'
tv_run_in_desktop "$run/Tillervane.exe"
answer '配置文件异常！' Return 错误
tv_probe wait Tillervane 20 >/dev/null || tv_fail "no failure message"
tv_probe read Tillervane | grep '^static ' | tee "$TV_DIR/failure.txt"
[ -s "$TV_DIR/failure.txt" ] || tv_fail "the failure message is empty"
xdotool key Return
tv_probe wait "$title" 20 >/dev/null || tv_fail "no main window after the failure"
expect_main '^list-count 0$'
touch "$run/setinf.set.quit"
tv_expect_lines 10 "$TV_DIR/hold.log" 0 '^released$'
tv_probe close "$title"
tv_probe gone "$title" 20 || tv_fail "the window did not close"
same_file "$run/setinf.set" three-games.set || tv_fail "the held file changed"
echo "files end-to-end: all checks passed"
