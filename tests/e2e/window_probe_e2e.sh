#!/usr/bin/env bash
# The window probe under Wine against a target program of its own: reading the
# window, its controls and its menu from outside, driving it, and the probe's
# own key target and minimal windows.
#   window_probe_e2e.sh WINDOW_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
export TV_PROBE=$1
target=$(dirname "$1")/probe_target.exe
title="探针目标 probe target"
tv_begin "$2" window_probe

# fails_with STATUS COMMAND...: true when COMMAND ends with exactly STATUS.
fails_with() {
  local want=$1 status=0
  shift
  "$@" >/dev/null 2>&1 || status=$?
  [ "$status" -eq "$want" ]
}

# check_read NAME: `read` of the target against the expected text, rect aside.
check_read() {
  tv_probe read "$title" >"$TV_DIR/$1.read"
  diff -u "$TV_DIR/$1.expected" <(grep -v '^rect ' "$TV_DIR/$1.read") || tv_fail "read $1 differs"
}

echo "wait finds the window on the test desktop; a missing one times out"
tv_run_in_desktop "$target"
tv_probe wait "$title" 60 | grep -qE '^hwnd 0x[0-9a-f]+$' || tv_fail "wait printed no window handle"
fails_with 1 tv_probe wait "没有 nothing" 0.3 || tv_fail "wait for a missing window did not time out"
fails_with 1 tv_probe read "没有 nothing" || tv_fail "read of a missing window did not fail"

echo "read gives the title, the controls, the sizes and the whole menu"
cat >"$TV_DIR/start.expected" <<'TEXT'
title 探针目标 probe target
button 状态 status
button-enabled 0
list-count 3
list-selected 1
list-enabled 1
list-item 0 仙剑奇侠传
list-item 1 大富翁（四）
list-item 2 三国志 英杰传
client 400 300
menu 0 鼠标模拟
menu 0.0 启用（热键 F9）|checked=1|id=2001
menu 0.1 sep
menu 0.2 更多 more
menu 0.2.0 日志 log|checked=0|id=2003
menu 1 帮助
menu 1.0 关于 about|checked=0|id=2002
TEXT
check_read start
read -r _ left top right bottom <<<"$(grep '^rect ' "$TV_DIR/start.read")"
[ "$left $top" = "120 80" ] && [ $((right - left)) -gt 400 ] && [ $((bottom - top)) -gt 300 ] ||
  tv_fail "window rect $left $top $right $bottom, expected a frame around 400x300 at 120,80"
tv_screenshot target

echo "command 2001 flips the check mark, twice"
sed 's/^\(menu 0.0 .*\)checked=1/\1checked=0/' "$TV_DIR/start.expected" >"$TV_DIR/unchecked.expected"
tv_probe command "$title" 2001
check_read unchecked
tv_probe command "$title" 2001
check_read start

echo "select moves the selection and tells the owner; an index past the end fails"
tv_probe select "$title" 2
sed -e 's/^button 状态 status$/button 选中 2/' -e 's/^list-selected 1$/list-selected 2/' \
  "$TV_DIR/start.expected" >"$TV_DIR/selected.expected"
check_read selected
fails_with 1 tv_probe select "$title" 3 || tv_fail "select past the end did not fail"

echo "cursor follows the pointer"
for point in "300 200" "1000 700"; do
  xdotool mousemove ${point}
  [ "$(tv_probe cursor)" = "cursor $point" ] || tv_fail "cursor is not at $point"
done

echo "keys logs key presses, system keys and clicks at its own window, until the quit file"
log=$TV_DIR/keys.log
tv_probe keys "$(tv_windows_path "$log")" 60 &
keys_pid=$!
tv_expect_lines 30 "$log" 0 '^ready$'
tv_probe wait "按键接收窗 key target keys" 10 >/dev/null || tv_fail "no key target window named after its log"
xdotool key a
tv_expect_lines 10 "$log" 1 '^keydown vk=65 scan=30 ext=0$' '^keyup vk=65 scan=30 ext=0$'
from=$(tv_line_count "$log")
xdotool key Right alt+x
# With Alt held, X arrives as WM_SYSKEYDOWN; xdotool lets go of Alt first.
tv_expect_lines 10 "$log" "$from" '^keydown vk=39 scan=77 ext=1$' '^keyup vk=39 scan=77 ext=1$' \
  '^keydown vk=18 ' '^keydown vk=88 scan=45 ext=0$' '^keyup vk=18 ' '^keyup vk=88 '
from=$(tv_line_count "$log")
xdotool mousemove 400 300 click 1 click 3
tv_expect_lines 10 "$log" "$from" '^mouse lbuttondown$' '^mouse rbuttondown$'
touch "$log.quit"
tv_expect_lines 10 "$log" 0 '^bye$'
tv_wait 10 bash -c "! kill -0 $keys_pid" || tv_fail "keys did not end after the quit file"
echo "and ends by itself after SECONDS"
tv_probe keys "$(tv_windows_path "$TV_DIR/short.log")" 0.5
tv_lines_in_order "$TV_DIR/short.log" 0 '^ready$' '^bye$' || tv_fail "keys 0.5 did not run and end"

echo "minimal-window reports when it is shown and ends on WM_CLOSE"
shown=$TV_DIR/minimal.out
tv_probe minimal-window 60 >"$shown" &
minimal_pid=$!
tv_expect_lines 30 "$shown" 0 '^shown [0-9]+$'
ms=$(cut -d' ' -f2 "$shown")
echo "minimal window shown after $ms ms"
[ "$ms" -gt 0 ] && [ "$ms" -lt 10000 ] || tv_fail "shown after $ms ms"
tv_probe wait "最小窗口 minimal" 10 >/dev/null
tv_probe close "最小窗口 minimal"
tv_wait 10 bash -c "! kill -0 $minimal_pid" || tv_fail "the minimal window did not end on WM_CLOSE"
wait "$minimal_pid" || tv_fail "minimal-window failed"

echo "close ends the target; gone waits for that and times out while it is there"
fails_with 1 tv_probe gone "$title" 0.3 || tv_fail "gone did not time out for an open window"
tv_probe close "$title"
tv_probe gone "$title" 10 || tv_fail "the target did not close"
echo "window probe end-to-end: all checks passed"
