#!/usr/bin/env bash
# 精确移动 at a focused window: a steady hand holds its direction key without a
# break however its pointer events come, and the run key joins only at speed;
# the editor's movement options.
#   movement_e2e.sh TILLERVANE_EXE WINDOW_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/app.sh"
exe=$1
export TV_PROBE=$2
tv_begin "$3" movement
# Rally (D:\Games\赛车\racer.exe) with 精确移动: the arrows at 4 pixels a tick, the
# run key Shift at 60, a bit and a byte of a later version; start key F10.
run=$(fresh_folder movement precise.set)
start_app
control_at_timed_key_target 600 300

# to_the_left X: the pointer leaps left to X, a fast move: the left arrow and
# Shift go down and up.
to_the_left() {
  keys_on "xdotool mousemove $1 300" '^keydown vk=16 ' '^keyup vk=37 ' '^keyup vk=16 '
}

# glide PIXELS PAUSE COUNT: moves the pointer right COUNT times by PIXELS, PAUSE
# seconds apart, in one xdotool.
glide() {
  local moves
  moves=$(for _ in $(seq "$3"); do printf 'mousemove_relative -- %s 0 sleep %s ' "$1" "$2"; done)
  # shellcheck disable=SC2086
  xdotool $moves
}

# between FROM PATTERN: the key log's lines after FROM that match PATTERN.
between() { tv_count_matches "$keys" "$1" "$2"; }

step "a pixel a millisecond for 360 ms: the right arrow goes down and stays down until the mouse stops"
to_the_left 120  # over the key target, which logs the moves the system delivers
from=$(tv_line_count "$keys")
glide 1 0.001 360
keys_after "$from" '^keydown vk=39 ' '^keyup vk=39 '
tv_quiet_for 0.3
presses=$(between "$from" '^keydown vk=39 ')
releases=$(between "$from" '^keyup vk=39 ')
echo "  right arrow: $presses presses, $releases releases"
[ "$(grep -E '^key(down|up) vk=39 ' "$keys" | tail -n1 | cut -d' ' -f1)" = keyup ] || tv_fail "the right arrow stayed down"
[ "$presses" -ge 40 ] || tv_fail "only $presses ticks pressed the right arrow"
# Under load the system now and then delivers no movement at all for a tick or
# more (xdotool, the X server or Wine waits for a core), and then all of it at
# once: the hand stopped and then leapt, as far as any program can tell, and
# the arrow may go up or Shift down. A release, or Shift, while the pointer's
# moves came on without such a pause is the flicker this test is for.
unexplained=$(awk -v f="$from" '
  function time_of(line) { sub(/.*sent=/, "", line); sub(/ .*/, "", line); return line + 0 }
  # after_pause(T, LAST): the moves up to number LAST paused for a tick within 32 ms before T.
  function after_pause(t, last,  i) {
    if (last == 0 || t - moves[last] >= 8) return 1
    for (i = last - 1; i >= 1 && moves[i + 1] >= t - 32; i--) if (moves[i + 1] - moves[i] >= 8) return 1
    return 0
  }
  NR <= f { next }
  /^mouse move/ { moves[++n] = time_of($0) }
  /^keyup vk=39 / { ups[++u] = time_of($0); upMoves[u] = n }
  /^keydown vk=16 / { runs[++s] = time_of($0); runMoves[s] = n }
  END {
    for (r = 1; r < u; r++) if (!after_pause(ups[r], upMoves[r])) print "the right arrow went up at " ups[r] " ms while the pointer moved on"
    for (r = 1; r <= s; r++) if (!after_pause(runs[r], runMoves[r])) print "Shift went down at " runs[r] " ms at a walk"
  }' "$keys")
echo "  $((releases - 1)) releases and $(between "$from" '^keydown vk=16 ') Shift presses after a pause in the delivered movement"
[ -z "$unexplained" ] || tv_fail "$unexplained"
[ "$(awk -v f="$from" 'NR > f && /^mouse move/ { m = NR } NR > f && /^keyup vk=39 / { u = NR } END { print (u > m) }' "$keys")" = 1 ] ||
  tv_fail "the right arrow was not let go after the pointer's last move"

step "sixteen pixels a millisecond: Shift joins the right arrow, and both go when the mouse stops"
to_the_left 40
from=$(tv_line_count "$keys")
glide 16 0.001 60
keys_after "$from" '^keydown vk=16 ' '^keyup vk=16 '
keys_after "$from" '^keydown vk=39 ' '^keyup vk=39 '
tv_quiet_for 0.3
for vk in 16 39; do
  [ "$(grep -E "^key(down|up) vk=$vk " "$keys" | tail -n1 | cut -d' ' -f1)" = keyup ] || tv_fail "key $vk stayed down"
done

xdotool key F12
expect_main '^button Rally 按F10开始控制......$'
touch "$keys.quit"

step "the editor shows the options; a change stores its own bit and byte and keeps the rest"
open_editor '设置\.\.\.'
expect_editor "$(control ChkPrecise).* check=1 " "$(control ChkTapBySpeed).* check=0 " \
  "$(control SetRunKey).* text=Shift\$" "$(control lblRunRate).* text=奔跑阈值:60\$"
editor_screenshot editor-precise
choose ChkTapBySpeed
read -r left _ right _ <<<"$(rect_of ScrRunRate)"
click ScrRunRate $((right - left - 6))  # the left arrow
expect_editor "$(control lblRunRate).* text=奔跑阈值:59\$"
editor_ok
saved "$run/setinf.set" precise-edited.set
close_main
echo "movement end-to-end: all checks passed"
