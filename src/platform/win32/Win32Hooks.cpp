// The low-level mouse and keyboard hooks and the foreground event hook.
#include "platform/win32/Win32Parts.h"

#include <windows.h>

#include <cstddef>

namespace platform::win32 {

static_assert(sizeof(MouseHookRecord) == sizeof(MSLLHOOKSTRUCT));
static_assert(offsetof(MouseHookRecord, mouseData) == offsetof(MSLLHOOKSTRUCT, mouseData));
static_assert(offsetof(MouseHookRecord, extraInfo) == offsetof(MSLLHOOKSTRUCT, dwExtraInfo));
static_assert(sizeof(KeyboardHookRecord) == sizeof(KBDLLHOOKSTRUCT));
static_assert(offsetof(KeyboardHookRecord, flags) == offsetof(KBDLLHOOKSTRUCT, flags));
static_assert(offsetof(KeyboardHookRecord, extraInfo) == offsetof(KBDLLHOOKSTRUCT, dwExtraInfo));

namespace {

// The system calls hook procedures with the Windows calling convention; the
// portable procedures are reached through these trampolines.
HookProc mouseHookProcedure = nullptr;
HookProc keyboardHookProcedure = nullptr;

LRESULT CALLBACK MouseHookTrampoline(int code, WPARAM wParam, LPARAM lParam) {
  return mouseHookProcedure(code, wParam, lParam);
}

LRESULT CALLBACK KeyboardHookTrampoline(int code, WPARAM wParam, LPARAM lParam) {
  return keyboardHookProcedure(code, wParam, lParam);
}

void (*foregroundChanged)() = nullptr;
void (*desktopSwitched)() = nullptr;

void CALLBACK EventTrampoline(HWINEVENTHOOK, DWORD event, HWND, LONG, LONG, DWORD, DWORD) {
  void (*told)() = event == EVENT_SYSTEM_FOREGROUND ? foregroundChanged : desktopSwitched;
  if (told != nullptr) told();
}

// Out of context: the system calls back on this thread from its message loop.
HookHandle SetEventHook(DWORD event) {
  return reinterpret_cast<HookHandle>(
      ::SetWinEventHook(event, event, nullptr, &EventTrampoline, 0, 0, WINEVENT_OUTOFCONTEXT));
}

class RealHooks final : public Hooks {
 public:
  HookHandle SetMouseHook(HookProc procedure) override {
    mouseHookProcedure = procedure;
    HHOOK hook = ::SetWindowsHookExW(WH_MOUSE_LL, &MouseHookTrampoline, ::GetModuleHandleW(nullptr), 0);
    return reinterpret_cast<HookHandle>(hook);
  }
  HookHandle SetKeyboardHook(HookProc procedure) override {
    keyboardHookProcedure = procedure;
    HHOOK hook =
        ::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyboardHookTrampoline, ::GetModuleHandleW(nullptr), 0);
    return reinterpret_cast<HookHandle>(hook);
  }
  bool Unhook(HookHandle hook) override {
    return ::UnhookWindowsHookEx(reinterpret_cast<HHOOK>(hook)) != FALSE;
  }
  HookHandle SetForegroundHook(void (*changed)()) override {
    foregroundChanged = changed;
    return SetEventHook(EVENT_SYSTEM_FOREGROUND);
  }
  HookHandle SetDesktopSwitchHook(void (*switched)()) override {
    desktopSwitched = switched;
    return SetEventHook(EVENT_SYSTEM_DESKTOPSWITCH);  // Windows 8 on; 0 before
  }
  void RemoveEventHook(HookHandle hook) override {
    if (hook != 0) ::UnhookWinEvent(reinterpret_cast<HWINEVENTHOOK>(hook));
  }
  std::intptr_t CallNextHook(HookHandle hook, int code, std::uintptr_t wParam,
                             std::intptr_t lParam) override {
    return ::CallNextHookEx(reinterpret_cast<HHOOK>(hook), code, wParam, lParam);
  }
};

}  // namespace

Hooks& Win32Hooks() {
  static RealHooks hooks;
  return hooks;
}

}  // namespace platform::win32
