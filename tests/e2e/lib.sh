# The end-to-end harness: a virtual X server, a Chinese Wine prefix, Windows
# programs in a Wine desktop, waiting for what they write, and screenshots.
# Source it from a test script; every wait polls with a timeout.

set -euo pipefail

E2E_POLL=0.05

# tv_fail MESSAGE: ends the test with a message.
tv_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# tv_wait TIMEOUT_SECONDS COMMAND...: runs COMMAND until it succeeds.
tv_wait() {
  local timeout=$1
  shift
  local deadline=$((SECONDS + timeout))
  until "$@" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep "$E2E_POLL"
  done
}

# tv_start_x: a virtual X server on a free display, ended when the test ends.
tv_start_x() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
  TV_XVFB_PID=$!
  tv_wait 20 test -s "$fdfile" || tv_fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
  tv_wait 20 xdpyinfo >/dev/null || tv_fail "display $DISPLAY does not answer"
}

# tv_use_prefix DIR: the Wine settings every test shares, with the prefix in DIR.
tv_use_prefix() {
  export WINEPREFIX=$1 WINEARCH=win32 WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installers
}

# tv_create_prefix DIR: a new zh_CN prefix in DIR, replacing any old one.
tv_create_prefix() {
  rm -rf "$1"
  tv_use_prefix "$1"
  wineboot -i >/dev/null 2>&1 || tv_fail "wineboot could not create the prefix"
  wineserver -w
  # Debian's Wine does not find the fonts of its own data folder (Marlett draws
  # the caption buttons); the prefix gets copies.
  if [ -d /usr/share/wine/fonts ]; then
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
}

# tv_begin E2E_DIR NAME: a test's display, its prefix and its artifact folder
# E2E_DIR/NAME; everything it started ends with the test.
tv_begin() {
  local root
  root=$(mkdir -p "$1" && cd "$1" && pwd)  # Wine wants an absolute prefix
  set -- "$root" "$2"
  TV_DIR=$1/$2
  rm -rf "$TV_DIR"
  mkdir -p "$TV_DIR"
  trap tv_end EXIT
  tv_start_x
  [ -f "$1/prefix/system.reg" ] || tv_create_prefix "$1/prefix"
  tv_use_prefix "$1/prefix"
  wineserver -p
}

tv_end() {
  local status=$?
  wineserver -k 2>/dev/null || true
  [ -z "${TV_XVFB_PID:-}" ] || kill "$TV_XVFB_PID" 2>/dev/null || true
  exit "$status"
}

# tv_run_in_desktop PROGRAM ARGS...: starts a Windows program in a Wine desktop
# that fills the screen, so windows get frames and keys reach the focused one.
tv_run_in_desktop() {
  wine explorer /desktop=tillervane,1024x768 "$@" >>"$TV_DIR/wine.out" 2>&1 &
  TV_PROGRAM_PID=$!
}

# tv_windows_path UNIX_PATH: the same file as a Windows program sees it.
tv_windows_path() {
  winepath -w "$1" 2>/dev/null
}

# tv_line_count FILE: how many lines FILE has now (0 if it does not exist).
tv_line_count() {
  if [ -f "$1" ]; then wc -l <"$1"; else echo 0; fi
}

# tv_longer_than FILE N: true when FILE has more than N lines.
tv_longer_than() {
  [ "$(tv_line_count "$1")" -gt "$2" ]
}

# tv_lines_in_order FILE FROM PATTERN...: true when the lines of FILE after line
# FROM contain lines matching each extended regular expression, in this order.
tv_lines_in_order() {
  local file=$1 from=$2
  shift 2
  awk -v from="$from" -v n="$#" '
    BEGIN { for (i = 1; i <= n; i++) want[i] = ARGV[i + 1]; ARGC = 2; next_i = 1 }
    NR > from && next_i <= n && $0 ~ want[next_i] { next_i++ }
    END { exit next_i > n ? 0 : 1 }' "$file" "$@"
}

# tv_expect_lines TIMEOUT FILE FROM PATTERN...: waits for tv_lines_in_order.
tv_expect_lines() {
  local timeout=$1 file=$2 from=$3
  shift 3
  tv_wait "$timeout" tv_lines_in_order "$file" "$from" "$@" ||
    tv_fail "within ${timeout}s after line $from of $file, expected in order: $*"
}

# tv_count_matches FILE FROM PATTERN: lines after FROM that match PATTERN.
tv_count_matches() {
  awk -v from="$2" -v p="$3" 'NR > from && $0 ~ p { n++ } END { print n + 0 }' "$1"
}

# tv_screenshot NAME: the whole screen as TV_DIR/NAME.png.
tv_screenshot() {
  timeout 20 import -window root "$TV_DIR/$1.png" || tv_fail "screenshot $1 failed"
}

# tv_probe ARGS...: runs the window probe (its path in TV_PROBE) under Wine; its
# output without carriage returns, line by line as it comes, its exit status.
tv_probe() {
  wine "${TV_PROBE:?TV_PROBE is not set}" "$@" | sed -u 's/\r//g'
  return "${PIPESTATUS[0]}"
}
