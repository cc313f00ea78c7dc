#!/usr/bin/env bash
# Figures of the real Tillervane.exe under Wine, printed, never judged:
#  - the CPU share of the program and the Wine server while control is on and
#    the mouse rests, against a bare window's,
#  - the TimMove period while the mouse moves every 2 ms (shortest, 5th
#    percentile, median, 95th percentile, share within 7 to 9 ms), against a
#    bare program's 8 ms timer measured in the same passes,
#  - the delay from a real click to the mapped key-down at the focused window (median of 50),
#  - the time to the main window against a minimal Win32 window (median of 5 each).
#   wine_bench.sh TILLERVANE_EXE WINDOW_PROBE_EXE WORK_DIR
source "$(dirname "$0")/../tests/e2e/lib.sh"
source "$(dirname "$0")/../tests/e2e/app.sh"
exe=$1
export TV_PROBE=$2
tv_begin "$3" bench
mkdir -p "$TV_DIR/run"
cp "$exe" "$TV_DIR/run/Tillervane.exe"
# Three games, remembering "Rally", whose left button is A and whose movement
# holds the arrow keys from 1 pixel on: every move of the mouse is a key.
cp "$fixtures/sensitive.set" "$TV_DIR/run/setinf.set"

# median_and_p95: of the numbers on standard input, one per line.
median_and_p95() {
  sort -n | awk '{ v[NR] = $1 } END { printf "median %.2f, 95th percentile %.2f (n=%d)", v[int((NR + 1) / 2)], v[int(NR * 0.95 + 0.5)], NR }'
}

now_us() { date +%s%6N; }

# shown_after_ms TITLE COMMAND...: starts COMMAND and prints the milliseconds
# until a window with TITLE is shown, as the probe sees it.
shown_after_ms() {
  local title=$1 start
  shift
  start=$(now_us)
  "$@"
  tv_probe wait "$title" 30 >/dev/null || tv_fail "no window $title"
  echo $((($(now_us) - start) / 1000))
}

echo "start-up: time to the window, median of 5"
for run in 1 2 3 4 5; do
  shown_after_ms "$title" tv_run_in_desktop "$TV_DIR/run/Tillervane.exe" >>"$TV_DIR/startup-tillervane.txt"
  tv_probe close "$title"
  tv_probe gone "$title" 20 || tv_fail "Tillervane did not close"
  program_ended
  shown_after_ms '最小窗口 minimal' tv_run_in_desktop "$TV_PROBE" minimal-window 30 >>"$TV_DIR/startup-minimal.txt"
  tv_probe close '最小窗口 minimal'
  tv_probe gone '最小窗口 minimal' 20 || tv_fail "the minimal window did not close"
done
tillervane_ms=$(sort -n "$TV_DIR/startup-tillervane.txt" | sed -n 3p)
minimal_ms=$(sort -n "$TV_DIR/startup-minimal.txt" | sed -n 3p)
echo "  Tillervane.exe ${tillervane_ms} ms, minimal window ${minimal_ms} ms, ratio $(awk -v a="$tillervane_ms" -v b="$minimal_ms" 'BEGIN { printf "%.2f", a / b }')"

tv_run_in_desktop "$TV_DIR/run/Tillervane.exe"
tv_probe wait "$title" 60 >/dev/null || tv_fail "no main window"
xdotool key F9
control_on() { tv_probe read "$title" | grep -q '^list-enabled 0'; }
tv_wait 15 control_on || tv_fail "control did not start"
keys=$TV_DIR/keys.log
tv_run_in_desktop "$TV_PROBE" keys "$(tv_windows_path "$keys")" 600 timed
tv_expect_lines 30 "$keys" 0 '^ready'
xdotool mousemove 400 300

# cpu_ticks PATTERN: the CPU clock ticks (user and system) so far of this
# prefix's Wine server and of the process whose command line matches PATTERN.
cpu_ticks() {
  local pid total=0
  for pid in $(pgrep -f "$1") $(pgrep -f wineserver); do
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q explorer && continue  # the desktop that started it
    total=$((total + $(awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null || echo 0)))
  done
  echo "$total"
}
# cpu_share PATTERN: the share of one core it and the Wine server take over 10 s.
cpu_share() {
  local before
  before=$(cpu_ticks "$1")
  sleep 10
  awk -v a="$before" -v b="$(cpu_ticks "$1")" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f%%", 100 * (b - a) / hz / 10 }'
}

echo "CPU while control is on and the mouse rests, Tillervane.exe with the Wine server, 10 s"
echo "  $(cpu_share 'Tillervane\.exe')"

echo "TimMove period while the mouse moves one pixel right every 2 ms (each tick presses the right arrow),"
echo "against a bare program's 8 ms timer in the same passes (each of its ticks sends a key-up of F24)"
# period_figures: of the periods in ms on standard input.
period_figures() {
  sort -n | awk '{ v[NR] = $1; if ($1 >= 7 && $1 <= 9) within++ }
    END { printf "shortest %.2f, 5th percentile %.2f, median %.2f, 95th percentile %.2f, within 7-9 ms %.1f%% (n=%d)",
          v[1], v[int(NR * 0.05 + 1)], v[int((NR + 1) / 2)], v[int(NR * 0.95 + 0.5)], 100 * within / NR, NR }'
}
# periods_between FROM TO PATTERN: the ms between the key log's successive
# lines matching PATTERN, among its lines FROM+1 to TO.
periods_between() {
  awk -v f="$1" -v t="$2" -v p="$3" 'NR > f && NR <= t && $0 ~ p { sub(/.*at=/, ""); if (last) print ($1 - last) / 1000; last = $1 }' "$keys"
}
ticker_flag=$TV_DIR/ticker.quit
tv_run_in_desktop "$TV_PROBE" ticker 300 "$(tv_windows_path "$ticker_flag")"
tv_expect_lines 20 "$keys" "$(tv_line_count "$keys")" '^keyup vk=135 '
moves=$(for i in $(seq 900); do printf 'mousemove_relative -- 1 0 sleep 0.002 '; done)
for pass in 1 2 3 4 5; do
  xdotool mousemove 20 384
  from=$(tv_line_count "$keys")
  # shellcheck disable=SC2086
  xdotool $moves
  to=$(tv_line_count "$keys")
  periods_between "$from" "$to" '^keydown vk=39 ' >>"$TV_DIR/moving-periods.txt"
  periods_between "$from" "$to" '^keyup vk=135 ' >>"$TV_DIR/bare-periods.txt"
done
touch "$ticker_flag"
echo "  Tillervane.exe: $(period_figures <"$TV_DIR/moving-periods.txt") ms"
echo "  bare timer:     $(period_figures <"$TV_DIR/bare-periods.txt") ms"
xdotool mousemove 400 300  # back over the key target for the clicks

echo "click to key-down at the focused window, 50 clicks"
for click in $(seq 50); do
  from=$(tv_line_count "$keys")
  start=$(now_us)
  xdotool click 1
  tv_expect_lines 10 "$keys" "$from" '^keydown vk=65 '
  arrived=$(awk -v f="$from" 'NR > f && /^keydown vk=65 / { sub(/.*at=/, ""); print; exit }' "$keys")
  echo "$(((arrived - start)))" >>"$TV_DIR/click-us.txt"
done
awk '{ print $1 / 1000 }' "$TV_DIR/click-us.txt" | median_and_p95
echo " ms (from the start of xdotool, which itself takes a few milliseconds)"
touch "$keys.quit"
tv_probe close "$title"
tv_probe gone "$title" 20 || tv_fail "Tillervane did not close"
echo "CPU of a bare window (the probe's minimal window) with the Wine server, 10 s"
tv_run_in_desktop "$TV_PROBE" minimal-window 30
tv_probe wait '最小窗口 minimal' 30 >/dev/null || tv_fail "no minimal window"
echo "  $(cpu_share 'window_probe\.exe')"
tv_probe close '最小窗口 minimal'
