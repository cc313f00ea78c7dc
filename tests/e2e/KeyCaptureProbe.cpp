// Test-only Windows program, never shipped: opens the real "请按键" dialog four
// times over an owner window of its own, then twice without its keyboard hook,
// and logs what each capture returned,
// every key-down any of its windows received, and where the dialog is.
//
//   key_capture_probe.exe LOGFILE
#include <windows.h>

#include <cstdio>

#include "keys/FrmGetKey.h"
#include "keys/modGetKey.h"
#include "platform/win32/Win32Platform.h"
#include "ui/win32/Win32FormHost.h"

namespace {

constexpr UINT_PTR kWatchDialog = 1;
constexpr int kCaptures = 4;
constexpr int kCapturesWithoutHook = 2;

FILE* logFile = nullptr;
HWND announcedDialog = nullptr;
WPARAM releasedKey = 0;

void Log(const char* format, long a = 0, long b = 0, long c = 0, long d = 0) {
  std::fprintf(logFile, format, a, b, c, d);
  std::fputc('\n', logFile);
  std::fflush(logFile);
}

// Every key-down any window of this thread takes from its queue.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE &&
      (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN)) {
    Log("window keydown vk=%ld", static_cast<long>(message->wParam));
  }
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_KEYUP) {
    Log("window keyup vk=%ld", static_cast<long>(message->wParam));
    releasedKey = message->wParam;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A captured key's release is not swallowed: it reaches the owner once the
// dialog is gone. Waiting for it keeps it out of the next capture.
void AwaitRelease(std::int32_t virtualKey) {
  const DWORD deadline = GetTickCount() + 5000;
  MSG message;
  while (releasedKey != static_cast<WPARAM>(virtualKey) && GetTickCount() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

// The point of the dialog's close box, found by asking the window itself.
POINT CloseBoxPoint(HWND dialog) {
  RECT frame{};
  GetWindowRect(dialog, &frame);
  for (int y = frame.top; y < frame.top + 40; ++y) {
    for (int x = frame.right - 1; x > frame.left; --x) {
      const LRESULT hit = SendMessageW(dialog, WM_NCHITTEST, 0, MAKELPARAM(x, y));
      if (hit == HTCLOSE) return {x - 3, y + 3};
    }
  }
  return {-1, -1};
}

// Announces each new dialog once its keyboard hook is in place.
void CALLBACK WatchDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = FindWindowW(L"TillervaneForm", L"请按键");
  if (dialog == nullptr || dialog == announcedDialog || KeyboardHookHandle == 0 || !IsWindowVisible(dialog)) return;
  announcedDialog = dialog;
  RECT frame{}, client{};
  GetWindowRect(dialog, &frame);
  GetClientRect(dialog, &client);
  Log("dialog frame %ld %ld %ld %ld", frame.left, frame.top, frame.right, frame.bottom);
  Log("dialog client %ld %ld", client.right, client.bottom);
  const POINT close = CloseBoxPoint(dialog);
  Log("dialog closebox %ld %ld", close.x, close.y);
  const bool minimize = (GetWindowLongW(dialog, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
  Log("dialog minmax %ld", minimize ? 1 : 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  logFile = std::fopen(argv[1], "wb");
  if (logFile == nullptr) return 3;
  platform::SetOs(&platform::win32::Win32Platform());
  ui::SetFormHost(&ui::win32::Win32FormHost());

  HWND owner = CreateWindowExW(0, L"STATIC", L"按键探针 key capture probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200,
                               150, 600, 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(owner);
  SetActiveWindow(owner);
  SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
  SetTimer(nullptr, kWatchDialog, 20, WatchDialog);

  // The names the menus and status texts will show, as this system gives them.
  const std::int32_t named[][2] = {{VK_F9, 0}, {VK_F12, 0}, {'A', 0},      {VK_SPACE, 0}, {VK_RSHIFT, 0},
                                   {VK_LEFT, 1}, {VK_UP, 1}, {VK_RIGHT, 1}, {VK_DOWN, 1}, {VK_RIGHT, 0}};
  for (const auto& key : named) {
    std::fprintf(logFile, "name vk=%ld ext=%ld %s\n", static_cast<long>(key[0]), static_cast<long>(key[1]),
                 modGetKey::KeyName(key[0], key[1]).c_str());
  }

  for (int capture = 1; capture <= kCaptures; ++capture) {
    std::int32_t virtualKey = 0, extended = 0;
    releasedKey = 0;
    Log("capture %ld", capture);
    modGetKey::CaptureKey(virtualKey, extended);
    Log("captured vk=%ld ext=%ld", virtualKey, extended);
    if (virtualKey != 0) AwaitRelease(virtualKey);
  }
  // As if the keyboard hook could not be installed: with a handle in place the
  // dialog installs none, and only its own key release ends the capture.
  Log("without hook");
  for (int capture = 1; capture <= kCapturesWithoutHook; ++capture) {
    std::int32_t virtualKey = 0, extended = 0;
    KeyboardHookHandle = 1;
    Log("capture without hook %ld", capture);
    modGetKey::CaptureKey(virtualKey, extended);
    Log("captured vk=%ld ext=%ld", virtualKey, extended);
  }
  Log("bye");
  std::fclose(logFile);
  return 0;
}
