#!/usr/bin/env bash
# What the engine sends a focused window, timed: nothing while the mouse rests,
# a press-once wheel key held for its 30 ms at the window (not sent down and up
# in one go from inside the hook), one press per notch of a fast spin, and keys
# let go but control kept when the session's end is only asked about.
#   engine_e2e.sh TILLERVANE_EXE WINDOW_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/app.sh"
exe=$1
export TV_PROBE=$2
tv_begin "$3" engine
# Rally: left button A, arrows from 1 pixel, the wheel forward 只按一次 on Z; start key F10.
run=$(fresh_folder engine after-press-once.set)
start_app
tv_probe select "$title" 0
keys=$TV_DIR/keys.log
tv_run_in_desktop "$TV_PROBE" keys "$(tv_windows_path "$keys")" 600 timed
tv_expect_lines 30 "$keys" 0 '^ready'
xdotool mousemove 400 300
xdotool key F10
expect_main '^button 正在控制 Rally......  按F12停止!$'

echo "the mouse at rest: no key event at all"
sleep 0.3
from=$(tv_line_count "$keys")
sleep 1
[ "$(tv_count_matches "$keys" "$from" '^key')" = 0 ] || tv_fail "keys were sent at rest: $(tail -n3 "$keys")"

echo "只按一次: each notch holds Z at the window for 30 ms (the median: a busy machine delays single events)"
for notch in 1 2 3 4 5; do
  keys_on 'xdotool click 4' '^keydown vk=90 ' '^keyup vk=90 '
  sleep 0.1
done
awk '/^keydown vk=90 / { sub(/.*at=/, ""); down = $1 } /^keyup vk=90 / && down { sub(/.*at=/, ""); print ($1 - down) / 1000; down = 0 }' \
  "$keys" >"$TV_DIR/holds.txt"
echo "  holds in ms: $(tr '\n' ' ' <"$TV_DIR/holds.txt")"
[ "$(sort -n "$TV_DIR/holds.txt" | sed -n 3p | cut -d. -f1)" -ge 29 ] || tv_fail "the press-once holds are shorter than 30 ms"

echo "a fast spin: one press per notch"
from=$(tv_line_count "$keys")
xdotool click --repeat 4 --delay 10 4
keys_after "$from" '^keydown vk=90 ' '^keydown vk=90 ' '^keydown vk=90 ' '^keydown vk=90 ' '^keyup vk=90 '
sleep 0.3
[ "$(tv_count_matches "$keys" "$from" '^keydown vk=90 ')" = 4 ] || tv_fail "not four presses for four notches"
[ "$(grep -E '^key(down|up) vk=90 ' "$keys" | tail -n1 | cut -d' ' -f1)" = keyup ] || tv_fail "Z was left held"

echo "a held button stays held across the poll's looks at the window and the desktop in front"
keys_on 'xdotool mousedown 1' '^keydown vk=65 '
from=$(tv_line_count "$keys")
sleep 0.5
[ "$(tv_count_matches "$keys" "$from" '^keyup vk=65 ')" = 0 ] || tv_fail "A was let go while its button was held"
keys_on 'xdotool mouseup 1' '^keyup vk=65 '

echo "the session's end only asked about: the held key goes up, control stays on"
keys_on 'xdotool mousedown 1' '^keydown vk=65 '
keys_on 'tv_probe send "$title" 0x11 0 0 >/dev/null' '^keyup vk=65 '  # WM_QUERYENDSESSION
xdotool mouseup 1
tv_probe send "$title" 0x16 0 0 >/dev/null  # WM_ENDSESSION: cancelled
expect_main '^button 正在控制 Rally......  按F12停止!$'
xdotool key F12
expect_main '^button Rally 按F10开始控制......$'
touch "$keys.quit"
close_main
echo "engine end-to-end: all checks passed"
