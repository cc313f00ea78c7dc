#!/usr/bin/env bash
# Runs every test: the native unit tests, the Windows cross build (warnings are
# errors) and the end-to-end tests under Wine on a virtual X server. Installs
# what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --workflow --preset all
