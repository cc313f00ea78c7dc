#!/usr/bin/env bash
# The whole program as a player uses it, under Wine, from a first start without
# a settings file to a steered game and back: add and map a game, reassign the
# start key, steer a focused window with clicks, the wheel in each of its five
# modes, movement and a repeating button with its switch key, exit remembering
# the game, and find it selected at the next start. After every save the file
# must hold exactly the native encoder's bytes.
#   walkthrough_e2e.sh TILLERVANE_EXE WINDOW_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/app.sh"
exe=$1
export TV_PROBE=$2
tv_begin "$3" walkthrough
run=$(fresh_folder player)

# under_control: F10 starts control. The key target has the focus by then:
# an F10 that reached Tillervane's own window would open its menu bar, whose
# menu mode eats the next click.
under_control() {
  xdotool key F10
  expect_main '^button 正在控制 Rally......  按F12停止!$'
}

# focus_key_target: a click on a corner of the key target that no window of
# Tillervane covers gives it the focus again.
focus_key_target() {
  local from
  from=$(tv_line_count "$keys")
  xdotool mousemove 150 150 click 1
  keys_after "$from" '^mouse lbuttondown$'
}

# stopped: F12 stops control.
stopped() {
  xdotool key F12
  expect_main '^button Rally 按F10开始控制......$'
}

# s_ups_between FROM TO: key-ups of S between two lines of the key log.
s_ups_between() {
  awk -v a="$1" -v b="$2" 'NR > a && NR <= b && /^keyup vk=83 /' "$keys" | wc -l
}

echo "first start: the warning, then an empty list, the default hotkeys, 使用记录 off"
tv_run_in_desktop "$run/Tillervane.exe"
tv_probe wait '错误' 60 >/dev/null || tv_fail "no settings warning on the first run"
tv_screenshot first-run-warning
answer '配置文件异常！' Return 错误
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
tv_probe read "$title" >/dev/null || tv_fail "the first copy's window is gone"

echo "the start key held with no game selected asks once, in one box"
# Held for half a second: the poll runs about five times, inside the box too.
xdotool keydown F9 sleep 0.5 keyup F9
answer '请选择游戏再开始！' Return
tv_probe gone Tillervane 5 || tv_fail "a second 请选择游戏再开始！ box is open"

echo "a game is added and mapped in the editor"
menu 新增游戏
tv_probe wait "$editor" 20 >/dev/null || tv_fail "no editor after 新增游戏"
click 'TxtGame\(0\)'
xdotool key End BackSpace BackSpace BackSpace
xdotool type 'Rally'
assign 'SetButton\(0\)' a A
assign 'SetButton\(1\)' s S
choose 'ChkRepeat\(1\)'
assign 'SetReplaceKey\(1\)' q Q
assign 'SetMove\(0\)' Left Left
assign 'SetMove\(1\)' Right Right
assign 'SetMove\(2\)' Up Up
assign 'SetMove\(3\)' Down Down
assign 'SetWheel\(0\)' z Z
assign 'SetWheel\(1\)' x X
choose 'OptForward\(3\)'
expect_editor "$(control 'OptBackward\(4\)').* check=1 "
assign 'SetRepKeyWhl\(0\)' c C
editor_screenshot editor
editor_ok
saved "$run/setinf.set" after-editor.set
expect_main '^list-item 0 Rally$'

echo "the start key becomes F10"
menu 重设启动键
tv_probe wait 请按键 15 >/dev/null || tv_fail "no capture dialog"
xdotool key F10
answer '你将 F10 设置为启动键？' Return
saved "$run/setinf.set" after-start-key.set
expect_main '^menu [0-9.]+ 启动（热键 F10）\|'

echo "F10 starts control; a click, movement in four directions"
start_key_target "$TV_DIR/keys.log"
under_control
xdotool mousemove 400 300
from=$(tv_line_count "$keys")
xdotool click 1
keys_after "$from" '^keydown vk=65 ' '^mouse lbuttondown$' '^keyup vk=65 '
for step in "40 0 39" "-40 0 37" "0 40 40" "0 -40 38"; do
  set -- $step
  from=$(tv_line_count "$keys")
  xdotool mousemove_relative -- "$1" "$2"
  keys_after "$from" "^keydown vk=$3 scan=[0-9]+ ext=1" "^keyup vk=$3 scan=[0-9]+ ext=1"
done

echo "a held right button repeats S; holding its switch key Q keeps S down"
from=$(tv_line_count "$keys")
xdotool mousedown 3
keys_after "$from" '^keydown vk=83 ' '^keyup vk=83 ' '^keydown vk=83 ' '^keyup vk=83 '
xdotool keydown q
keys_after "$from" '^keydown vk=81 '
held=$(tv_line_count "$keys")
keys_after "$held" '^keydown vk=83 ' '^keydown vk=83 ' '^keydown vk=83 '
[ "$(s_ups_between "$((held + 20))" "$(tv_line_count "$keys")")" = 0 ] || tv_fail "S was released while Q was held"
xdotool keyup q
from=$(tv_line_count "$keys")
keys_after "$from" '^keyup vk=83 ' '^keydown vk=83 ' '^keyup vk=83 '
from=$(tv_line_count "$keys")
xdotool mouseup 3
keys_after "$from" '^keyup vk=83 '
tv_wait 5 tv_longer_than "$keys" "$(($(tv_line_count "$keys") + 40))" || tv_fail "the timers stopped"
[ "$(grep -E '^key(down|up) vk=83 ' "$keys" | tail -n1 | cut -d' ' -f1)" = keyup ] || tv_fail "S was left held"

echo "wheel forward in 模拟重复 repeats Z; backward in 停止重复 ends it and releases both keys"
from=$(tv_line_count "$keys")
xdotool click 4
keys_after "$from" '^keydown vk=90 ' '^keyup vk=90 ' '^keydown vk=90 ' '^keyup vk=90 '
from=$(tv_line_count "$keys")
xdotool click 5
keys_after "$from" '^keyup vk=90 ' '^keyup vk=88 '
ended=$(awk -v f="$from" 'NR > f && /^keyup vk=88 / { print NR; exit }' "$keys")
tv_wait 5 tv_longer_than "$keys" "$((ended + 60))" || tv_fail "the timers stopped"
[ "$(tv_count_matches "$keys" "$ended" '^keydown vk=90 ')" = 0 ] || tv_fail "Z went on repeating"
stopped

echo "the editor again: 按下按键 forward, 放开按键 backward, both on Z"
menu '设置\.\.\.'
tv_probe wait "$editor" 20 >/dev/null || tv_fail "no editor after 设置..."
choose 'OptForward\(0\)'
choose 'OptBackward\(1\)'
assign 'SetWheel\(1\)' z Z
editor_ok
saved "$run/setinf.set" after-press-release.set
focus_key_target
under_control
from=$(tv_line_count "$keys")
xdotool click 4
keys_after "$from" '^keydown vk=90 '
xdotool click 5
keys_after "$from" '^keydown vk=90 ' '^keyup vk=90 '
stopped

echo "and 只按一次 forward: one press and release per turn"
menu '设置\.\.\.'
tv_probe wait "$editor" 20 >/dev/null || tv_fail "no editor after 设置..."
choose 'OptForward\(2\)'
editor_ok
saved "$run/setinf.set" after-press-once.set
focus_key_target
under_control
from=$(tv_line_count "$keys")
xdotool click 4
keys_after "$from" '^keydown vk=90 ' '^keyup vk=90 '
stopped

echo "remembering on, exit, start again: the game is selected"
menu 使用记录
saved "$run/setinf.set" after-remember.set
expect_main '^menu [0-9.]+ 使用记录\|checked=1'
before=$(stat -c %.9Y "$run/setinf.set")
menu 退出
tv_probe gone "$title" 20 || tv_fail "the window did not close"
[ "$(stat -c %.9Y "$run/setinf.set")" != "$before" ] || tv_fail "exiting with remembering on wrote nothing"
saved "$run/setinf.set" after-remember.set
tv_run_in_desktop "$run/Tillervane.exe"
tv_probe wait "$title" 60 >/dev/null || tv_fail "no main window at the second start"
expect_main '^list-selected 0$'
expect_main '^button Rally 按F10开始控制......$'
touch "$keys.quit"
tv_probe close "$title"
tv_probe gone "$title" 20 || tv_fail "the window did not close"
echo "walk-through end-to-end: all checks passed"
