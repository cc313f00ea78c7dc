#!/usr/bin/env bash
# The profile editor of the real Tillervane.exe under Wine: a game added from
# the menu and mapped control by control with real clicks and keys from
# xdotool, saved, reopened, walked with Tab and closed without saving.
#   editor_e2e.sh TILLERVANE_EXE WINDOW_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/app.sh"
exe=$1
export TV_PROBE=$2
tv_begin "$3" editor
run=$(fresh_folder run two-games.set)
# The file the picker chooses, as the profile names it.
game_path='C:\game folder\rally.exe'
game_path_pattern=$(printf '%s' "$game_path" | sed 's/[\\.]/\\&/g')
mkdir -p "$WINEPREFIX/drive_c/game folder"
touch "$WINEPREFIX/drive_c/game folder/rally.exe"

start_app
expect_main '^list-count 2$'

step "adding a game opens the editor on 新游戏, blank, option 0 in both frames"
open_editor 新增游戏
expect_editor "$(control 'TxtGame(0)').* text=新游戏\$" "$(control 'TxtGame(1)').* text=\$" \
  "$(control 'OptForward(0)').* check=1 " "$(control 'OptBackward(0)').* check=1 " \
  "$(control 'lblRate(0)').* text=左\$" "$(control 'lblRate(3)').* text=下\$" \
  "$(control 'SetWheel(1)').* visible=1 " "$(control 'SetRepKeyWhl(0)').* visible=0 " \
  "$(control 'Labc(1)').* visible=0 "
for name in SetButton SetReplaceKey SetMove; do
  expect_editor "$(control "$name(0)").* text=\$"
done
editor_screenshot editor-new-game

step "the editor: 435 x 541 pixels of client area at 96 dpi, centred, a close box only"
client_about 435 541 || tv_fail "client area $(grep '^client' "$TV_DIR/controls.txt"), expected about 435x541"
read -r left top right bottom <<<"$(sed -n 's/^window //p' "$TV_DIR/controls.txt")"
[ $(((left + right) / 2 - 512)) -ge -2 ] && [ $(((left + right) / 2 - 512)) -le 2 ] ||
  tv_fail "the editor is not centred: ${left}..${right}"
grep -qx 'caption-buttons 0 0 1' "$TV_DIR/controls.txt" || tv_fail "caption buttons: $(grep caption-buttons "$TV_DIR/controls.txt")"

step "on a display at 150% the editor is laid out again at that scale, and back at 100%"
tv_probe send "$editor" 0x2E0 0x900090 0 >/dev/null  # WM_DPICHANGED to 144 dpi, no place suggested
tv_wait 10 client_about 652 812 || tv_fail "at 144 dpi: $(grep '^client' "$TV_DIR/controls.txt"), expected about 652x812"
read -r left top right bottom <<<"$(rect_of SetOk)"
[ $((right - left)) -ge 121 ] && [ $((right - left)) -le 125 ] || tv_fail "OK is $((right - left)) pixels wide at 144 dpi"
editor_screenshot editor-144dpi
tv_probe send "$editor" 0x2E0 0x600060 0 >/dev/null
tv_wait 10 client_about 435 541 || tv_fail "back at 96 dpi: $(grep '^client' "$TV_DIR/controls.txt")"

step "the name typed with spaces around it"
focus_on 'TxtGame(0)'
xdotool key End BackSpace BackSpace BackSpace
xdotool type '  Rally  '
expect_editor "$(control 'TxtGame(0)').* text=  Rally  \$"

step "the capture dialog: 请按键, about 202 x 94 pixels, a close box only; closed, it clears the key"
assign 'SetButton(0)' a A
click 'SetButton(0)'
tv_probe wait '请按键' 15 >/dev/null || tv_fail "no key capture dialog"
tv_probe controls '请按键' >"$TV_DIR/capture.txt"
read -r width height <<<"$(sed -n 's/^client //p' "$TV_DIR/capture.txt")"
[ "$width" -ge 200 ] && [ "$width" -le 204 ] && [ "$height" -ge 92 ] && [ "$height" -le 96 ] ||
  tv_fail "capture dialog client area ${width}x${height}, expected about 202x94"
grep -qx 'caption-buttons 0 0 1' "$TV_DIR/capture.txt" || tv_fail "capture dialog: $(grep caption-buttons "$TV_DIR/capture.txt")"
tv_screenshot capture-dialog
tv_probe close '请按键'
tv_probe gone '请按键' 15 || tv_fail "the capture dialog did not close"
expect_editor "$(control 'SetButton(0)').* text=\$"

step "every key button takes the key pressed in the capture dialog"
assign 'SetButton(0)' a A
assign 'SetButton(1)' s S
assign 'SetButton(2)' d D
assign 'SetReplaceKey(0)' q Q
assign 'SetReplaceKey(1)' w W
assign 'SetReplaceKey(2)' e E
assign 'SetMove(0)' Left Left
assign 'SetMove(1)' KP_Right KP_Right  # keypad 6 without NumLock: the same key, not extended
assign 'SetMove(1)' Right Right
assign 'SetMove(2)' Up Up
assign 'SetMove(3)' Down Down
assign 'SetWheel(0)' z Z
assign 'SetWheel(1)' x X
click 'ChkRepeat(1)'
click ChkHideCursor
click ChkGameWindow
expect_editor "$(control 'ChkRepeat(1)').* check=1 " "$(control ChkHideCursor).* check=1 " \
  "$(control ChkGameWindow).* check=1 "

step "forward mode 3 shows its switch key and moves backward to 4, hiding its key"
click 'OptForward(3)'
expect_editor "$(control 'OptForward(3)').* check=1 " "$(control 'OptBackward(4)').* check=1 " \
  "$(control 'SetRepKeyWhl(0)').* visible=1 " "$(control 'Labc(0)').* visible=1 " \
  "$(control 'SetWheel(1)').* visible=0 " "$(control 'SetRepKeyWhl(1)').* visible=0 "
assign 'SetRepKeyWhl(0)' c C

step "the sliders: arrow clicks step them, a drag is followed by its label"
click 'ScrMouseRate(0)' 6
click 'ScrMouseRate(2)' 6
click 'ScrMouseRate(2)' 6
expect_editor "$(control 'lblRate(0)').* text=左:2\$" "$(control 'ScrMouseRate(0)').* value=2 " \
  "$(control 'lblRate(2)').* text=上:3\$" "$(control 'lblRate(1)').* text=右\$"
read -r left top right bottom <<<"$(rect_of 'ScrMouseRate(3)')"
y=$(((top + bottom) / 2))
# The thumb at 1 sits just right of the left arrow, which is as wide as the bar is high.
point_at 'ScrMouseRate(3)' $((right - (left + bottom - top + 6)))
xdotool mousedown 1
xdotool mousemove $(((left + right) / 2)) "$y"
expect_editor "$(control 'lblRate(3)').* text=下:[2-9]\$"
xdotool mousemove $((right - (bottom - top) - 3)) "$y" mouseup 1
expect_editor "$(control 'lblRate(3)').* text=下:10\$" "$(control 'ScrMouseRate(3)').* value=10 "

step "the file picker puts the chosen path into the path box"
click GetFile
tv_probe wait '定位游戏文件' 20 >/dev/null || tv_fail "no open-file dialog"
# picker_shows PATTERN: the picker's focused control matches PATTERN.
picker_shows() {
  tv_probe controls '定位游戏文件' | grep -E '^control .* focus=1 ' | grep -qE -- "$1"
}
tv_wait 15 picker_shows ' class=Edit .* text=$' || tv_fail "the picker's name box did not take the focus"
tv_screenshot file-dialog
xdotool type --delay 20 "$game_path"
tv_wait 15 picker_shows " text=$game_path_pattern\$" || tv_fail "the picker's name box lost typed keys"
xdotool key Return
tv_probe gone '定位游戏文件' 20 || tv_fail "the open-file dialog stayed open"
expect_editor "$(control 'TxtGame(1)').* text=$game_path_pattern\$"
editor_screenshot editor-mapped

step "OK saves exactly the mapped profile"
editor_ok
saved "$run/setinf.set" mapped.set
expect_main '^list-item 2 Rally$'

step "reopened, the editor shows the stored profile"
tv_probe select "$title" 2
open_editor '设置\.\.\.'
expect_editor "$(control 'TxtGame(0)').* text=Rally\$" "$(control 'SetMove(2)').* text=Up\$" \
  "$(control 'SetRepKeyWhl(0)').* visible=1 .* text=C\$" "$(control 'SetWheel(1)').* visible=0 " \
  "$(control 'OptForward(3)').* check=1 " "$(control 'OptBackward(4)').* check=1 " \
  "$(control 'lblRate(0)').* text=左:2\$" "$(control 'lblRate(1)').* text=右\$" \
  "$(control 'lblRate(3)').* text=下:10\$" "$(control 'ChkRepeat(1)').* check=1 "
editor_screenshot editor-reopened

step "Tab stops at visible controls only, and in each wheel frame at the checked option"
# focused: the editor's control that has the focus, as "ID visible=V".
focused() {
  tv_probe controls "$editor" | sed -nE 's/^control ([^ ]+) .* visible=([01]) .* focus=1 .*/\1 visible=\2/p'
}
# focus_left FROM: the focus is on another control than FROM, which is kept in $now.
focus_left() {
  now=$(focused)
  [ "$now" != "$1" ]
}
focus_on 'TxtGame(1)'
first=$(focused)
[ -n "$first" ] || tv_fail "no control has the focus after a click on the path box"
now=$first
for step in $(seq 60); do
  xdotool key Tab
  tv_wait 5 focus_left "$now" || tv_fail "Tab did not move the focus from $now"
  echo "  $now"
  case $now in
    *visible=0* | "$(control_id cmdNoKey) "* | "") tv_fail "Tab put the focus on a control out of sight: '$now'" ;;
    "$(control_id OptForward)".*) [ "$now" = "$(control_id 'OptForward(3)') visible=1" ] || tv_fail "Tab landed on $now, not the checked OptForward(3)" ;;
    "$(control_id OptBackward)".*) [ "$now" = "$(control_id 'OptBackward(4)') visible=1" ] || tv_fail "Tab landed on $now, not the checked OptBackward(4)" ;;
  esac
  [ "$now" != "$first" ] || break
done
[ "$now" = "$first" ] || tv_fail "Tab did not come round to the path box"

step "Space on the focused option keeps the mode; an arrow key selects the next one"
click 'OptForward(3)'
expect_editor "$(control 'OptForward(3)').* focus=1 check=1 "
xdotool key space
expect_editor "$(control 'OptForward(3)').* check=1 " "$(control 'OptBackward(4)').* check=1 "
xdotool key Down
expect_editor "$(control 'OptForward(4)').* focus=1 check=1 " "$(control 'OptForward(3)').* check=0 "

step "the name box takes 20 characters, the path box any number; the close box discards the edit"
for box in 0 1; do
  focus_on "TxtGame($box)"
  xdotool key End
  xdotool type 'abcdefghijklmnopqrstuvwxyz'
done
expect_editor "$(control 'TxtGame(0)').* text=Rallyabcdefghijklmno\$" "$(control 'TxtGame(1)').* text=.*rally\.exeabcdefghijklmnopqrstuvwxyz\$"
tv_probe close "$editor"
tv_probe gone "$editor" 20 || tv_fail "the editor did not close"
expect_main '^list-item 2 Rally$'
same_file "$run/setinf.set" mapped.set || tv_fail "closing without OK wrote the settings file"

close_main
echo "editor end-to-end: all checks passed"
