#!/usr/bin/env bash
# Sharing one game under Wine: a game exported through the save dialog is a
# UTF-8 file with its name and key names; imported into a second program with
# another settings file it becomes the same record byte for byte, and again
# under a free name; a broken file gives its line and reason and leaves the
# settings file as it was; a dropped file is imported too.
#   share_e2e.sh TILLERVANE_EXE WINDOW_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/app.sh"
exe=$1
export TV_PROBE=$2
tv_begin "$3" share

# game_record FILE INDEX: the bytes of game INDEX of a settings file, in hex.
game_record() {
  local hex at start i field
  hex=$(od -An -tx1 -v "$1" | tr -d ' \n')
  le16() { echo $((16#${hex:$(($1 * 2 + 2)):2}${hex:$(($1 * 2)):2})); }
  at=$((2 + $(le16 0) + 54 + 10))  # the version text, the fields up to the list, the list's header
  for ((i = 0; i <= $2; i++)); do
    start=$at
    for field in text text text flag text text; do
      if [ $field = flag ]; then at=$((at + 2)); else at=$((at + 2 + $(le16 $at))); fi
    done
    at=$((at + 218))
  done
  echo "${hex:$((start * 2)):$(((at - start) * 2))}"
}

# dialog_name_is TITLE TEXT: the file dialog's focused name box holds TEXT.
dialog_name_is() {
  tv_probe controls "$1" | grep -E '^control .* focus=1 ' | sed 's/.* text=//' | grep -qxF -- "$2"
}

# popup_shown: a menu window is open on the desktop.
popup_shown() {
  tv_probe windows | grep -q '#32768'
}

step "the game menu offers export and import after 删除游戏"
run=$(fresh_folder first mapped.set)
start_app
tv_probe read "$title" | grep -E '^menu 1\.' >"$TV_DIR/game-menu.txt"
grep -A2 '删除游戏|' "$TV_DIR/game-menu.txt" | sed 's/|.*//' | cut -d' ' -f3- >"$TV_DIR/after-delete.txt"
diff -u - "$TV_DIR/after-delete.txt" <<'ITEMS' || tv_fail "the game menu does not end with the two commands"
删除游戏
导出配置...
导入配置...
ITEMS

step "export with nothing selected asks for a game"
tv_probe select "$title" -1
expect_main '^button 请选择游戏$'
menu '导出配置\.\.\.'
answer '请选择游戏！' Return

step "the list's popup menu shows both commands"
read -r left top right bottom <<<"$(tv_probe controls "$title" | grep -E '^control .* class=ListBox ' |
  sed -E 's/.* rect=([-0-9]+),([-0-9]+),([-0-9]+),([-0-9]+) .*/\1 \2 \3 \4/')"
in_front "$title"
xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 3
tv_wait 10 popup_shown || tv_fail "no popup menu"
tv_screenshot popup-menu
xdotool key Escape mousemove 0 0

step "Rally goes out through the save dialog, into the program's folder under its own name"
tv_probe select "$title" 2
menu '导出配置\.\.\.'
tv_probe wait '导出游戏配置' 20 >/dev/null || tv_fail "no save dialog"
tv_wait 15 dialog_name_is '导出游戏配置' 'Rally.tvgame' || tv_fail "the save dialog does not propose Rally.tvgame"
tv_screenshot save-dialog
in_front '导出游戏配置'
xdotool key Return
tv_probe gone '导出游戏配置' 20 || tv_fail "the save dialog stayed open"
exported=$run/Rally.tvgame
tv_wait 10 test -s "$exported" || tv_fail "no $exported"

step "the file is UTF-8 with a byte-order mark, the name and the key names in it"
[ "$(head -c3 "$exported" | od -An -tx1 | tr -d ' ')" = efbbbf ] || tv_fail "no byte-order mark"
iconv -f UTF-8 -t UTF-8 "$exported" >/dev/null || tv_fail "not UTF-8"
tail -c +4 "$exported" | tr -d '\r' >"$TV_DIR/exported.txt"
for line in '^\[Tillervane 游戏配置\]$' '^格式版本 = 1$' '^游戏名称 = Rally$' \
  '^文件位置 = C:\\game folder\\rally\.exe$' '^向上移动 = Up \(38, 扩展\)$' '^左键 = [^ ].* \([0-9]+\)$'; do
  grep -qE -- "$line" "$TV_DIR/exported.txt" || tv_fail "the file has no line $line"
done
close_main

step "imported into a second program with another settings file, it is the same record byte for byte"
cp "$exported" "$TV_DIR/shared.tvgame"
shared=$(tv_windows_path "$TV_DIR/shared.tvgame")
run2=$(fresh_folder second two-games.set)
run=$run2
start_app
expect_main '^list-count 2$'
# import_shared: 导入配置... and the shared file typed into the open dialog.
import_shared() {
  menu '导入配置\.\.\.'
  tv_probe wait '导入游戏配置' 20 >/dev/null || tv_fail "no open dialog"
  tv_wait 15 dialog_name_is '导入游戏配置' '' || tv_fail "the open dialog's name box did not take the focus"
  xdotool type --delay 20 "$1"
  tv_wait 15 dialog_name_is '导入游戏配置' "$1" || tv_fail "the open dialog's name box lost typed keys"
  xdotool key Return
  tv_probe gone '导入游戏配置' 20 || tv_fail "the open dialog stayed open"
}
import_shared "$shared"
expect_main '^list-count 3$'
expect_main '^list-selected 2$'
expect_main '^list-item 2 Rally$'
# records_match: the imported record is the exported one, byte for byte.
records_match() {
  [ "$(game_record "$run2/setinf.set" 2)" = "$(game_record "$fixtures/mapped.set" 2)" ]
}
tv_wait 10 records_match || tv_fail "the imported record differs from the exported one"

step "a second import of the same file takes the first free name"
import_shared "$shared"
expect_main '^list-item 3 Rally \(2\)$'
expect_main '^list-selected 3$'
# hex_text TEXT: a text's count and bytes as a settings file holds an ASCII name.
hex_text() { printf '%02x00%s' "${#1}" "$(printf %s "$1" | od -An -tx1 | tr -d ' \n')"; }
renamed_match() {
  local first second
  first=$(game_record "$run2/setinf.set" 2) second=$(game_record "$run2/setinf.set" 3)
  [ "${second#"$(hex_text 'Rally (2)')"}" = "${first#"$(hex_text Rally)"}" ]
}
tv_wait 10 renamed_match || tv_fail "the second import differs from the first in more than its name"
tv_screenshot imported

step "a broken file names its line and reason; the settings file stays as it was"
cp "$run2/setinf.set" "$TV_DIR/before-broken.set"
printf '\xEF\xBB\xBF[Tillervane 游戏配置]\r\n格式版本 = 1\r\n左键 = A (999)\r\n' >"$TV_DIR/broken.tvgame"
import_shared "$(tv_windows_path "$TV_DIR/broken.tvgame")"
tv_probe wait Tillervane 20 >/dev/null || tv_fail "no failure message"
tv_screenshot import-refused
answer '导入失败：第 3 行：“左键”的按键代码 999 超出范围（0 到 255）' Return
expect_main '^list-count 4$'
cmp "$run2/setinf.set" "$TV_DIR/before-broken.set" || tv_fail "a refused import changed the settings file"

step "a file dropped on the window is imported the same way"
tv_probe drop "$title" "$shared"
expect_main '^list-item 4 Rally \(3\)$'
expect_main '^list-selected 4$'
tv_wait 10 test "$(game_record "$run2/setinf.set" 4 | cut -c 1-4)" = 0900 || tv_fail "the dropped game was not saved"
close_main
echo "share end-to-end: all checks passed"
