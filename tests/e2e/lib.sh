# The end-to-end harness: a virtual X server, a Chinese Wine prefix, Windows
# programs in a Wine desktop, waiting for what they write, and screenshots.
# Source it from a test script; every wait polls with a timeout.

set -eEuo pipefail

E2E_POLL=0.05
TV_STEP="start"

# step TEXT: the test's next step, announced; a failure names it.
step() {
  TV_STEP=$*
  echo "$*"
}

# tv_fail MESSAGE: ends the test with a message naming the step and where it
# was, and keeps the moment in the test's folder: a screenshot (failure.png)
# and the probe's list of every window (failure-windows.txt).
tv_fail() {
  trap - ERR
  local where="" i
  for ((i = 1; i < ${#FUNCNAME[@]}; i++)); do
    [ "${FUNCNAME[$i]}" = tv_on_error ] || where+=" ${BASH_SOURCE[$i]##*/}:${BASH_LINENO[$((i - 1))]}"
  done
  echo "FAIL in step \"$TV_STEP\": $*" >&2
  echo "  at$where" >&2
  [ ! -s "$TV_DIR/probe.log" ] || echo "  the probe's last failure: $(tail -n1 "$TV_DIR/probe.log")" >&2
  if [ -n "${TV_XVFB_PID:-}" ]; then
    timeout 20 import -window root "$TV_DIR/failure.png" 2>/dev/null || true
    [ -z "${TV_PROBE:-}" ] || timeout 20 "$TV_WINE" "$TV_PROBE" windows 2>&1 | sed 's/\r//g' >"$TV_DIR/failure-windows.txt" || true
    echo "  kept: $TV_DIR/failure.png, $TV_DIR/failure-windows.txt" >&2
  fi
  exit 1
}

# A command that fails outside a condition ends the test as tv_fail does. Only
# in the test's own shell: in a command substitution the caller decides.
tv_on_error() {
  [ "$BASHPID" = "$$" ] || return 0
  tv_fail "command failed with status $1: $2"
}
trap 'tv_on_error $? "$BASH_COMMAND"' ERR

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

# tv_quiet_for SECONDS: lets SECONDS pass for a check that something does NOT
# happen (no key at rest, no repeat after a release): a span to watch, not a
# wait for an event.
tv_quiet_for() {
  sleep "$1"
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

# Wine's loaders, called by path: the `wine` wrapper picks the 32-bit loader
# whenever it is installed, even on a machine whose kernel cannot execute it.
TV_WINE32=/usr/lib/wine/wine
TV_WINE64=/usr/lib/wine/wine64
TV_WINESERVER=/usr/lib/wine/wineserver64

# tv_32bit_unavailable: prints why this machine cannot run the 32-bit build
# under Wine, or nothing when it can. Decided by running the 32-bit loader;
# TILLERVANE_NO_32BIT=1 makes a machine that can behave as one that cannot.
tv_32bit_unavailable() {
  if [ -n "${TILLERVANE_NO_32BIT:-}" ]; then
    echo "TILLERVANE_NO_32BIT is set"
    return
  fi
  local out
  if ! out=$("$TV_WINE32" --version 2>&1); then
    echo "this machine cannot execute Wine's 32-bit loader ($TV_WINE32: ${out##*: })"
  fi
}

# tv_select_build BUILD: the Wine that runs BUILD, "win32" or "win64", for the
# calls below; TV_UNAVAILABLE says why this machine cannot run it, or is empty.
tv_select_build() {
  TV_BUILD=$1 TV_UNAVAILABLE=
  case $1 in
    win64) TV_WINE=$TV_WINE64 ;;
    win32) TV_WINE=$TV_WINE32 TV_UNAVAILABLE=$(tv_32bit_unavailable) ;;
    *) tv_fail "unknown Windows build '$1' (win32 or win64)" ;;
  esac
}

# tv_runnable_build: the build a player gets here: "win32" where this machine
# can run it, "win64" otherwise.
tv_runnable_build() {
  if [ -z "$(tv_32bit_unavailable)" ]; then echo win32; else echo win64; fi
}

# tv_build_name: the build selected, as the test output names it.
tv_build_name() {
  case $TV_BUILD in
    win64) echo "64-bit build under $TV_WINE64" ;;
    win32) echo "32-bit build under $TV_WINE32" ;;
  esac
}

# tv_wine ARGS..., tv_wineserver ARGS...: Wine and its server for the build selected.
tv_wine() { "$TV_WINE" "$@"; }
tv_wineserver() { "$TV_WINESERVER" "$@"; }

# tv_use_prefix DIR: the Wine settings every test shares, with the prefix in DIR.
tv_use_prefix() {
  export WINEPREFIX=$1 WINEARCH=$TV_BUILD WINELOADER=$TV_WINE WINESERVER=$TV_WINESERVER
  export WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installers
}

# tv_create_prefix DIR: a new zh_CN prefix in DIR, replacing any old one.
tv_create_prefix() {
  rm -rf "$1"
  tv_use_prefix "$1"
  tv_wine wineboot -i >/dev/null 2>&1 || tv_fail "wineboot could not create the prefix"
  tv_wineserver -w
  # Debian's Wine does not find the fonts of its own data folder (Marlett draws
  # the caption buttons); the prefix gets copies.
  if [ -d /usr/share/wine/fonts ]; then
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
}

# tv_select_suite_build: the build named by TILLERVANE_E2E_BUILD (set by the
# test registration), or, when this machine cannot run it, the end of the test
# as skipped (status 77) with the reason.
tv_select_suite_build() {
  tv_select_build "${TILLERVANE_E2E_BUILD:-win64}"
  if [ -n "$TV_UNAVAILABLE" ]; then
    echo "SKIPPED: the 32-bit build does not run end to end here: $TV_UNAVAILABLE"
    exit 77
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
  tv_select_suite_build
  echo "end to end: $(tv_build_name)"
  trap tv_end EXIT
  tv_start_x
  [ -f "$1/prefix/system.reg" ] || tv_create_prefix "$1/prefix"
  tv_use_prefix "$1/prefix"
  tv_wineserver -p
}

tv_end() {
  local status=$?
  # Waits for the server to end: the next test's server would not start
  # while this one runs, and its programs would meet this test's leftovers.
  [ -z "${WINEPREFIX:-}" ] || { tv_wineserver -k && tv_wineserver -w; } 2>/dev/null || true
  [ -z "${TV_XVFB_PID:-}" ] || kill "$TV_XVFB_PID" 2>/dev/null || true
  exit "$status"
}

# tv_run_in_desktop PROGRAM ARGS...: starts a Windows program in a Wine desktop
# that fills the screen, so windows get frames and keys reach the focused one.
tv_run_in_desktop() {
  tv_wine explorer /desktop=tillervane,1024x768 "$@" >>"$TV_DIR/wine.out" 2>&1 &
  TV_PROGRAM_PID=$!
}

# tv_windows_path UNIX_PATH: the same file as a Windows program sees it, through
# the Z: drive every prefix maps to /. Worked out here rather than by winepath,
# which starts a Wine process and now and then prints nothing.
tv_windows_path() {
  local path
  path=$(realpath -m "$1")
  echo "Z:${path//\//\\}"
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

# tv_record_browser LOG: from now on the prefix's web browser is a script that
# writes each address it is handed to LOG, one a line. Wine's shell hands web
# addresses and .html files to winebrowser, which starts the first program of
# its Browsers list with the address (a local page as a file:// address of its
# Unix path). The test prefix lacks the association of .html files that every
# Windows has (it comes with Wine's HTML engine, which the tests leave out), so
# it gets it here; Wine reads classes from HKEY_CLASSES_ROOT only.
tv_record_browser() {
  local browser=$TV_DIR/recording-browser
  printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$1" >"$browser"
  chmod +x "$browser"
  printf '%s\r\n' REGEDIT4 '' '[HKEY_CLASSES_ROOT\.html]' '@="htmlfile"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineBrowser]' "\"Browsers\"=\"$browser\"" >"$TV_DIR/browser.reg"
  tv_wine regedit /S "$(tv_windows_path "$TV_DIR/browser.reg")" >/dev/null 2>&1 ||
    tv_fail "could not register the recording browser"
}

# tv_screenshot NAME: the whole screen as TV_DIR/NAME.png.
tv_screenshot() {
  timeout 20 import -window root "$TV_DIR/$1.png" || tv_fail "screenshot $1 failed"
}

# tv_probe ARGS...: runs the window probe (its path in TV_PROBE) under Wine; its
# output without carriage returns, line by line as it comes, its exit status.
# The probe answers with 0, 10, 11 or 12. Any other status is Wine's: now and
# then, on a busy machine, a probe call ends with status 1 and no word, without
# the probe's answer (a crash would end with 5 and a report); it is run again
# then, up to twice, and the log says so. Every failure leaves the probe's command and
# status in TV_DIR/probe.log, and a failing test names the last one.
tv_probe() {
  local status attempt
  for attempt in 1 2 3; do
    status=0
    tv_wine "${TV_PROBE:?TV_PROBE is not set}" "$@" | sed -u 's/\r//g' || status=${PIPESTATUS[0]}
    case $status in 0 | 10 | 11 | 12) break ;; esac
    echo "$(date +%T.%N | cut -c1-12) window_probe $*: Wine ended it with status $status (attempt $attempt)" >>"$TV_DIR/probe.log"
  done
  [ "$status" = 0 ] || echo "$(date +%T.%N | cut -c1-12) window_probe $*: exit $status" >>"$TV_DIR/probe.log"
  return "$status"
}
