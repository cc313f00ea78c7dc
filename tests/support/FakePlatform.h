#pragma once
// A platform that records what the program asks of it and answers from a script.
// Its keyboard keeps a 256-key table that injected events update, so a test can
// ask what is held as well as read the exact sequence of calls.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/posix/IconvText.h"

class FakePlatform final : public platform::Input,
                           public platform::Screen,
                           public platform::Hooks,
                           public platform::Process,
                           public platform::Files,
                           public platform::Dialogs {
 public:
  FakePlatform();
  ~FakePlatform() override;  // uninstalls itself

  // platform::Input
  void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                  std::uintptr_t extraInfo) override;
  void MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                  std::uintptr_t extraInfo) override;
  std::uintptr_t GetMessageExtraInfo() override;
  std::uint32_t MapVirtualKeyCode(std::uint32_t code, std::uint32_t mapType) override;
  std::int16_t GetAsyncKeyState(std::int32_t virtualKey) override;
  bool GetCursorPos(platform::Point& position) override;
  std::string KeyNameText(std::int32_t keyParameter, int bufferUnits) override;
  // platform::Screen
  platform::ScreenMetrics PrimaryScreen() override;
  // platform::Hooks
  platform::HookHandle SetMouseHook(platform::HookProc procedure) override;
  platform::HookHandle SetKeyboardHook(platform::HookProc procedure) override;
  bool Unhook(platform::HookHandle hook) override;
  std::intptr_t CallNextHook(platform::HookHandle hook, int code, std::uintptr_t wParam,
                             std::intptr_t lParam) override;
  platform::HookHandle SetForegroundHook(void (*changed)()) override;
  void RemoveForegroundHook(platform::HookHandle hook) override;
  // platform::Process
  void SetPriorityClass(std::uint32_t priorityClass) override;
  void Sleep(std::uint32_t milliseconds) override;
  void PumpPendingMessages() override;
  std::string ForegroundProcessPath() override { return foregroundPath; }
  bool ForegroundProcessElevatedAboveUs() override { return foregroundElevated; }
  std::uint64_t NowMs() override { return clockMs; }
  void AllowPowerThrottling(bool allowed) override;
  std::string ExecutableDirectory() override { return exeDirectory; }
  bool IsAnotherInstanceRunning() override { return anotherInstance; }
  bool TopLevelWindowExists(const std::string& title) override;
  void InitCommonControls(std::uint32_t classes) override;
  bool ChangeDirectory(const std::string& path) override;
  bool StartProgram(const std::string& path) override;
  bool OpenDocument(const std::string& address, const std::string& workingDirectory) override;
  // platform::Files, on an in-memory disk
  bool Exists(const std::string& path) override { return disk.count(path) != 0; }
  platform::FileHandle OpenReadWrite(const std::string& path, platform::FileFailure& failure) override;
  bool ReadAll(platform::FileHandle file, std::vector<std::uint8_t>& content, platform::FileFailure& failure) override;
  bool WriteFromStart(platform::FileHandle file, const std::vector<std::uint8_t>& content,
                      platform::FileFailure& failure) override;
  bool Close(platform::FileHandle file, platform::FileFailure& failure) override;
  bool Delete(const std::string& path, platform::FileFailure& failure) override;
  // platform::Dialogs
  int ShowMessage(const std::string& text, const std::string& title, std::uint32_t style) override;
  bool ShowOpenFile(platform::OpenFileRequest& request) override;

  // The user at the keyboard: these change the key table without a logged call.
  void PressKey(int virtualKey);
  void ReleaseKey(int virtualKey);
  bool IsHeld(int virtualKey) const { return held_.at(static_cast<std::size_t>(virtualKey)); }

  // Another window comes to the foreground: its program's path, and the
  // foreground hook is told if one is installed.
  void BringToFront(const std::string& programPath);

  // Hands one event to the installed mouse hook as the system would.
  std::intptr_t SendMouse(std::uint32_t message, platform::MouseHookRecord record, int code = 0);

  // Hands one event to the installed keyboard hook; 0 when none is installed.
  std::intptr_t SendKeyboard(platform::KeyboardHookRecord record, int code = 0);

  // The calls made since the last TakeCalls, e.g. "keybd_event(65,30,2,0)".
  std::vector<std::string> TakeCalls();

  // Script and observed state.
  std::map<std::uint32_t, std::uint32_t> scanCodes;  // MapVirtualKey answers
  // The layout's key names by key-message parameter (scan code << 16, extended << 24).
  std::map<std::int32_t, std::string> keyNames;
  platform::HookProc keyboardHook = nullptr;
  platform::HookHandle installedKeyboardHook = 0;
  platform::Point cursor;
  platform::ScreenMetrics screen{1024 * 15, 768 * 15, 15, 15};
  std::uintptr_t extraInfo = 0;  // each read returns it, then it counts up
  bool failHookInstall = false;
  std::intptr_t nextHookResult = 0;
  platform::HookProc mouseHook = nullptr;
  platform::HookHandle installedHook = 0;
  std::uint32_t priorityClass = 0x20;
  std::uint64_t clockMs = 0;  // advanced by Sleep
  std::string exeDirectory = "C:\\Games\\Tillervane";
  std::string foregroundPath;  // the foreground window's program
  bool foregroundElevated = false;
  void (*foregroundHook)() = nullptr;  // installed while not null
  bool anotherInstance = false;
  std::vector<std::string> topLevelWindows;  // titles
  std::vector<std::string> missingPaths;     // folders and programs that do not exist
  std::map<std::string, std::vector<std::uint8_t>> disk;  // path -> content
  // Operation ("open", "read", "write", "close", "delete") -> its failure; the
  // operation fails for as long as it is listed.
  std::map<std::string, platform::FileFailure> failures;
  std::size_t bytesBeforeReadFailure = 0;  // what a failing read has read
  std::deque<int> answers;  // message box answers in turn; Ok when empty
  // What the user or a timer does while the message loop runs: inside the next
  // pump of pending messages, or while the next message box is open. Each runs
  // once.
  std::function<void()> whilePumping, whileMessageShown;
  // An answer that presses Enter: the box's default button.
  static constexpr int PressEnter = -1;
  // The open-file dialog's answers in turn: the chosen path with the filter
  // entry it was chosen under; a cancel when empty.
  struct ChosenFile {
    std::string path;
    std::uint32_t filterIndex = 1;
  };
  std::deque<ChosenFile> chosenFiles;
  platform::posix::IconvText text;  // the real conversion

 private:
  void Log(std::string call);
  bool Failing(const std::string& operation, platform::FileFailure& failure);

  platform::Platform os_;
  std::vector<std::string> calls_;
  std::array<bool, 256> held_{};
  std::array<bool, 256> pressedSinceRead_{};
  platform::HookHandle nextHandle_ = 0x5150;
  std::map<platform::FileHandle, std::string> openFiles_;
  platform::FileHandle nextFile_ = 0x700;
};
