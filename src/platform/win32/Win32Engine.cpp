#include "platform/win32/Win32Parts.h"
#include "platform/win32/Handles.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstddef>
#include <string>

namespace platform::win32 {

static_assert(sizeof(MouseHookRecord) == sizeof(MSLLHOOKSTRUCT));
static_assert(offsetof(MouseHookRecord, mouseData) == offsetof(MSLLHOOKSTRUCT, mouseData));
static_assert(offsetof(MouseHookRecord, extraInfo) == offsetof(MSLLHOOKSTRUCT, dwExtraInfo));
static_assert(sizeof(KeyboardHookRecord) == sizeof(KBDLLHOOKSTRUCT));
static_assert(offsetof(KeyboardHookRecord, flags) == offsetof(KBDLLHOOKSTRUCT, flags));
static_assert(offsetof(KeyboardHookRecord, extraInfo) == offsetof(KBDLLHOOKSTRUCT, dwExtraInfo));

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
  std::uintptr_t GetMessageExtraInfo() override {
    return static_cast<std::uintptr_t>(::GetMessageExtraInfo());
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

// 1 elevated, 0 not, -1 when the token cannot be read.
int TokenElevated(HANDLE process) {
  HANDLE opened = nullptr;
  if (!::OpenProcessToken(process, TOKEN_QUERY, &opened)) return -1;
  const KernelHandle token(opened);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  if (!::GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size)) return -1;
  return elevation.TokenIsElevated != 0 ? 1 : 0;
}

// The process whose window is in the foreground, opened to query; none when
// there is no such window or it may not be opened.
KernelHandle OpenForegroundProcess() {
  DWORD processId = 0;
  HWND window = ::GetForegroundWindow();
  if (window == nullptr || ::GetWindowThreadProcessId(window, &processId) == 0) return {};
  return KernelHandle(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
}

void CALLBACK ForegroundTrampoline(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
  if (foregroundChanged != nullptr) foregroundChanged();
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
  // Out of context: the system calls back on this thread from its message loop.
  HookHandle SetForegroundHook(void (*changed)()) override {
    foregroundChanged = changed;
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                           &ForegroundTrampoline, 0, 0, WINEVENT_OUTOFCONTEXT);
    return reinterpret_cast<HookHandle>(hook);
  }
  void RemoveForegroundHook(HookHandle hook) override {
    if (hook != 0) ::UnhookWinEvent(reinterpret_cast<HWINEVENTHOOK>(hook));
  }
  std::intptr_t CallNextHook(HookHandle hook, int code, std::uintptr_t wParam,
                             std::intptr_t lParam) override {
    return ::CallNextHookEx(reinterpret_cast<HHOOK>(hook), code, wParam, lParam);
  }
};

class RealProcess final : public Process {
 public:
  void SetPriorityClass(std::uint32_t priorityClass) override {
    ::SetPriorityClass(::GetCurrentProcess(), priorityClass);
  }
  void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }

  void PumpPendingMessages() override {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(message.wParam));
        return;
      }
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }

  std::string ForegroundProcessPath() override {
    const KernelHandle process = OpenForegroundProcess();
    if (process.get() == nullptr) return {};
    std::wstring path(32768, L'\0');
    DWORD length = static_cast<DWORD>(path.size());
    if (!::QueryFullProcessImageNameW(process.get(), 0, path.data(), &length)) return {};
    path.resize(length);
    return Narrow(path);
  }

  bool ForegroundProcessElevatedAboveUs() override {
    if (TokenElevated(::GetCurrentProcess()) == 1) return false;
    const KernelHandle process = OpenForegroundProcess();
    // A token this process may not even read belongs to one with higher rights.
    return process.get() != nullptr && TokenElevated(process.get()) != 0;
  }

  std::uint64_t NowMs() override { return ::GetTickCount64(); }

  // Looked up at run time: SetProcessInformation came with Windows 8.
  void AllowPowerThrottling(bool allowed) override {
    using SetInformation = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);
    static const auto set = reinterpret_cast<SetInformation>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetProcessInformation")));
    if (set == nullptr) return;
    struct {
      ULONG Version, ControlMask, StateMask;
    } state{1, 0, 0};  // PROCESS_POWER_THROTTLING_STATE
    constexpr ULONG kExecutionSpeed = 0x1, kIgnoreTimerResolution = 0x4;
    constexpr int kProcessPowerThrottling = 4;
    // The bits under control with their state bits clear mean "never throttle";
    // no bits under control leave it to the system again.
    if (!allowed) state.ControlMask = kExecutionSpeed | kIgnoreTimerResolution;
    set(::GetCurrentProcess(), kProcessPowerThrottling, &state, sizeof state);
  }

  std::string ExecutableDirectory() override {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (length == 0) return {};
      if (length < path.size()) {
        path.resize(length);
        break;
      }
      path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    // "C:\Tillervane.exe" lives in "C:\"; "C:\Games\Tillervane.exe" in "C:\Games".
    const bool root = slash == 2 && path[1] == L':';
    return Narrow(path.substr(0, root ? slash + 1 : slash));
  }

  bool IsAnotherInstanceRunning() override {
    // Held until the process ends; a second start sees it exist.
    static HANDLE mutex = ::CreateMutexW(nullptr, FALSE, L"Local\\Tillervane.SingleInstance");
    static const bool existed = mutex != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS;
    return existed;
  }

  bool TopLevelWindowExists(const std::string& title) override {
    return ::FindWindowW(nullptr, Widen(title).c_str()) != nullptr;
  }

  bool ChangeDirectory(const std::string& path) override {
    return ::SetCurrentDirectoryW(Widen(path).c_str()) != FALSE;
  }

  bool StartProgram(const std::string& path) override {
    // Quoted, so that a path with spaces never starts a program named by its first part.
    std::wstring commandLine = L"\"" + Widen(path) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
      return false;
    }
    const KernelHandle thread(started.hThread), process(started.hProcess);  // not waited for
    return true;
  }

  bool OpenDocument(const std::string& address, const std::string& workingDirectory) override {
    const auto result = reinterpret_cast<INT_PTR>(::ShellExecuteW(::GetActiveWindow(), L"open", Widen(address).c_str(),
                                                                  L"", Widen(workingDirectory).c_str(), SW_SHOWNORMAL));
    return result > 32;
  }

  void InitCommonControls(std::uint32_t classes) override {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = classes;
    ::InitCommonControlsEx(&controls);
  }
};

}  // namespace

Input& Win32Input() {
  static RealInput input;
  return input;
}

Screen& Win32Screen() {
  static RealScreen screen;
  return screen;
}

Hooks& Win32Hooks() {
  static RealHooks hooks;
  return hooks;
}

Process& Win32Process() {
  static RealProcess process;
  return process;
}

}  // namespace platform::win32
