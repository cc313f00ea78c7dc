#!/usr/bin/env bash
# The program in front chooses the game: two games whose files are copies of
# one window program in two nested folders, each mapping the left button to
# its own key, and a third window that belongs to no game; the option's bit in
# the file; the notification area's icon.
#   autogame_e2e.sh TILLERVANE_EXE WINDOW_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/app.sh"
exe=$1
export TV_PROBE=$2
tv_begin "$3" autogame
# 无文件 (no file, left button D), 赛车 in C:\auto\one (A), 飞机 in C:\auto\one\two (S);
# the header's reserved bytes are f0 01 02 ... 13.
run=$(fresh_folder autogame auto-games.set)
one="$WINEPREFIX/drive_c/auto/one"
two="$one/two"
mkdir -p "$two"
cp "$TV_PROBE" "$one/game.exe"
cp "$TV_PROBE" "$two/game.exe"
start_app

# The notification area, at the right end of the Wine desktop's task bar; each
# look of the icon has a disc of its own colour.
tray_off='#808690' tray_on='#229646' tray_waiting='#E29614'
# tray_pixel COLOUR: "X Y" of the first pixel of COLOUR there, nothing when none.
tray_pixel() {
  tv_screenshot tray-now
  convert "$TV_DIR/tray-now.png" -crop 200x20+824+748 txt:- |
    awk -v c="$1" 'index(toupper($0), c) { split($1, p, "[,:]"); print p[1] + 824, p[2] + 748; exit }'
}
tray_shows() { [ -n "$(tray_pixel "$1")" ]; }
expect_tray() { tv_wait 10 tray_shows "$1" || tv_fail "the notification area does not show the icon with $1"; }
# shown CLASS: a visible top-level window of this class exists.
shown() { tv_probe windows | grep -q "visible=1 .* class=$1 "; }

step "the notification area shows the icon of control off"
expect_tray "$tray_off"
tv_screenshot tray-off

step "自动切换游戏 is stored as bit 0 of the header's first reserved byte, the other bytes kept"
menu '自动切换游戏'
tv_wait 10 window_shows "$title" '^menu [0-9.]+ 自动切换游戏\|checked=1' || tv_fail "the item is not checked"
reserved() { od -An -tx1 -v "$run/setinf.set" | tr -d ' \n' | grep -q "$1"; }
tv_wait 10 reserved 0000f10102030405060708090a0b0c0d0e0f10111213 || tv_fail "the reserved bytes are not f1 01 ... 13"

step "no game selected: the start key starts control, which waits for a game's window"
expect_main '^list-selected -1$'
start_key_target "$TV_DIR/other.log"
other=$keys
xdotool key F9
expect_main '^button 等待游戏窗口激活......  按F12停止!$'
expect_tray "$tray_waiting"
tv_screenshot tray-waiting
xdotool mousemove 400 300
from=$(tv_line_count "$other")
xdotool click 1
keys_after "$from" '^mouse lbuttondown$'
[ "$(tv_count_matches "$other" "$from" '^keydown')" = 0 ] || tv_fail "a click was mapped while control waited"

# game NAME LOG: the key target started from the game's folder NAME is in front.
game_in_front() {
  tv_run_in_desktop "$1/game.exe" keys "$(tv_windows_path "$2")" 600
  tv_expect_lines 30 "$2" 0 '^ready$'
}
# clicks_give LOG VK: a click in front gives the key VK to the window of LOG.
clicks_give() {
  local from
  from=$(tv_line_count "$1")
  xdotool click 1
  tv_expect_lines 10 "$1" "$from" "^keydown vk=$2 " "^keyup vk=$2 "
}

step "a game's window in front: it becomes current, and a click gives its key"
game_in_front "$one" "$TV_DIR/one.log"
expect_main '^button 正在控制 赛车......  按F12停止!$'
expect_main '^list-selected 1$'
clicks_give "$TV_DIR/one.log" 65
expect_tray "$tray_on"

step "the game in the deeper folder wins over the one whose folder holds it"
game_in_front "$two" "$TV_DIR/two.log"
expect_main '^button 正在控制 飞机......  按F12停止!$'
expect_main '^list-selected 2$'
clicks_give "$TV_DIR/two.log" 83

step "back to the first game; a held key is let go when the other comes to the front (the key-up goes where the focus now is)"
tv_probe activate "按键接收窗 key target one" || tv_fail "the first game did not come to the front"
expect_main '^list-selected 1$'
clicks_give "$TV_DIR/one.log" 65
activate_with_a_held "$TV_DIR/one.log" "$TV_DIR/two.log" two
expect_main '^list-selected 2$'
xdotool mouseup 1

step "a window of no game: control waits, clicks stay clicks"
tv_probe activate "按键接收窗 key target other" || tv_fail "the other window did not come to the front"
expect_main '^button 等待游戏窗口激活......  按F12停止!$'
from=$(tv_line_count "$other")
xdotool click 1
keys_after "$from" '^mouse lbuttondown$'
[ "$(tv_count_matches "$other" "$from" '^keydown')" = 0 ] || tv_fail "a click was mapped while control waited"

step "the icon's tip; a left click on it brings the main window to the front"
tv_probe activate "按键接收窗 key target two" || tv_fail "the second game did not come to the front"
expect_main '^button 正在控制 飞机......  按F12停止!$'
read -r x y <<<"$(tray_pixel "$tray_on")"
[ -n "$y" ] || tv_fail "no icon of control on in the notification area"
xdotool mousemove "$x" "$((y + 4))"
tv_wait 10 shown tooltips_class32 || tv_fail "the icon shows no tip"
tv_screenshot tray-on
xdotool click 1
in_front "$title"
expect_main '^button 等待游戏窗口激活......  按F12停止!$'

step "the icon's right-click menu: 启动, 停止 with their hotkeys, 显示主窗口, 退出; 停止 stops"
xdotool click 3
tv_wait 10 shown '#32768' || tv_fail "no menu on a right click"
tv_screenshot tray-menu
xdotool key Down Down Return
expect_main '^button 飞机 按F9开始控制......$'
expect_tray "$tray_off"

step "stopping left the selection on the game that was current last"
expect_main '^list-selected 2$'
touch "$other.quit" "$TV_DIR/one.log.quit" "$TV_DIR/two.log.quit"
close_main
no_icon() { ! tray_shows "$tray_off" && ! tray_shows "$tray_on" && ! tray_shows "$tray_waiting"; }
tv_wait 10 no_icon || tv_fail "the icon stayed in the notification area after the program ended"

step "a copy started to take over (as 以管理员身份重新启动 starts it) selects its game and starts control"
tv_run_in_desktop "$run/Tillervane.exe" /takeover 1
tv_probe wait "$title" 60 >/dev/null || tv_fail "no main window from the copy that takes over"
expect_main '^list-selected 1$'
expect_main '^button 等待游戏窗口激活......  按F12停止!$'
xdotool key F12
expect_main '^button 赛车 按F9开始控制......$'
close_main
echo "automatic game choice end-to-end: all checks passed"
