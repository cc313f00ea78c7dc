#!/usr/bin/env bash
# Prints the engine's benchmark figures (native, optimised build).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target engine_bench >/dev/null
build/native/tests/engine_bench "$@"
