#pragma once
// What the operating system provides, as small interfaces. The program's own code
// reaches the one process-wide instance through Os(); the Windows build installs
// the real calls at start-up, tests install their fakes. Never includes <windows.h>.

#include <cstdint>

namespace platform {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// The primary screen: its size in twips (1/1440 inch) and pixels-to-twips factors.
struct ScreenMetrics {
  std::int32_t widthTwips = 0;
  std::int32_t heightTwips = 0;
  std::int32_t twipsPerPixelX = 15;
  std::int32_t twipsPerPixelY = 15;
};

using HookHandle = std::uintptr_t;  // 0 = none

// A low-level hook procedure: hook code, the message (wParam) and the address of
// the event record (lParam); the result goes back to the system.
using HookProc = std::intptr_t (*)(int code, std::uintptr_t wParam, std::intptr_t lParam);

// The record a low-level mouse hook receives, laid out as the system passes it.
struct MouseHookRecord {
  std::int32_t x = 0;  // pointer position in physical screen pixels
  std::int32_t y = 0;
  std::uint32_t mouseData = 0;
  std::uint32_t flags = 0;
  std::uint32_t time = 0;
  std::uintptr_t extraInfo = 0;
};

// Input injection and key state.
class Input {
 public:
  virtual ~Input() = default;
  virtual void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                          std::uintptr_t extraInfo) = 0;
  virtual void MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                          std::uintptr_t extraInfo) = 0;
  virtual std::uintptr_t GetMessageExtraInfo() = 0;
  virtual std::uint32_t MapVirtualKeyCode(std::uint32_t code, std::uint32_t mapType) = 0;
  virtual std::int16_t GetAsyncKeyState(std::int32_t virtualKey) = 0;
  // In physical pixels, the space of MouseHookRecord's point, whatever the
  // process's DPI awareness.
  virtual bool GetCursorPos(Point& position) = 0;
};

class Screen {
 public:
  virtual ~Screen() = default;
  virtual ScreenMetrics PrimaryScreen() = 0;
};

// Low-level hooks.
class Hooks {
 public:
  virtual ~Hooks() = default;
  // Installs a desktop-wide low-level mouse hook; 0 on failure.
  virtual HookHandle SetMouseHook(HookProc procedure) = 0;
  virtual bool Unhook(HookHandle hook) = 0;
  virtual std::intptr_t CallNextHook(HookHandle hook, int code, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;
};

class Process {
 public:
  virtual ~Process() = default;
  virtual void SetPriorityClass(std::uint32_t priorityClass) = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

struct Platform {
  Input& input;
  Screen& screen;
  Hooks& hooks;
  Process& process;
};

// The installed platform. Installing nullptr leaves none; Os() must not be
// called then.
void SetOs(Platform* platform);
Platform& Os();

}  // namespace platform
