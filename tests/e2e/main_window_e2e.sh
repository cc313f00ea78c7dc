#!/usr/bin/env bash
# The real Tillervane.exe under Wine, each run in a fresh folder of its own,
# driven only from outside: real X input from xdotool, and the window probe,
# which reads the windows and posts menu commands.
#   main_window_e2e.sh TILLERVANE_EXE WINDOW_PROBE_EXE SETTINGS_TOOL E2E_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/app.sh"
exe=$1
export TV_PROBE=$2
settings_tool=$3
tv_begin "$4" main_window
"$settings_tool" write "$TV_DIR"

echo "a first run without a settings file warns, then shows the empty window"
run=$(fresh_folder first)
tv_run_in_desktop "$run/Tillervane.exe"
tv_probe wait '错误' 60 >/dev/null || tv_fail "no settings warning on the first run"
tv_screenshot first-run-warning
xdotool key Return
tv_probe wait "$title" 20 >/dev/null || tv_fail "no main window after the warning"
expect_main '^list-count 0$'
expect_main '^button 请选择游戏$'
expect_main '^menu [0-9.]+ 启动（热键 F9）\|'
expect_main '^menu [0-9.]+ 停止（热键 F12）\|'
expect_main '^menu [0-9.]+ 使用记录\|checked=0'
tv_screenshot first-run

echo "a second start ends without a window of its own"
(cd "$run" && tv_wine Tillervane.exe >>"$TV_DIR/wine.out" 2>&1) &
second=$!
tv_wait 30 bash -c "! kill -0 $second" || tv_fail "the second copy is still running"
[ "$(tv_probe read "$title" | grep -c '^title ')" = 1 ] || tv_fail "the first copy's window is gone"

echo "the start key held with no game selected asks once, in one box"
# Held for half a second: the poll runs about five times, inside the box too.
xdotool keydown F9 sleep 0.5 keyup F9
answer '请选择游戏再开始！' Return
tv_probe gone Tillervane 5 || tv_fail "a second 请选择游戏再开始！ box is open"

echo "exiting with remembering off leaves the empty settings file untouched"
menu 退出
tv_probe gone "$title" 20 || tv_fail "the window did not close on 退出"
[ ! -s "$run/setinf.set" ] || tv_fail "the settings file was written on exit"

echo "three games with remembering on: game 2 is selected"
run=$(fresh_folder remembered three-games.set)
tv_run_in_desktop "$run/Tillervane.exe"
tv_probe wait "$title" 60 >/dev/null || tv_fail "no main window"
expect_main '^list-count 3$'
expect_main '^list-selected 2$'
expect_main '^list-item 0 赛车一$'
expect_main '^button Rally 按F9开始控制......$'
tv_screenshot idle

echo "F9 starts control; a click and a move steer the focused window"
xdotool key F9
expect_main '^button 正在控制 Rally......  按F12停止!$'
expect_main '^list-enabled 0$'
tv_screenshot under-control
start_key_target "$TV_DIR/keys.log"
xdotool mousemove 400 300
from=$(tv_line_count "$keys")
xdotool click 1
keys_after "$from" '^keydown vk=65 scan=30 ext=0$' '^mouse lbuttondown$' '^keyup vk=65 scan=30 ext=0$'
from=$(tv_line_count "$keys")
xdotool mousemove_relative -- 40 0
keys_after "$from" '^keydown vk=39 scan=[0-9]+ ext=1$' '^keyup vk=39 scan=[0-9]+ ext=1$'

echo "a suspend while a mapped button is held lets its key go; control stays on"
from=$(tv_line_count "$keys")
xdotool mousedown 1
keys_after "$from" '^keydown vk=65 '
from=$(tv_line_count "$keys")
tv_probe send "$title" 0x218 4 0 >/dev/null  # WM_POWERBROADCAST, PBT_APMSUSPEND
keys_after "$from" '^keyup vk=65 '
xdotool mouseup 1
expect_main '^button 正在控制 Rally......  按F12停止!$'

echo "F12 stops control and releases every mapped key"
from=$(tv_line_count "$keys")
xdotool key F12
expect_main '^button Rally 按F9开始控制......$'
expect_main '^list-enabled 1$'
keys_after "$from" '^keydown vk=123 ' '^keyup vk=65 ' '^keyup vk=37 ' '^keyup vk=39 ' '^keyup vk=38 ' '^keyup vk=40 '

echo "the session ends with a mapped button held: the key goes up, control stops, the game is remembered"
xdotool key F9
expect_main '^button 正在控制 Rally'
"$settings_tool" forget "$run/setinf.set"  # only a save can put the 2 back
from=$(tv_line_count "$keys")
xdotool mousedown 1
keys_after "$from" '^keydown vk=65 '
from=$(tv_line_count "$keys")
tv_probe send "$title" 0x11 0 0 >/dev/null  # WM_QUERYENDSESSION
tv_probe send "$title" 0x16 1 0 >/dev/null  # WM_ENDSESSION, ending
keys_after "$from" '^keyup vk=65 '
xdotool mouseup 1
expect_main '^button Rally 按F9开始控制......$'
[ "$("$settings_tool" last "$run/setinf.set")" = 2 ] || tv_fail "the session's end did not store the game"

echo "exiting with remembering on stores the current game"
"$settings_tool" forget "$run/setinf.set"
menu 退出
tv_probe gone "$title" 20 || tv_fail "the window did not close on 退出"
[ "$("$settings_tool" last "$run/setinf.set")" = 2 ] || tv_fail "LastGameIndex was not stored"
touch "$keys.quit"

echo "a profile that hides the cursor parks the pointer and swallows the click"
run=$(fresh_folder hidden hidden.set)
tv_run_in_desktop "$run/Tillervane.exe"
tv_probe wait "$title" 60 >/dev/null || tv_fail "no main window"
start_key_target "$TV_DIR/keys-hidden.log"
xdotool mousemove 400 300
xdotool key F9
expect_main '^button 正在控制 Rally'
tv_wait 10 pointer_at 1023 384 || tv_fail "the pointer is not parked: $(tv_probe cursor)"
from=$(tv_line_count "$keys")
xdotool click 1
keys_after "$from" '^keydown vk=65 ' '^keyup vk=65 '
[ "$(tv_count_matches "$keys" "$from" '^mouse lbuttondown$')" = 0 ] || tv_fail "the click reached the window"
xdotool key F12
expect_main '^button Rally 按F9开始控制......$'
tv_wait 10 pointer_at 512 384 || tv_fail "the pointer was not centred: $(tv_probe cursor)"
touch "$keys.quit"
tv_probe close "$title"
tv_probe gone "$title" 20 || tv_fail "the window did not close"

echo "a game that control follows: another window gets plain clicks while control waits"
game_dir="$TV_DIR/follow game"
mkdir -p "$game_dir"
cp "$TV_PROBE" "$game_dir/rally.exe"  # the "game": a key target started from the game's folder
"$settings_tool" follow "$TV_DIR" "$(tv_windows_path "$game_dir/rally.exe")"
run=$(fresh_folder follow follow.set)
tv_run_in_desktop "$run/Tillervane.exe"
tv_probe wait "$title" 60 >/dev/null || tv_fail "no main window"
start_key_target "$TV_DIR/other.log"
other=$keys
xdotool key F9
expect_main '^button 等待 Rally 的窗口激活......  按F12停止!$'
xdotool mousemove 400 300
from=$(tv_line_count "$other")
xdotool click 1
keys_after "$from" '^mouse lbuttondown$'
[ "$(tv_count_matches "$other" "$from" '^keydown vk=65 ')" = 0 ] || tv_fail "a click was mapped while control waited"

echo "the game's window comes to the front: clicks map again"
game=$TV_DIR/game.log
tv_run_in_desktop "$game_dir/rally.exe" keys "$(tv_windows_path "$game")" 600
tv_expect_lines 30 "$game" 0 '^ready$'
expect_main '^button 正在控制 Rally......  按F12停止!$'
from=$(tv_line_count "$game")
xdotool click 1
tv_expect_lines 10 "$game" "$from" '^keydown vk=65 ' '^keyup vk=65 '

echo "switching away while the button is held releases its key at once"
from=$(tv_line_count "$game")
xdotool mousedown 1
tv_expect_lines 10 "$game" "$from" '^keydown vk=65 '
from=$(tv_line_count "$other")
tv_probe activate "按键接收窗 key target other" || tv_fail "the other window did not come to the front"
tv_expect_lines 10 "$other" "$from" '^keyup vk=65 '
expect_main '^button 等待 Rally 的窗口激活......  按F12停止!$'
xdotool mouseup 1
xdotool key F12
expect_main '^button Rally 按F9开始控制......$'
touch "$other.quit" "$game.quit"
tv_probe close "$title"
tv_probe gone "$title" 20 || tv_fail "the window did not close"
echo "main window end-to-end: all checks passed"
