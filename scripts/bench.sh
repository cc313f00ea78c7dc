#!/usr/bin/env bash
# Prints the benchmark figures: the engine's and the settings file's native
# benchmarks, then the real program's figures under Wine. Nothing here passes
# or fails on a timing. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset all >/dev/null
cmake --build --preset all >/dev/null

echo "== engine (native, platform calls excluded)"
build/all/bench/engine_bench
echo "== settings file, 1,000 games (native)"
build/all/bench/settings_bench
source tests/e2e/lib.sh
export TILLERVANE_E2E_BUILD
TILLERVANE_E2E_BUILD=$(tv_runnable_build)
win=build/all/windows
[ "$TILLERVANE_E2E_BUILD" = win32 ] || win=build/all/windows64
echo "== Tillervane.exe under Wine"
bash bench/wine_bench.sh $win/src/Tillervane.exe $win/tools/probe/window_probe.exe \
  build/all/bench-wine/$TILLERVANE_E2E_BUILD
