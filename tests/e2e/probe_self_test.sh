#!/usr/bin/env bash
# The window probe's own check: it finds, reads and drives a window of its own
# and sees the keys, the pointer and a held file as the other tests rely on.
#   probe_self_test.sh WINDOW_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
export TV_PROBE=$1
tv_begin "$2" probe
log=$TV_DIR/keys.log
target='按键接收窗 key target keys'
tv_run_in_desktop "$TV_PROBE" keys "$(tv_windows_path "$log")" 60
tv_expect_lines 30 "$log" 0 '^ready$'
tv_probe wait "$target" 10 | grep -qE '^hwnd 0x[0-9a-f]+$' || tv_fail "wait printed no window handle"
tv_probe read "$target" | grep -qx "title $target" || tv_fail "read gave another title"
missing=0
tv_probe wait "没有 nothing" 0.3 >/dev/null || missing=$?
[ "$missing" = 10 ] || tv_fail "wait for a missing window ended with $missing, not the probe's own 10"
xdotool key a mousemove 300 200 click 1
tv_expect_lines 10 "$log" 1 '^keydown vk=65 scan=30 ext=0$' '^keyup vk=65 scan=30 ext=0$' '^mouse lbuttondown$'
[ "$(tv_probe cursor)" = "cursor 300 200" ] || tv_fail "cursor is not at 300 200"
tv_probe send "$target" 0x0010 0 0 | grep -qx 'answer 0' || tv_fail "send got no answer"  # WM_CLOSE
tv_probe gone "$target" 10 || tv_fail "the key target did not close"
echo "window probe self-test: all checks passed"
