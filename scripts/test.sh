#!/usr/bin/env bash
# Runs every test: the native unit tests, both Windows cross builds (warnings
# are errors), the release zip and the end-to-end tests under Wine on a virtual
# X server, against every Windows build this machine can run. Installs what is
# missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
status=0
cmake --workflow --preset all || status=$?
echo "End-to-end runs:"
cat build/all/e2e/win64/build.txt build/all/e2e/win32/build.txt 2>/dev/null || echo "  none"
exit "$status"
