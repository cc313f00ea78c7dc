#!/usr/bin/env bash
# Creates the zh_CN Wine prefix that the end-to-end tests of one Windows build
# share, and notes in E2E_DIR/build.txt whether that build runs end to end here.
#   create_prefix.sh E2E_DIR
source "$(dirname "$0")/lib.sh"
mkdir -p "$1"
tv_select_build "${TILLERVANE_E2E_BUILD:-win64}"
if [ -n "$TV_UNAVAILABLE" ]; then
  echo "32-bit build: not run end to end here: $TV_UNAVAILABLE" | tee "$1/build.txt"
  exit 77
fi
echo "$(tv_build_name): the end-to-end suite runs on it" >"$1/build.txt"
trap tv_end EXIT
tv_start_x
tv_create_prefix "$1/prefix"
echo "prefix ready: $1/prefix"
