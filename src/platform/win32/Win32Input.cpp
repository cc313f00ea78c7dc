// Input injection, key state and key names.
#include "platform/win32/Win32Parts.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace platform::win32 {

namespace {

class RealInput final : public Input {
 public:
  void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                  std::uintptr_t extraInfo) override {
    ::keybd_event(virtualKey, scanCode, flags, extraInfo);
  }
  void MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                  std::uintptr_t extraInfo) override {
    ::mouse_event(flags, static_cast<DWORD>(dx), static_cast<DWORD>(dy), data, extraInfo);
  }
  std::uint32_t MapVirtualKeyCode(std::uint32_t code, std::uint32_t mapType) override {
    return ::MapVirtualKeyW(code, mapType);
  }
  std::int16_t GetAsyncKeyState(std::int32_t virtualKey) override {
    return static_cast<std::int16_t>(::GetAsyncKeyState(virtualKey));
  }
  bool GetCursorPos(Point& position) override {
    // Hook records carry physical pixels; a process that is not DPI aware would
    // get scaled coordinates from GetCursorPos on a scaled display.
    POINT p{};
    if (!::GetPhysicalCursorPos(&p) && !::GetCursorPos(&p)) return false;
    position = {p.x, p.y};
    return true;
  }
  std::string KeyNameText(std::int32_t keyParameter, int bufferUnits) override {
    // The wide call names keys right on every system code page.
    std::wstring buffer(static_cast<std::size_t>(bufferUnits > 0 ? bufferUnits : 1), L'\0');
    const int length = ::GetKeyNameTextW(keyParameter, buffer.data(), bufferUnits);
    if (length <= 0) return {};
    buffer.resize(static_cast<std::size_t>(std::min(length, bufferUnits - 1)));
    return Narrow(buffer);
  }
};

}  // namespace

Input& Win32Input() {
  static RealInput input;
  return input;
}

}  // namespace platform::win32
