// The Windows entry point: installs the real platform and windows, then starts.
#include <windows.h>

#include "app/ModGood.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"
#include "ui/Form.h"
#include "ui/win32/Win32FormHost.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  platform::SetOs(&platform::win32::Win32Platform());
  ui::SetFormHost(&ui::win32::Win32FormHost());
  return ModGood::Main();
}
