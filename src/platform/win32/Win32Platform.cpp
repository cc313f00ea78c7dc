#include "platform/win32/Win32Parts.h"

namespace platform::win32 {

Platform& Win32Platform() {
  static Platform platform{Win32Input(),  Win32Screen(), Win32Hooks(),  Win32Process(),
                           Win32Files(), Win32Text(),   Win32Dialogs()};
  return platform;
}

}  // namespace platform::win32
