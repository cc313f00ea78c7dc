// The primary screen's size and resolution.
#include "platform/win32/Win32Parts.h"

#include <windows.h>

namespace platform::win32 {

namespace {

class RealScreen final : public Screen {
 public:
  ScreenMetrics PrimaryScreen() override {
    ScreenMetrics metrics;
    metrics.twipsPerPixelX = ::MulDiv(1440, 1, DisplayDpi(LOGPIXELSX));
    metrics.twipsPerPixelY = ::MulDiv(1440, 1, DisplayDpi(LOGPIXELSY));
    metrics.widthTwips = ::GetSystemMetrics(SM_CXSCREEN) * metrics.twipsPerPixelX;
    metrics.heightTwips = ::GetSystemMetrics(SM_CYSCREEN) * metrics.twipsPerPixelY;
    return metrics;
  }
};

}  // namespace

int DisplayDpi(int axis) {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, axis) : 0;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

Screen& Win32Screen() {
  static RealScreen screen;
  return screen;
}

}  // namespace platform::win32
