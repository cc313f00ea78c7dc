// Test-only Windows program, never shipped: runs the real engine and platform code
// with a built-in profile and the real low-level mouse hook, and writes every key
// and mouse message its own focused window receives to a log, one line each.
//
//   engine_probe.exe LOGFILE     ends when LOGFILE.quit appears
#include <windows.h>

#include <cstdio>
#include <string>

#include "engine/EngineTimers.h"
#include "engine/HookKeyMouse.h"
#include "engine/KeyMouse.h"
#include "platform/win32/Win32Platform.h"
#include "probe/InputLog.h"
#include "settings/Settings.h"

namespace {

constexpr UINT_PTR kMoveTimer = 1, kButtonTimer = 2, kQuitPoll = 3;

FILE* logFile = nullptr;
std::string quitFlag;
EngineTimers timers;

void Log(const char* format, unsigned a = 0, unsigned b = 0, unsigned c = 0) {
  std::fprintf(logFile, format, a, b, c);
  std::fputc('\n', logFile);
  std::fflush(logFile);
}

void UseBuiltInProfile() {
  GameProfile game;
  game.GameName = "Probe";
  game.Buttons[LeftButton] = {'A', 0, 0, 0, 0, 0, False16, 0};
  game.Buttons[RightButton] = {'S', 0, 0, 0, 0, 0, True16, 0};
  game.Wheels[WheelForward] = {'W', 0, 0, 0, WheelPressOnce};
  game.Wheels[WheelBackward] = {'X', 0, 0, 0, WheelPressOnce};
  game.Moves[MoveLeft] = {VK_LEFT, 1, 0, 0, 5};
  game.Moves[MoveRight] = {VK_RIGHT, 1, 0, 0, 5};
  game.Moves[MoveUp] = {VK_UP, 1, 0, 0, 5};
  game.Moves[MoveDown] = {VK_DOWN, 1, 0, 0, 5};
  Settings.Games.push_back(game);
  CurGameIndex = 0;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const std::string input = InputMessageLine(message, wParam, lParam); !input.empty()) {
    Log(input.c_str());
    return 0;
  }
  switch (message) {
    case WM_TIMER:
      if (wParam == kMoveTimer) timers.TimMove_Timer();
      if (wParam == kButtonTimer) timers.TimButton_Timer();
      if (wParam == kQuitPoll && GetFileAttributesA(quitFlag.c_str()) != INVALID_FILE_ATTRIBUTES) {
        DestroyWindow(window);
      }
      return 0;
    case WM_DESTROY:
      modHookKeyMouse::RemoveMouseHook();
      Log("bye");
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  logFile = std::fopen(argv[1], "wb");
  if (logFile == nullptr) return 3;
  quitFlag = std::string(argv[1]) + ".quit";

  platform::SetOs(&platform::win32::Win32Platform());
  KeyMouse().InitKeyMouse(0, 30, 0);
  UseBuiltInProfile();

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"TillervaneEngineProbe";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"引擎探针 engine probe",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
  if (window == nullptr) return 4;
  SetForegroundWindow(window);
  SetFocus(window);

  modHookKeyMouse::InstallMouseHook();
  SetTimer(window, kMoveTimer, 8, nullptr);
  SetTimer(window, kButtonTimer, 30, nullptr);
  SetTimer(window, kQuitPoll, 50, nullptr);
  Log("ready hook=%u", modHookKeyMouse::MouseHookHandle != 0 ? 1u : 0u);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  std::fclose(logFile);
  return 0;
}
