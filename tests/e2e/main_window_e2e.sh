#!/usr/bin/env bash
# The real Tillervane.exe under Wine, each run in a fresh folder of its own,
# driven only from outside: real X input from xdotool, and the window probe,
# which reads the windows and posts menu commands.
#   main_window_e2e.sh TILLERVANE_EXE WINDOW_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/app.sh"
exe=$1
export TV_PROBE=$2
tv_begin "$3" main_window

echo "exiting with remembering off writes nothing"
run=$(fresh_folder forgetful two-games.set)
tv_run_in_desktop "$run/Tillervane.exe"
tv_probe wait "$title" 60 >/dev/null || tv_fail "no main window"
tv_probe select "$title" 1
menu 退出
tv_probe gone "$title" 20 || tv_fail "the window did not close on 退出"
same_file "$run/setinf.set" two-games.set || tv_fail "the settings file was written on exit"

echo "three games with remembering on: game 2 is selected"
run=$(fresh_folder remembered three-games.set)
tv_run_in_desktop "$run/Tillervane.exe"
tv_probe wait "$title" 60 >/dev/null || tv_fail "no main window"
expect_main '^list-count 3$'
expect_main '^list-selected 2$'
expect_main '^list-item 0 赛车一$'
expect_main '^button Rally 按F9开始控制......$'
tv_screenshot idle

echo "F9 starts control: the list is disabled"
xdotool key F9
expect_main '^button 正在控制 Rally......  按F12停止!$'
expect_main '^list-enabled 0$'
tv_screenshot under-control
start_key_target "$TV_DIR/keys.log"
xdotool mousemove 400 300

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
cp "$fixtures/three-games-last0.set" "$run/setinf.set"  # only a save can put the 2 back
from=$(tv_line_count "$keys")
xdotool mousedown 1
keys_after "$from" '^keydown vk=65 '
from=$(tv_line_count "$keys")
tv_probe send "$title" 0x11 0 0 >/dev/null  # WM_QUERYENDSESSION
tv_probe send "$title" 0x16 1 0 >/dev/null  # WM_ENDSESSION, ending
keys_after "$from" '^keyup vk=65 '
xdotool mouseup 1
expect_main '^button Rally 按F9开始控制......$'
saved "$run/setinf.set" three-games.set

echo "exiting with remembering on stores the current game"
cp "$fixtures/three-games-last0.set" "$run/setinf.set"
menu 退出
tv_probe gone "$title" 20 || tv_fail "the window did not close on 退出"
saved "$run/setinf.set" three-games.set
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
game_dir="$WINEPREFIX/drive_c/follow"  # C:\follow, as the profile says
mkdir -p "$game_dir"
cp "$TV_PROBE" "$game_dir/rally.exe"  # the "game": a key target started from the game's folder
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
