# Helpers for the end-to-end tests of the real Tillervane.exe: reading and
# driving its main window and editor from outside through the window probe
# ($TV_PROBE). Source it after lib.sh and tv_begin.

# The main window's title: the version tag, made from the version the build reads.
version() { sed -n "s/^#define TILLERVANE_VERSION_$1 //p" "$(dirname "${BASH_SOURCE[0]}")/../../src/resources/Version.h"; }
title="Tillervane（Tillervane v$(version MAJOR).$(version MINOR)$(version REVISION)）"
editor='设置窗口'
# The settings files the tests start from and compare with (a native test
# holds them to the encoder's bytes).
fixtures=$(cd "$(dirname "${BASH_SOURCE[0]}")/fixtures" && pwd)

# same_file FILE FIXTURE: FILE holds exactly the fixture's bytes.
same_file() {
  cmp -s "$1" "$fixtures/$2"
}

# saved FILE FIXTURE: waits until FILE holds exactly the fixture's bytes.
saved() {
  tv_wait 10 same_file "$1" "$2" || tv_fail "$1 is not $2 ($(cmp "$1" "$fixtures/$2" 2>&1))"
}

# window_shows TITLE PATTERN: the window's facts, as the probe reads them, match PATTERN.
window_shows() {
  tv_probe read "$1" >"$TV_DIR/window.txt" 2>/dev/null && grep -qE -- "$2" "$TV_DIR/window.txt"
}

# shows TITLE PATTERN: waits until the window shows PATTERN.
shows() {
  tv_wait 15 window_shows "$1" "$2" || tv_fail "$1 does not show $2 (it shows: $(cat "$TV_DIR/window.txt"))"
}

expect_main() { shows "$title" "$1"; }

# menu CAPTION: chooses the main window's menu item with this caption.
menu() {
  local id
  id=$(tv_probe read "$title" | grep -E "^menu [0-9.]+ $1\|" | sed 's/.*|id=//')
  [ -n "$id" ] || tv_fail "the main window has no menu item $1"
  tv_probe command "$title" "$id"
}

# open_editor CAPTION: the menu item with this caption opens the editor.
open_editor() {
  menu "$1"
  tv_probe wait "$editor" 20 >/dev/null || tv_fail "no editor after $1"
}

# start_app: starts the program in the folder $run and waits for its main window.
start_app() {
  tv_run_in_desktop "$run/Tillervane.exe"
  tv_probe wait "$title" 60 >/dev/null || tv_fail "no main window from $run"
}

# close_main, exit_main: the main window's close box, its menu's 退出; either
# ends the program. Both wait for its process to end too: until then it holds
# the single-instance lock, and a new copy started meanwhile would quietly end.
close_main() {
  tv_probe close "$title"
  tv_probe gone "$title" 20 || tv_fail "the main window did not close"
  program_ended
}
exit_main() {
  menu 退出
  tv_probe gone "$title" 20 || tv_fail "the window did not close on 退出"
  program_ended
}
program_ended() {
  tv_probe ended Tillervane.exe 20 || tv_fail "Tillervane.exe still runs after its window closed"
}

# in_front TITLE: waits until the window is enabled and in front, where the
# keyboard's keys go.
in_front() {
  tv_probe front "$1" 15 >/dev/null || tv_fail "the window $1 did not come to the front"
}

# box_closed TITLE TEXT: no window TITLE shows TEXT any more (the next box may).
box_closed() {
  ! window_shows "$1" "^static $2\$"
}

# answer TEXT KEY [TITLE]: a message box (titled Tillervane unless TITLE says
# otherwise) shows TEXT and is answered with KEY.
answer() {
  local box=${3:-Tillervane}
  tv_probe wait "$box" 15 >/dev/null || tv_fail "no message box for: $1"
  shows "$box" "^static $1\$"
  in_front "$box"
  xdotool key "$2"
  tv_wait 10 box_closed "$box" "$1" || tv_fail "the box for \"$1\" stayed open"
}

# fresh_folder NAME [FIXTURE]: a folder of its own with the program and, if
# given, the fixture as its settings file; prints its path.
fresh_folder() {
  mkdir -p "$TV_DIR/$1"
  cp "$exe" "$TV_DIR/$1/Tillervane.exe"
  [ -z "${2:-}" ] || cp "$fixtures/$2" "$TV_DIR/$1/setinf.set"
  echo "$TV_DIR/$1"
}

# editor_has PATTERN...: the editor's controls, as the probe reads them, match every PATTERN.
editor_has() {
  tv_probe controls "$editor" >"$TV_DIR/controls.txt" || return 1
  local pattern
  for pattern in "$@"; do grep -qE -- "$pattern" "$TV_DIR/controls.txt" || return 1; done
}

expect_editor() {
  tv_wait 15 editor_has "$@" || tv_fail "the editor does not show: $* (it shows: $(cat "$TV_DIR/controls.txt"))"
}

# The editor's controls in the order the program lays them out: each one's
# window id is 100 plus its place here; the options of a group share the
# group's id and are told apart by their row ("OptForward(3)" is "142.3").
editor_controls=(
  "Label1(4)" "TxtGame(0)" "Label1(5)" "TxtGame(1)" GetFile Frame2 "PicXP(0)"
  "Label1(0)" "SetButton(0)" "ChkRepeat(0)" "Label1(2)" "SetReplaceKey(0)"
  "Label1(1)" "SetButton(1)" "ChkRepeat(1)" "Label1(3)" "SetReplaceKey(1)"
  "Label1(6)" "SetButton(2)" "ChkRepeat(2)" "Label1(7)" "SetReplaceKey(2)"
  Frame1 "PicXP(1)" "SetMove(2)" "SetMove(0)" Image1 "SetMove(1)" "SetMove(3)" lblRateCap
  "lblRate(0)" "ScrMouseRate(0)" "lblRate(1)" "ScrMouseRate(1)" "lblRate(2)" "ScrMouseRate(2)" "lblRate(3)" "ScrMouseRate(3)"
  ChkPrecise ChkTapBySpeed lblRunKey SetRunKey lblRunRate ScrRunRate
  "Frame4(0)" "PicXP(2)" "Label1(8)" "SetWheel(0)" OptForward "Frame3(0)" "Labc(0)" "SetRepKeyWhl(0)"
  "Frame4(1)" "PicXP(3)" "Label1(9)" "SetWheel(1)" OptBackward "Frame3(1)" "Labc(1)" "SetRepKeyWhl(1)"
  ChkHideCursor ChkGameWindow SetOk cmdNoKey)

# client_about W H: the editor's client area is W x H pixels, give or take 2.
client_about() {
  local width height
  tv_probe controls "$editor" >"$TV_DIR/controls.txt"
  read -r width height <<<"$(sed -n 's/^client //p' "$TV_DIR/controls.txt")"
  [ $((width - $1)) -ge -2 ] && [ $((width - $1)) -le 2 ] && [ $((height - $2)) -ge -2 ] && [ $((height - $2)) -le 2 ]
}

# control_id NAME: the id the probe gives the editor's control NAME, e.g. SetMove(2).
control_id() {
  local i group=${1%(*}
  for i in "${!editor_controls[@]}"; do
    [ "${editor_controls[$i]}" = "$1" ] && echo $((100 + i)) && return
    [[ $group == Opt* && ${editor_controls[$i]} == "$group" ]] && echo "$((100 + i)).${1//[^0-9]/}" && return
  done
  tv_fail "the editor has no control $1"
}

# control NAME: the pattern of the editor's control line for NAME.
control() {
  echo "^control $(control_id "$1" | sed 's/\./\\./') "
}

# rect_of NAME: "left top right bottom" of the named control on the screen.
rect_of() {
  tv_probe controls "$editor" | grep -E "$(control "$1")" | sed -E 's/.* rect=([-0-9]+),([-0-9]+),([-0-9]+),([-0-9]+) .*/\1 \2 \3 \4/'
}

# point_at NAME [DX]: the pointer on the named control, at its centre or DX
# pixels from its right edge, once the editor is enabled and in front and
# nothing covers the control there; the probe waits for all of it.
point_at() {
  local x= y= aim_pid aimed
  rm -f "$TV_DIR/aim.fifo"
  mkfifo "$TV_DIR/aim.fifo"
  tv_probe aim "$editor" "$(control_id "$1")" 15 ${2:+"$2"} >"$TV_DIR/aim.fifo" &
  aim_pid=$!
  exec {aimed}<"$TV_DIR/aim.fifo"
  read -r _ x y <&"$aimed" || true
  [ -z "$y" ] || xdotool mousemove "$x" "$y"
  exec {aimed}<&-
  wait "$aim_pid" || tv_fail "could not point at $1"
}

# click NAME [DX]: a real click where point_at puts the pointer. The pointer
# then leaves for the screen's corner: resting on a control with a tip would
# bring up a tooltip, which under Wine can swallow the next click on the
# control below it.
click() {
  point_at "$@"
  xdotool click 1 mousemove 0 0
}

# assign NAME KEY CAPTION: clicks a key button, presses KEY in the "请按键"
# dialog and expects CAPTION on the button.
assign() {
  click "$1"
  tv_probe wait '请按键' 15 >/dev/null || tv_fail "no key capture dialog after clicking $1"
  xdotool key "$2"
  tv_probe gone '请按键' 15 || tv_fail "the key capture dialog stayed open after $2"
  expect_editor "$(control "$1").* text=$3\$"
}

# focus_on NAME: clicks a text box and waits until it has the focus, where typed keys go.
focus_on() {
  click "$1"
  expect_editor "$(control "$1").* focus=1 "
}

# choose NAME: clicks an option or check box and expects it checked.
choose() {
  click "$1"
  expect_editor "$(control "$1").* check=1 "
}

# editor_ok: confirms the editor, which saves, and waits until it is gone.
editor_ok() {
  click SetOk
  tv_probe gone "$editor" 20 || tv_fail "the editor stayed open after OK"
}

# editor_screenshot NAME: the editor alone, cropped from the screen.
editor_screenshot() {
  local left top right bottom
  read -r left top right bottom <<<"$(tv_probe controls "$editor" | sed -n 's/^window //p')"
  tv_screenshot "$1-screen"
  /usr/bin/convert "$TV_DIR/$1-screen.png" -crop "$((right - left + 20))x$((bottom - top + 20))+$((left - 10))+$((top - 10))" \
    +repage "$TV_DIR/$1.png"
}

# pointer_at X Y: the pointer is there now.
pointer_at() {
  [ "$(tv_probe cursor)" = "cursor $1 $2" ]
}

# keys_after LINE PATTERN...: waits for the key target's log ($keys) to show
# PATTERNs in order after LINE.
keys_after() {
  local from=$1
  shift
  tv_expect_lines 10 "$keys" "$from" "$@"
}

# keys_on COMMAND PATTERN...: runs COMMAND (one line of shell) and waits for
# the key target's log to show PATTERNs in order after it.
keys_on() {
  local from
  from=$(tv_line_count "$keys")
  eval "$1"
  shift
  keys_after "$from" "$@"
}

# start_key_target LOG: the probe's own focused window, logging the keys it gets.
start_key_target() {
  keys=$1
  tv_run_in_desktop "$TV_PROBE" keys "$(tv_windows_path "$keys")" 600
  tv_expect_lines 30 "$keys" 0 '^ready$'
}

# control_at_timed_key_target X Y: with the program started on a file whose first
# game is Rally and whose start key is F10: Rally selected, the probe's key
# target logging with times to $keys, the pointer at X Y, and control started
# with F10, whose key-up reaches the key target too.
control_at_timed_key_target() {
  tv_probe select "$title" 0
  keys=$TV_DIR/keys.log
  tv_run_in_desktop "$TV_PROBE" keys "$(tv_windows_path "$keys")" 600 timed
  tv_expect_lines 30 "$keys" 0 '^ready'
  xdotool mousemove "$1" "$2"
  keys_on 'xdotool key F10' '^keyup vk=121 '
  expect_main '^button 正在控制 Rally......  按F12停止!$'
}

# activate_with_a_held HELD_LOG NEXT_LOG NEXT_NAME: with the left button (key A)
# held at the key target logging to HELD_LOG, the key target NEXT_NAME (logging
# to NEXT_LOG) comes to the front; A's release reaches that one, now in front.
activate_with_a_held() {
  local from
  from=$(tv_line_count "$1")
  xdotool mousedown 1
  tv_expect_lines 10 "$1" "$from" '^keydown vk=65 '
  from=$(tv_line_count "$2")
  tv_probe activate "按键接收窗 key target $3" || tv_fail "the key target $3 did not come to the front"
  tv_expect_lines 10 "$2" "$from" '^keyup vk=65 '
}
