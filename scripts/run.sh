#!/usr/bin/env bash
# Builds Tillervane.exe and starts it: under Wine on this machine's display (with
# the Chinese locale, so the interface renders), or the native build on Windows.
# Under Wine it starts the 32-bit program where this machine can execute 32-bit
# code, and the same program built for 64-bit Windows otherwise
# (TILLERVANE_NO_32BIT=1 chooses the 64-bit one as well). Installs what is
# missing first. The program keeps its settings file beside the executable, in
# build/run/.
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
source tests/e2e/lib.sh
tv_select_build "$(tv_runnable_build)"
if [ "$TV_BUILD" = win32 ]; then
  preset=windows
  echo "Starting the 32-bit Tillervane.exe under $TV_WINE32."
else
  preset=windows64
  echo "Starting the 64-bit Tillervane.exe under $TV_WINE64 (no 32-bit build here: $(tv_32bit_unavailable))."
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Tillervane >/dev/null
mkdir -p build/run
cp "build/$preset/src/Tillervane.exe" build/run/

if [ -z "${DISPLAY:-}" ]; then
  echo "No display: set DISPLAY to the X display Tillervane should appear on." >&2
  exit 1
fi
# Each kind of build has a prefix of its own: the 64-bit one's name ends in 64.
prefix=${TILLERVANE_WINEPREFIX:-$HOME/.local/share/tillervane/wineprefix}
[ "$TV_BUILD" = win32 ] || prefix=${prefix}64
if [ ! -f "$prefix/system.reg" ]; then
  echo "Preparing a Wine prefix with the Chinese locale in $prefix (once)..."
  mkdir -p "$(dirname "$prefix")"
  tv_create_prefix "$prefix"
fi
tv_use_prefix "$prefix"
cd build/run
exec "$TV_WINE" Tillervane.exe
