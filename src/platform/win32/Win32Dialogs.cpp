#include <windows.h>

#include "platform/win32/Win32Parts.h"

namespace platform::win32 {

namespace {

// The box belongs to the program's active window, if it has one, so that it is
// modal to it; the message loop keeps running inside it.
class RealDialogs final : public Dialogs {
 public:
  int ShowMessage(const std::string& text, const std::string& title, std::uint32_t style) override {
    return ::MessageBoxW(::GetActiveWindow(), Widen(text).c_str(), Widen(title).c_str(), style);
  }
};

}  // namespace

Dialogs& Win32Dialogs() {
  static RealDialogs dialogs;
  return dialogs;
}

}  // namespace platform::win32
