#!/usr/bin/env bash
# The system's code page 936 conversion under Wine gives the bytes the native
# tests hold iconv to, both ways.
#   settings_text_e2e.sh SETTINGS_TEXT_PROBE_EXE E2E_DIR
source "$(dirname "$0")/lib.sh"
probe=$1
tv_begin "$2" settings_text
out=$TV_DIR/probe.out

status=0
timeout 60 "$TV_WINE" "$probe" >"$out" 2>>"$TV_DIR/wine.out" || status=$?
tr -d '\r' <"$out"
[ "$status" -eq 0 ] || tv_fail "the Windows conversion differs from iconv's (exit $status)"
grep -q '^0 of [1-9][0-9]* samples differ$' <(tr -d '\r' <"$out") || tv_fail "the probe did not check the samples"
echo "code page 936 agreement: all checks passed"
