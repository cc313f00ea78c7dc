#!/usr/bin/env bash
# Builds Tillervane.exe and starts it: under Wine on this machine's display (with
# the Chinese locale, so the interface renders), or the native build on Windows.
# Installs what is missing first. The program keeps its settings file beside
# the executable, in build/run/.
set -euo pipefail
cd "$(dirname "$0")/.."

case "$(uname -s)" in
  MINGW* | MSYS* | CYGWIN*)
    cmake -S . -B build/windows-native -G "MinGW Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build/windows-native --target Tillervane
    exec build/windows-native/src/Tillervane.exe
    ;;
esac

bash scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tillervane >/dev/null
mkdir -p build/run
cp build/windows/src/Tillervane.exe build/run/

if [ -z "${DISPLAY:-}" ]; then
  echo "No display: set DISPLAY to the X display Tillervane should appear on." >&2
  exit 1
fi
source tests/e2e/lib.sh
prefix=${TILLERVANE_WINEPREFIX:-$HOME/.local/share/tillervane/wineprefix}
if [ ! -f "$prefix/system.reg" ]; then
  echo "Preparing a Wine prefix with the Chinese locale in $prefix (once)..."
  mkdir -p "$(dirname "$prefix")"
  tv_create_prefix "$prefix"
fi
tv_use_prefix "$prefix"
cd build/run
exec wine Tillervane.exe
