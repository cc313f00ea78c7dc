#!/usr/bin/env bash
# The engine with the real hook under Wine: real X input from xdotool becomes
# the built-in profile's keys at the probe's own focused window.
#   engine_e2e.sh ENGINE_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
probe=$1
tv_begin "$2" engine
log=$TV_DIR/keys.log

tv_run_in_desktop "$probe" "$(tv_windows_path "$log")"
tv_expect_lines 60 "$log" 0 '^ready hook=1$'
xdotool mousemove 400 300
tv_screenshot probe

echo "a left click becomes A's key-down and key-up, and the click itself passes on"
from=$(tv_line_count "$log")
xdotool click 1
tv_expect_lines 10 "$log" "$from" '^keydown vk=65 scan=30 ext=0$' '^mouse lbuttondown$' '^keyup vk=65 scan=30 ext=0$'

echo "a wheel turn forward in press-once mode presses and releases W"
from=$(tv_line_count "$log")
xdotool click 4
tv_expect_lines 10 "$log" "$from" '^keydown vk=87 scan=17 ext=0$' '^keyup vk=87 scan=17 ext=0$'
echo "and backward, X"
from=$(tv_line_count "$log")
xdotool click 5
tv_expect_lines 10 "$log" "$from" '^keydown vk=88 scan=45 ext=0$' '^keyup vk=88 scan=45 ext=0$'

echo "a move past the threshold holds the direction key until the mouse rests"
for step in "40 0 39" "-40 0 37" "0 40 40" "0 -40 38"; do
  set -- $step
  from=$(tv_line_count "$log")
  xdotool mousemove_relative -- "$1" "$2"
  tv_expect_lines 10 "$log" "$from" "^keydown vk=$3 scan=[0-9]+ ext=1$" "^keyup vk=$3 scan=[0-9]+ ext=1$"
done

echo "a held right button with hold-to-repeat presses S again and again"
from=$(tv_line_count "$log")
xdotool mousedown 3
tv_expect_lines 10 "$log" "$from" '^keydown vk=83 ' '^keyup vk=83 ' '^keydown vk=83 ' '^keyup vk=83 ' '^keydown vk=83 '
xdotool mouseup 3
held_until=$(tv_line_count "$log")
tv_expect_lines 10 "$log" "$from" '^keyup vk=83 '
# The movement timer keeps releasing the arrows every tick: once it has ticked a
# while longer, no press of S may have followed its final key-up.
tv_wait 5 tv_longer_than "$log" "$((held_until + 40))" || tv_fail "the timers stopped ticking"
last_down=$(awk '/^keydown vk=83 /{n=NR} END{print n+0}' "$log")
last_up=$(awk '/^keyup vk=83 /{n=NR} END{print n+0}' "$log")
[ "$last_up" -gt "$last_down" ] || tv_fail "S was left held after the button was released"

echo "the probe removes its hook and ends"
touch "$log.quit"
tv_expect_lines 10 "$log" 0 '^bye$'
echo "engine end-to-end: all checks passed"
