#!/usr/bin/env bash
# The whole program as a player uses it, under Wine, from a first start without
# a settings file to a steered game and back: add and map a game, reassign the
# start key, steer a focused window with clicks, the wheel in each of its five
# modes, movement and a repeating button with its switch key, the help menu's
# boxes and pages, the stop key, keys let go on a suspend, a stop and the
# session's end, exit remembering the game, and find it selected at the next
# start; then a profile that hides the pointer, and one that follows the game's
# window. After every save the file must hold exactly the native encoder's bytes.
#   walkthrough_e2e.sh TILLERVANE_EXE WINDOW_PROBE_EXE USAGE_PAGE E2E_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/app.sh"
exe=$1
export TV_PROBE=$2
usage_page=$3
tv_begin "$4" walkthrough
run=$(fresh_folder player)
browsed=$TV_DIR/browsed.txt
tv_record_browser "$browsed"

# under_control: F10 starts control. The key target has the focus by then:
# an F10 that reached Tillervane's own window would open its menu bar, whose
# menu mode eats the next click.
under_control() {
  xdotool key F10
  expect_main '^button 正在控制 Rally......  按F12停止!$'
  expect_main '^list-enabled 0$'
}

# focus_key_target: a click on a corner of the key target that no window of
# Tillervane covers gives it the focus again.
focus_key_target() {
  local from
  keys_on 'xdotool mousemove 150 150 click 1' '^mouse lbuttondown$'
}

# stopped: F12 stops control.
stopped() {
  xdotool key F12
  expect_main '^button Rally 按F10开始控制......$'
}

# opened ADDRESS: the browser is handed ADDRESS as its last page.
last_page_is() { [ "$(tail -n1 "$browsed")" = "$1" ]; }
opened() {
  tv_wait 15 last_page_is "$1" || tv_fail "the browser was not handed $1"
  : >"$browsed"
}

# stop_key KEY: 重设停止键 takes KEY and the answer confirms it.
stop_key() {
  menu 重设停止键
  tv_probe wait 请按键 15 >/dev/null || tv_fail "no capture dialog"
  xdotool key "$1"
  answer "你将 $1 设置为停止键？" Return
}

# s_ups_between FROM TO: key-ups of S between two lines of the key log.
s_ups_between() {
  awk -v a="$1" -v b="$2" 'NR > a && NR <= b && /^keyup vk=83 /' "$keys" | wc -l
}

step "first start: the warning, then an empty list, the default hotkeys, 使用记录 off"
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

step "a second start ends without a window of its own"
(cd "$run" && tv_wine Tillervane.exe >>"$TV_DIR/wine.out" 2>&1) &
second=$!
tv_wait 30 bash -c "! kill -0 $second" || tv_fail "the second copy is still running"
tv_probe read "$title" >/dev/null || tv_fail "the first copy's window is gone"

step "the start key held with no game selected asks once, in one box"
# Held for half a second: the poll runs about five times, inside the box too.
xdotool keydown F9 sleep 0.5 keyup F9
answer '请选择游戏再开始！' Return
tv_probe gone Tillervane 5 || tv_fail "a second 请选择游戏再开始！ box is open"

step "a game is added and mapped in the editor"
open_editor 新增游戏
focus_on 'TxtGame(0)'
xdotool key End BackSpace BackSpace BackSpace
xdotool type 'Rally'
expect_editor "$(control 'TxtGame(0)').* text=Rally\$"
assign 'SetButton(0)' a A
assign 'SetButton(1)' s S
choose 'ChkRepeat(1)'
assign 'SetReplaceKey(1)' q Q
assign 'SetMove(0)' Left Left
assign 'SetMove(1)' Right Right
assign 'SetMove(2)' Up Up
assign 'SetMove(3)' Down Down
assign 'SetWheel(0)' z Z
assign 'SetWheel(1)' x X
choose 'OptForward(3)'
expect_editor "$(control 'OptBackward(4)').* check=1 "
assign 'SetRepKeyWhl(0)' c C
editor_screenshot editor
editor_ok
saved "$run/setinf.set" after-editor.set
expect_main '^list-item 0 Rally$'

step "the start key becomes F10"
menu 重设启动键
tv_probe wait 请按键 15 >/dev/null || tv_fail "no capture dialog"
xdotool key F10
answer '你将 F10 设置为启动键？' Return
saved "$run/setinf.set" after-start-key.set
expect_main '^menu [0-9.]+ 启动（热键 F10）\|'

step "F10 starts control; a click, movement in four directions"
start_key_target "$TV_DIR/keys.log"
under_control
xdotool mousemove 400 300
keys_on 'xdotool click 1' '^keydown vk=65 ' '^mouse lbuttondown$' '^keyup vk=65 '
for step in "40 0 39" "-40 0 37" "0 40 40" "0 -40 38"; do
  read -r dx dy vk <<<"$step"
  keys_on 'xdotool mousemove_relative -- "$dx" "$dy"' "^keydown vk=$vk scan=[0-9]+ ext=1" "^keyup vk=$vk scan=[0-9]+ ext=1"
done

step "a held right button repeats S; holding its switch key Q keeps S down"
keys_on 'xdotool mousedown 3' '^keydown vk=83 ' '^keyup vk=83 ' '^keydown vk=83 ' '^keyup vk=83 '
keys_on 'xdotool keydown q' '^keydown vk=81 '
held=$(tv_line_count "$keys")
keys_after "$held" '^keydown vk=83 ' '^keydown vk=83 ' '^keydown vk=83 '
[ "$(s_ups_between "$((held + 20))" "$(tv_line_count "$keys")")" = 0 ] || tv_fail "S was released while Q was held"
xdotool keyup q
from=$(tv_line_count "$keys")
keys_after "$from" '^keyup vk=83 ' '^keydown vk=83 ' '^keyup vk=83 '
keys_on 'xdotool mouseup 3' '^keyup vk=83 '
tv_quiet_for 0.5  # a key left repeating would show by now
[ "$(grep -E '^key(down|up) vk=83 ' "$keys" | tail -n1 | cut -d' ' -f1)" = keyup ] || tv_fail "S was left held"

step "wheel forward in 模拟重复 repeats Z; backward in 停止重复 ends it and releases both keys"
keys_on 'xdotool click 4' '^keydown vk=90 ' '^keyup vk=90 ' '^keydown vk=90 ' '^keyup vk=90 '
from=$(tv_line_count "$keys")
keys_on 'xdotool click 5' '^keyup vk=90 ' '^keyup vk=88 '
ended=$(awk -v f="$from" 'NR > f && /^keyup vk=88 / { print NR; exit }' "$keys")
tv_quiet_for 0.5
[ "$(tv_count_matches "$keys" "$ended" '^keydown vk=90 ')" = 0 ] || tv_fail "Z went on repeating"

step "a suspend while a mapped button is held lets its key go; control stays on"
keys_on 'xdotool mousedown 1' '^keydown vk=65 '
keys_on 'tv_probe send "$title" 0x218 4 0 >/dev/null' '^keyup vk=65 '  # WM_POWERBROADCAST, PBT_APMSUSPEND
xdotool mouseup 1
expect_main '^button 正在控制 Rally'

step "F12 stops control and lets go of every key of the profile"
from=$(tv_line_count "$keys")
stopped
expect_main '^list-enabled 1$'
keys_after "$from" '^keydown vk=123 ' '^keyup vk=65 ' '^keyup vk=83 ' '^keyup vk=81 ' '^keyup vk=37 ' '^keyup vk=39 ' \
  '^keyup vk=38 ' '^keyup vk=40 ' '^keyup vk=90 ' '^keyup vk=88 '

step "About shows exactly two boxes; update and help open their pages; control stays on"
focus_key_target
under_control
tv_probe activate "$title" || tv_fail "the main window did not come to the front"  # where the boxes get the keys
menu '关于Tillervane...'
answer "$title" Return
answer '若存在 BUG，请到更新发布页获取新版本！' Return
tv_probe gone Tillervane 3 || tv_fail "a third box appeared"
menu '软件更新...'
answer '将转到发布页获取更新！' Return 更新
opened https://tillervane.example.com/releases
menu '如何使用...'
opened https://tillervane.example.com/help
cp "$usage_page" "$run/"  # with the usage page beside the program, that page
menu '如何使用...'
opened "file://$(realpath "$run/$(basename "$usage_page")")"
expect_main '^button 正在控制 Rally......  按F12停止!$'

step "reassigning the stop key while control is on stops it; cancelling keeps the old key"
menu 重设停止键
tv_probe wait 请按键 15 >/dev/null || tv_fail "no capture dialog"
expect_main '^button Rally 按F10开始控制......$'
xdotool key F11
answer '你将 F11 设置为停止键？' Escape
expect_main '^menu [0-9.]+ 停止（热键 F12）\|'
same_file "$run/setinf.set" after-start-key.set || tv_fail "the cancelled stop key was saved"

step "a settings file the program may not write: the failure says where to keep the program"
# As root, no permission makes Wine refuse a file; a folder in the file's place
# is refused with the same error as a protected folder.
mv "$run/setinf.set" "$TV_DIR/kept.set"
mkdir "$run/setinf.set"
stop_key F11
tv_probe wait Tillervane 15 >/dev/null || tv_fail "no failure box"
shows Tillervane '^Tillervane 的设置保存在程序所在的文件夹中，请把整个程序文件夹放到一个可以写入的位置'
tv_screenshot settings-refused
in_front Tillervane
xdotool key Return
tv_probe gone Tillervane 10 || tv_fail "the failure box stayed open"
rmdir "$run/setinf.set"
mv "$TV_DIR/kept.set" "$run/setinf.set"
stop_key F12
saved "$run/setinf.set" after-start-key.set

step "the editor again: 按下按键 forward, 放开按键 backward, both on Z"
open_editor '设置\.\.\.'
choose 'OptForward(0)'
choose 'OptBackward(1)'
assign 'SetWheel(1)' z Z
editor_ok
saved "$run/setinf.set" after-press-release.set
focus_key_target
under_control
from=$(tv_line_count "$keys")
keys_on 'xdotool click 4' '^keydown vk=90 '
xdotool click 5
keys_after "$from" '^keydown vk=90 ' '^keyup vk=90 '
stopped

step "and 只按一次 forward: one press and release per turn"
open_editor '设置\.\.\.'
choose 'OptForward(2)'
editor_ok
saved "$run/setinf.set" after-press-once.set
focus_key_target
under_control
keys_on 'xdotool click 4' '^keydown vk=90 ' '^keyup vk=90 '
stopped

step "exiting with remembering off writes nothing"
exit_main
same_file "$run/setinf.set" after-press-once.set || tv_fail "the settings file was written on exit"
start_app
expect_main '^list-selected -1$'
tv_probe select "$title" 0

step "remembering on, exit, start again: the game is selected"
menu 使用记录
saved "$run/setinf.set" after-remember.set
expect_main '^menu [0-9.]+ 使用记录\|checked=1'
before=$(stat -c %.9Y "$run/setinf.set")
exit_main
[ "$(stat -c %.9Y "$run/setinf.set")" != "$before" ] || tv_fail "exiting with remembering on wrote nothing"
saved "$run/setinf.set" after-remember.set
start_app
expect_main '^list-selected 0$'
expect_main '^button Rally 按F10开始控制......$'

step "the session ends with a mapped button held: the key goes up, control stops, the game is remembered"
focus_key_target
under_control
cp "$fixtures/after-press-once.set" "$run/setinf.set"  # only a save can make it after-remember.set again
keys_on 'xdotool mousedown 1' '^keydown vk=65 '
from=$(tv_line_count "$keys")
tv_probe send "$title" 0x11 0 0 >/dev/null  # WM_QUERYENDSESSION
tv_probe send "$title" 0x16 1 0 >/dev/null  # WM_ENDSESSION, ending
keys_after "$from" '^keyup vk=65 '
xdotool mouseup 1
expect_main '^button Rally 按F10开始控制......$'
saved "$run/setinf.set" after-remember.set
touch "$keys.quit"
close_main


step "a profile that hides the cursor parks the pointer and swallows the click"
run=$(fresh_folder hidden hidden.set)
start_app
start_key_target "$TV_DIR/keys-hidden.log"
xdotool mousemove 400 300
xdotool key F9
expect_main '^button 正在控制 Rally'
tv_wait 10 pointer_at 1023 384 || tv_fail "the pointer is not parked: $(tv_probe cursor)"
from=$(tv_line_count "$keys")
keys_on 'xdotool click 1' '^keydown vk=65 ' '^keyup vk=65 '
[ "$(tv_count_matches "$keys" "$from" '^mouse lbuttondown$')" = 0 ] || tv_fail "the click reached the window"
xdotool key F12
expect_main '^button Rally 按F9开始控制......$'
tv_wait 10 pointer_at 512 384 || tv_fail "the pointer was not centred: $(tv_probe cursor)"
touch "$keys.quit"
close_main

step "a game that control follows: another window gets plain clicks while control waits"
game_dir="$WINEPREFIX/drive_c/follow"  # C:\follow, as the profile says
mkdir -p "$game_dir"
cp "$TV_PROBE" "$game_dir/rally.exe"  # the "game": a key target started from the game's folder
run=$(fresh_folder follow follow.set)
start_app
start_key_target "$TV_DIR/other.log"
other=$keys
xdotool key F9
expect_main '^button 等待 Rally 的窗口激活......  按F12停止!$'
xdotool mousemove 400 300
from=$(tv_line_count "$other")
xdotool click 1
keys_after "$from" '^mouse lbuttondown$'
[ "$(tv_count_matches "$other" "$from" '^keydown vk=65 ')" = 0 ] || tv_fail "a click was mapped while control waited"

step "the game's window comes to the front: clicks map again"
game=$TV_DIR/game.log
tv_run_in_desktop "$game_dir/rally.exe" keys "$(tv_windows_path "$game")" 600
tv_expect_lines 30 "$game" 0 '^ready$'
expect_main '^button 正在控制 Rally......  按F12停止!$'
from=$(tv_line_count "$game")
xdotool click 1
tv_expect_lines 10 "$game" "$from" '^keydown vk=65 ' '^keyup vk=65 '

step "switching away while the button is held releases its key at once"
activate_with_a_held "$game" "$other" other
expect_main '^button 等待 Rally 的窗口激活......  按F12停止!$'
xdotool mouseup 1
xdotool key F12
expect_main '^button Rally 按F9开始控制......$'
touch "$other.quit" "$game.quit"
close_main
echo "walk-through end-to-end: all checks passed"
