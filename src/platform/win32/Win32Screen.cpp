// The primary screen's size and resolution.
#include "platform/win32/Win32Parts.h"

#include <windows.h>

namespace platform::win32 {

namespace {

class RealScreen final : public Screen {
 public:
  ScreenMetrics PrimaryScreen() override {
    HDC screen = ::GetDC(nullptr);
    const int dpiX = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    const int dpiY = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    ScreenMetrics metrics;
    metrics.twipsPerPixelX = ::MulDiv(1440, 1, dpiX > 0 ? dpiX : 96);
    metrics.twipsPerPixelY = ::MulDiv(1440, 1, dpiY > 0 ? dpiY : 96);
    metrics.widthTwips = ::GetSystemMetrics(SM_CXSCREEN) * metrics.twipsPerPixelX;
    metrics.heightTwips = ::GetSystemMetrics(SM_CYSCREEN) * metrics.twipsPerPixelY;
    return metrics;
  }
};

}  // namespace

Screen& Win32Screen() {
  static RealScreen screen;
  return screen;
}

}  // namespace platform::win32
