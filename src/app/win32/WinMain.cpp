// The Windows entry point: installs the real platform and windows, then starts.
#include <windows.h>

#include "app/ModGood.h"
#include "engine/KeyMouse.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Parts.h"
#include "ui/Form.h"
#include "ui/win32/Win32FormHost.h"

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

// A crash must not leave the game with a key held down; the crash itself goes
// on to whoever handled it before.
LONG WINAPI ReleaseKeysOnCrash(EXCEPTION_POINTERS* exception) {
  KeyMouse().ReleaseHeldKeys();
  return previousFilter != nullptr ? previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  previousFilter = ::SetUnhandledExceptionFilter(&ReleaseKeysOnCrash);
  ReleaseHeldKeysOnTerminate();  // a C++ termination never reaches the filter
  namespace real = platform::win32;
  static platform::Platform os{real::Win32Input(), real::Win32Screen(), real::Win32Hooks(), real::Win32Process(),
                               real::Win32Files(), real::Win32Text(), real::Win32Dialogs()};
  platform::SetOs(&os);
  ui::SetFormHost(&ui::win32::Win32FormHost());
  return ModGood::Main();
}
