#!/usr/bin/env bash
# The files of the real Tillervane.exe under Wine: the settings file kept
# beside it in a folder with a Chinese name (a save writes the encoder's bytes
# from the first byte and leaves an old tail behind it, a 5 GiB file loads its
# record from its first bytes, a file held open elsewhere is reported in the
# system's words and left as it was), names in code page 936 as the native side
# reads and writes them, a game launched from a folder with a space in its
# name, and a game deleted.
#   files_e2e.sh TILLERVANE_EXE WINDOW_PROBE_EXE GAME_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/app.sh"
exe=$1
export TV_PROBE=$2
game_probe=$3
tv_begin "$4" files
tail_bytes() { head -c 4000 /dev/zero | tr '\0' '\356'; }

step "a save writes from the first byte and leaves the old tail"
run=$(fresh_folder 配置 three-games-last0.set)
tail_bytes >>"$run/setinf.set"
start_app
expect_main '^list-selected 0$'
tv_probe select "$title" 2
exit_main  # remembering on: stores game 2
{ cat "$fixtures/three-games.set"; tail_bytes; } >"$TV_DIR/want.set"
cmp "$run/setinf.set" "$TV_DIR/want.set" || tv_fail "the saved file is not the encoder's bytes before the old tail"

step "a 5 GiB file loads its record from the first bytes"
run=$(fresh_folder huge three-games.set)
truncate -s 5G "$run/setinf.set"  # sparse: no disk space taken
start_app
expect_main '^list-count 3$'
expect_main '^list-selected 2$'
close_main
rm -f "$run/setinf.set"

step "a file held open elsewhere: the version warning, then the system's description; the file stays"
run=$(fresh_folder locked three-games.set)
tv_probe hold "$(tv_windows_path "$run/setinf.set")" 60 >"$TV_DIR/hold.log" &
tv_expect_lines 30 "$TV_DIR/hold.log" 0 '^held$'
tv_run_in_desktop "$run/Tillervane.exe"
answer '配置文件异常！' Return 错误
tv_probe wait Tillervane 20 >/dev/null || tv_fail "no failure message"
tv_probe read Tillervane | grep '^static ' | tee "$TV_DIR/failure.txt"
[ -s "$TV_DIR/failure.txt" ] || tv_fail "the failure message is empty"
in_front Tillervane
xdotool key Return
tv_probe wait "$title" 20 >/dev/null || tv_fail "no main window after the failure"
expect_main '^list-count 0$'
touch "$run/setinf.set.quit"
tv_expect_lines 10 "$TV_DIR/hold.log" 0 '^released$'
close_main
same_file "$run/setinf.set" three-games.set || tv_fail "the held file changed"

step "code page 936: names read back as the native side reads them and are written back as the same bytes"
run=$(fresh_folder cp936 cp936.set)
start_app
expect_main '^list-selected 1$'
tv_probe read "$title" | grep '^list-item ' >"$TV_DIR/names.txt"
# The samples of the native tests, as they read back.
diff -u - "$TV_DIR/names.txt" <<'NAMES' || tv_fail "Windows reads the names otherwise than the native side"
list-item 0 
list-item 1 Tillervane 2.01
list-item 2 Tillervane（Tillervane v2.01）
list-item 3 C:\游戏\赛车.exe
list-item 4 新游戏 按住重复 切换键
list-item 5 配置文件异常！
list-item 6 《三国志》·一—～
list-item 7 €℃￥〇々éǚ
list-item 8 a?b?
NAMES
exit_main  # remembering on: saves every name again
same_file "$run/setinf.set" cp936.set || tv_fail "Windows writes the names otherwise than the native side"

# The game, in a folder with a space, beside decoys that an unquoted command
# line would start instead: C:\game folder\rally.exe, as the profile says.
game_dir="$WINEPREFIX/drive_c/game folder"
mkdir -p "$game_dir"
rm -f "$game_dir/started.txt"
cp "$game_probe" "$game_dir/rally.exe"
echo "not a program" >"$WINEPREFIX/drive_c/game"
echo "not a program" >"$WINEPREFIX/drive_c/game.exe"
game_path='C:\game folder\rally.exe'
run=$(fresh_folder launch mapped.set)
start_app

step "the launch starts the game in its own folder"
tv_probe select "$title" 2
menu 启动游戏
tv_wait 30 test -s "$game_dir/started.txt" || tv_fail "the game did not start"
started=$(tr -d '\r\n' <"$game_dir/started.txt")
[ "$started" = 'C:\game folder' ] || tv_fail "the game started in $started"

step "Enter on the delete question keeps the game; OK deletes the middle one"
tv_probe select "$title" 1
menu 删除游戏
tv_probe wait Tillervane 20 >/dev/null || tv_fail "no delete question"
tv_screenshot delete-question
in_front Tillervane
xdotool key Return
tv_probe gone Tillervane 20 || tv_fail "Enter did not close the question"
expect_main '^list-count 3$'
same_file "$run/setinf.set" mapped.set || tv_fail "a cancelled delete wrote the settings file"
menu 删除游戏
tv_probe wait Tillervane 20 >/dev/null || tv_fail "no delete question"
tv_probe click Tillervane 确定
tv_probe gone Tillervane 20 || tv_fail "the question stayed open"
expect_main '^list-count 2$'
expect_main '^list-selected -1$'
expect_main '^button 请选择游戏$'
expect_main '^list-item 0 赛车一$'
expect_main '^list-item 1 Rally$'
saved "$run/setinf.set" removed.set

step "a name with & is shown as stored, and the status line follows the editor's rename at once"
tv_probe select "$title" 1
open_editor '设置\.\.\.'
focus_on 'TxtGame(0)'
xdotool key End shift+Home BackSpace
xdotool type 'Tom&Jerry'
expect_editor "$(control 'TxtGame(0)').* text=Tom&Jerry\$"
editor_ok
expect_main '^list-item 1 Tom&Jerry$'
# A button shows "&&" as one "&" and underlines nothing.
expect_main '^button Tom&&Jerry 按F9开始控制......$'
tv_screenshot ampersand-name

step "the follow-the-game option is bit 0 of the first reserved byte; the other bits stay"
tv_probe select "$title" 0
open_editor '设置\.\.\.'
expect_editor "$(control ChkGameWindow).* check=0 "
choose ChkGameWindow
editor_ok
# 赛车一's reserved bytes were f0 01 02 ... 07 in the file.
hex=$(od -An -tx1 -v "$run/setinf.set" | tr -d ' \n')
[[ $hex == *f101020304050607* && $hex != *f001020304050607* ]] || tv_fail "the reserved bytes are not f1 01 ... 07 after OK"

close_main
echo "files end-to-end: all checks passed"
