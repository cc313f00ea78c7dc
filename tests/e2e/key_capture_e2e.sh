#!/usr/bin/env bash
# The real "请按键" dialog under Wine: real keys from xdotool are captured by the
# low-level keyboard hook and reach no window; the close box captures nothing.
#   key_capture_e2e.sh KEY_CAPTURE_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
probe=$1
tv_begin "$2" key_capture
log=$TV_DIR/capture.log

# dialog_field NAME: the numbers of the latest "dialog NAME ..." line.
dialog_field() {
  grep "^dialog $1 " "$log" | tail -n1 | cut -d' ' -f3-
}

# capture N KEY VK EXT: presses KEY in the Nth dialog and expects VK and EXT;
# the key's release is not swallowed and reaches the owner window.
capture() {
  tv_expect_lines 20 "$log" 0 "^capture $1\$" "^dialog closebox "
  local from
  from=$(tv_line_count "$log")
  xdotool key "$2"
  tv_expect_lines 10 "$log" "$from" "^captured vk=$3 ext=$4\$"
  tv_expect_lines 10 "$log" "$from" "^window keyup vk=$3\$"
}

tv_run_in_desktop "$probe" "$(tv_windows_path "$log")"

echo "the dialog: caption, size, no minimize or maximize button"
tv_expect_lines 60 "$log" 0 '^capture 1$' '^dialog closebox '
read -r left top right bottom <<<"$(dialog_field frame)"
read -r width height <<<"$(dialog_field client)"
echo "dialog frame ${left},${top}-${right},${bottom}, client ${width}x${height}"
[ "$width" -ge 200 ] && [ "$width" -le 204 ] && [ "$height" -ge 92 ] && [ "$height" -le 96 ] ||
  tv_fail "client area ${width}x${height}, expected about 202x94"
[ "$(dialog_field minmax)" = 0 ] || tv_fail "the dialog has a minimize or maximize button"
tv_screenshot screen
/usr/bin/convert "$TV_DIR/screen.png" -crop "$((right - left + 20))x$((bottom - top + 20))+$((left - 10))+$((top - 10))" \
  "$TV_DIR/dialog.png"

echo "A, the Right arrow and keypad 6 with NumLock off are captured"
capture 1 a 65 0
capture 2 Right 39 1
capture 3 KP_Right 39 0

echo "the close box captures nothing"
tv_expect_lines 20 "$log" 0 '^capture 4$' '^dialog closebox '
read -r x y <<<"$(dialog_field closebox)"
[ "$x" -gt 0 ] || tv_fail "the dialog has no close box"
xdotool mousemove "$x" "$y" click 1
tv_expect_lines 10 "$log" 0 '^capture 4$' '^captured vk=0 ext=0$'

echo "without its hook, the dialog closes on the release of F10 and of Alt, capturing nothing"
n=0
for key in F10 Alt_L; do
  n=$((n + 1))
  tv_expect_lines 20 "$log" 0 "^capture without hook $n\$" '^dialog closebox '
  from=$(tv_line_count "$log")
  xdotool key "$key"
  tv_expect_lines 10 "$log" "$from" '^captured vk=0 ext=0$'
done
tv_expect_lines 10 "$log" 0 '^bye$'

echo "key names on this system:"
grep '^name ' "$log" | sed 's/^/  /'
[ "$(grep -c '^name vk=[0-9]* ext=[01] .' "$log")" -eq 10 ] || tv_fail "a key has no name"

echo "no key press reached any window while the hook was in place"
hooked=$(sed '/^without hook$/q' "$log")
if grep -q '^window keydown' <<<"$hooked"; then tv_fail "$(grep '^window keydown' <<<"$hooked" | head -n3)"; fi
echo "key capture end-to-end: all checks passed"
