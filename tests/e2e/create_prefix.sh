#!/usr/bin/env bash
# Creates the zh_CN Wine prefix that the end-to-end tests of one run share.
#   create_prefix.sh E2E_DIR
source "$(dirname "$0")/lib.sh"
mkdir -p "$1"
trap tv_end EXIT
tv_start_x
tv_create_prefix "$1/prefix"
echo "prefix ready: $1/prefix"
