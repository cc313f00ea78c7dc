#!/usr/bin/env bash
# The hotkey and help commands of the real Tillervane.exe under Wine, driven from
# outside: menu commands posted by the window probe, keys and answers from xdotool,
# the pages opened as the browser receives them.
#   commands_e2e.sh TILLERVANE_EXE WINDOW_PROBE_EXE USAGE_PAGE E2E_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/app.sh"
exe=$1
export TV_PROBE=$2
usage_page=$3
tv_begin "$4" commands
run=$(fresh_folder run three-games.set)
browsed=$TV_DIR/browsed.txt
tv_record_browser "$browsed"

seen=0

# opened ADDRESS: the browser is handed ADDRESS next.
opened() {
  tv_wait 15 tv_longer_than "$browsed" "$seen" || tv_fail "no page was opened; expected $1"
  seen=$((seen + 1))
  local got
  got=$(sed -n "${seen}p" "$browsed")
  [ "$got" = "$1" ] || tv_fail "the browser was handed $got instead of $1"
}

tv_run_in_desktop "$run/Tillervane.exe"
tv_probe wait "$title" 60 >/dev/null || tv_fail "no main window"

echo "reassigning the start key: capture F10, confirm, the menu and the file follow"
menu 重设启动键
tv_probe wait 请按键 15 >/dev/null || tv_fail "no capture dialog"
xdotool key F10
answer '你将 F10 设置为启动键？' Return
shows "$title" '^menu [0-9.]+ 启动（热键 F10）\|'
saved "$run/setinf.set" three-games-f10.set

echo "the new key starts control, the old one no longer does"
xdotool key F9
shows "$title" '^button Rally 按F10开始控制......$'
xdotool key F10
shows "$title" '^button 正在控制 Rally......  按F12停止!$'

echo "About shows exactly two boxes; update and help open their pages; control stays on"
menu '关于Tillervane...'
answer 'Tillervane（Tillervane v2.01）' Return
answer '若存在 BUG，请到更新发布页获取新版本！' Return
tv_probe gone Tillervane 3 || tv_fail "a third box appeared"
menu '软件更新...'
answer '将转到发布页获取更新！' Return 更新
opened https://tillervane.example.com/releases
menu '如何使用...'
opened https://tillervane.example.com/help

echo "with the usage page beside the program, 如何使用... opens that page"
cp "$usage_page" "$run/"
menu '如何使用...'
opened "file://$(realpath "$run/$(basename "$usage_page")")"
shows "$title" '^button 正在控制 Rally......  按F12停止!$'

echo "reassigning the stop key while control is on stops it; cancelling keeps the old key"
menu 重设停止键
tv_probe wait 请按键 15 >/dev/null || tv_fail "no capture dialog"
shows "$title" '^button Rally 按F10开始控制......$'
xdotool key F11
answer '你将 F11 设置为停止键？' Escape
shows "$title" '^menu [0-9.]+ 停止（热键 F12）\|'
shows "$title" '^list-enabled 1$'
same_file "$run/setinf.set" three-games-f10.set || tv_fail "the cancelled stop key was saved"

echo "a settings file the program may not write: the failure says where to keep the program"
# As root, no permission makes Wine refuse a file; a folder in the file's place
# is refused with the same error as a protected folder.
mv "$run/setinf.set" "$TV_DIR/kept.set"
mkdir "$run/setinf.set"
menu 重设停止键
tv_probe wait 请按键 15 >/dev/null || tv_fail "no capture dialog"
xdotool key F11
answer '你将 F11 设置为停止键？' Return
tv_probe wait Tillervane 15 >/dev/null || tv_fail "no failure box"
shows Tillervane '^Tillervane 的设置保存在程序所在的文件夹中，请把整个程序文件夹放到一个可以写入的位置'
tv_screenshot settings-refused
xdotool key Return
tv_probe gone Tillervane 10 || tv_fail "the failure box stayed open"
rmdir "$run/setinf.set"
mv "$TV_DIR/kept.set" "$run/setinf.set"

tv_probe close "$title"
tv_probe gone "$title" 20 || tv_fail "the window did not close"
echo "commands end-to-end: all checks passed"
