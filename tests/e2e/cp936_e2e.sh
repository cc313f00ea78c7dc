#!/usr/bin/env bash
# Code page 936 agreement: the names of a settings file the native encoder wrote
# read back under Wine as the native side reads them, and the real
# Tillervane.exe writes them back as the same bytes.
#   cp936_e2e.sh TILLERVANE_EXE WINDOW_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/app.sh"
exe=$1
export TV_PROBE=$2
tv_begin "$3" cp936
run=$(fresh_folder run cp936.set)
tv_run_in_desktop "$run/Tillervane.exe"
tv_probe wait "$title" 60 >/dev/null || tv_fail "no main window"
expect_main '^list-selected 1$'
tv_probe read "$title" | grep '^list-item ' >"$TV_DIR/names.txt"
# The samples of the native tests, as they read back.
diff -u - "$TV_DIR/names.txt" <<'NAMES' || tv_fail "Windows reads the names otherwise than the native side"
list-item 0 
list-item 1 Tillervane 2.01
list-item 2 Tillervane（Tillervane v2.01）
list-item 3 C:\游戏\赛车.exe
list-item 4 新游戏 按住重复 切换键
list-item 5 配置文件异常！
list-item 6 《三国志》·一—～
list-item 7 €℃￥〇々éǚ
list-item 8 a?b?
NAMES
menu 退出  # remembering on: saves every name again
tv_probe gone "$title" 20 || tv_fail "the window did not close"
same_file "$run/setinf.set" cp936.set || tv_fail "Windows writes the names otherwise than the native side"
echo "code page 936 end-to-end: all checks passed"
