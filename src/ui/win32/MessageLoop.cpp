#include "ui/win32/MessageLoop.h"

#include <windows.h>

namespace ui::win32 {

bool RunMessagesUntil(const std::function<bool()>& done) {
  MSG message;
  while (!done()) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) return false;
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return true;
}

}  // namespace ui::win32
