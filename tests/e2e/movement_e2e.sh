#!/usr/bin/env bash
# 精确移动 at a focused window: a steady hand holds its direction key without a
# break however its pointer events come, and the run key joins only at speed.
#   movement_e2e.sh TILLERVANE_EXE WINDOW_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/app.sh"
exe=$1
export TV_PROBE=$2
tv_begin "$3" movement
# Rally with 精确移动: the arrows at 4 pixels a tick, the run key Shift at 24; start key F10.
run=$(fresh_folder movement precise.set)
start_app
tv_probe select "$title" 0
keys=$TV_DIR/keys.log
tv_run_in_desktop "$TV_PROBE" keys "$(tv_windows_path "$keys")" 600 timed
tv_expect_lines 30 "$keys" 0 '^ready'
xdotool mousemove 100 300
keys_on 'xdotool key F10' '^keyup vk=121 '
expect_main '^button 正在控制 Rally......  按F12停止!$'

# glide PIXELS PAUSE COUNT: moves the pointer right COUNT times by PIXELS, PAUSE
# seconds apart, in one xdotool, from the left of the screen.
glide() {
  local moves
  moves=$(for _ in $(seq "$3"); do printf 'mousemove_relative -- %s 0 sleep %s ' "$1" "$2"; done)
  xdotool mousemove 20 300
  # shellcheck disable=SC2086
  xdotool $moves
}

# between FROM PATTERN: the key log's lines after FROM that match PATTERN.
between() { tv_count_matches "$keys" "$1" "$2"; }

step "a pixel a millisecond for 360 ms: the right arrow goes down and stays down until the mouse stops"
from=$(tv_line_count "$keys")
glide 1 0.001 360
keys_after "$from" '^keydown vk=39 ' '^keyup vk=39 '
tv_quiet_for 0.3
presses=$(between "$from" '^keydown vk=39 ')
echo "  right arrow: $presses presses, $(between "$from" '^keyup vk=39 ') release"
[ "$(between "$from" '^keyup vk=39 ')" = 1 ] || tv_fail "the right arrow was let go while the mouse moved"
[ "$(grep -E '^key(down|up) vk=39 ' "$keys" | tail -n1 | cut -d' ' -f1)" = keyup ] || tv_fail "the right arrow stayed down"
[ "$presses" -ge 20 ] || tv_fail "only $presses ticks pressed the right arrow"
[ "$(between "$from" '^keydown vk=16 ')" = 0 ] || tv_fail "Shift went down at a walk"

step "four pixels a millisecond: Shift joins the right arrow, and both go when the mouse stops"
from=$(tv_line_count "$keys")
glide 4 0.001 200
keys_after "$from" '^keydown vk=16 ' '^keyup vk=16 '
keys_after "$from" '^keydown vk=39 ' '^keyup vk=39 '
tv_quiet_for 0.3
for vk in 16 39; do
  [ "$(grep -E "^key(down|up) vk=$vk " "$keys" | tail -n1 | cut -d' ' -f1)" = keyup ] || tv_fail "key $vk stayed down"
done

xdotool key F12
expect_main '^button Rally 按F10开始控制......$'
touch "$keys.quit"
close_main
echo "movement end-to-end: all checks passed"
