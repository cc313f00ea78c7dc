#pragma once
// A platform that logs the calls the program makes, as "keybd_event(65,30,2,0)", and answers from a
// script. Its 256-key table follows injected keys, so a test can also ask what is held.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/posix/IconvText.h"

// Scan codes of a US layout for the keys tests use.
inline const std::map<std::uint32_t, std::uint32_t> kUsScanCodes = {
    {0x10, 0x2A}, {0x20, 0x39}, {0x25, 0x4B}, {0x26, 0x48}, {0x27, 0x4D}, {0x28, 0x50}, {0x41, 0x1E}, {0x44, 0x20},
    {0x53, 0x1F}, {0x57, 0x11}, {0x58, 0x2D}, {0x78, 0x43}, {0x79, 0x44}, {0x7B, 0x58}, {0xA1, 0x36}};

std::string Hex(std::uint32_t value);

class FakePlatform final : public platform::Input, public platform::Screen, public platform::Hooks,
                           public platform::Process, public platform::Files, public platform::Dialogs {
 public:
  FakePlatform() { platform::SetOs(&os_); }
  ~FakePlatform() override { platform::SetOs(nullptr); }

  void KeybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t info) override {
    Log("keybd_event", +vk, +scan, flags, info);
    held_[vk] = (flags & 2) == 0;  // KEYEVENTF_KEYUP
    pressedSinceRead_[vk] = pressedSinceRead_[vk] || held_[vk];
  }
  void MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                  std::uintptr_t info) override {
    Log("mouse_event", Hex(flags), dx, dy, data, info);
  }
  std::uint32_t MapVirtualKeyCode(std::uint32_t vk, std::uint32_t mapType) override {
    return mapType == 0 && scanCodes.count(vk) != 0 ? scanCodes.at(vk) : 0;  // MAPVK_VK_TO_VSC
  }
  std::int16_t GetAsyncKeyState(std::int32_t vk) override;
  bool GetCursorPos(platform::Point& position) override { return (position = cursor, true); }
  std::string KeyNameText(std::int32_t key, int) override { return keyNames.count(key) != 0 ? keyNames.at(key) : ""; }
  platform::ScreenMetrics PrimaryScreen() override { return screen; }
  platform::HookHandle SetMouseHook(platform::HookProc procedure) override {
    Log("SetWindowsHookEx");
    return Install(mouseHook, procedure);
  }
  platform::HookHandle SetKeyboardHook(platform::HookProc procedure) override { return Install(keyboardHook, procedure); }
  bool Unhook(platform::HookHandle hook) override;
  std::intptr_t CallNextHook(platform::HookHandle hook, int code, std::uintptr_t message, std::intptr_t) override {
    Log("CallNextHookEx", hook, code, message);
    return nextHookResult;
  }
  platform::HookHandle SetForegroundHook(void (*changed)()) override { return (foregroundHook = changed, 0x600); }
  platform::HookHandle SetDesktopSwitchHook(void (*switched)()) override { return (desktopHook = switched, 0x601); }
  void RemoveEventHook(platform::HookHandle hook) override { (hook == 0x600 ? foregroundHook : desktopHook) = nullptr; }
  void SetPriorityClass(std::uint32_t priorityClass) override { Log("SetPriorityClass", Hex(priorityClass)); }
  void Sleep(std::uint32_t milliseconds) override { Log("Sleep", milliseconds); }
  void PumpPendingMessages() override { Log("PumpPendingMessages"), RunOnce(whilePumping); }
  std::uintptr_t ForegroundWindow() override { return foregroundWindow; }
  std::string ForegroundProcessPath() override { return ++foregroundReads, foregroundPath; }
  bool ForegroundProcessElevatedAboveUs() override { return ++foregroundReads, foregroundElevated; }
  bool InputDesktopIsOurs() override { return inputDesktopOurs; }
  std::uint64_t NowMs() override { return clockMs; }
  void AllowPowerThrottling(bool allowed) override { Log("PowerThrottling", allowed ? "allowed" : "off"); }
  std::string ExecutableDirectory() override { return exeDirectory; }
  bool IsAnotherInstanceRunning() override { return anotherInstance; }
  bool TopLevelWindowExists(const std::string& title) override { return title == otherWindow; }
  void InitCommonControls(std::uint32_t) override {}
  std::vector<std::string> CommandLineArguments() override { return arguments; }
  bool StartElevatedCopy(const std::string& args) override { return Log("StartElevatedCopy", args), elevationAllowed; }
  platform::CopyState ElevatedCopyState() override { return elevatedCopy; }
  bool ChangeDirectory(const std::string& path) override { return Log("ChangeDirectory", path), !missing.count(path); }
  bool StartProgram(const std::string& path) override { return Log("StartProgram", path), !missing.count(path); }
  bool OpenDocument(const std::string& address, const std::string& folder) override {
    return Log("OpenDocument", address, folder), true;
  }
  bool Exists(const std::string& path) override { return disk.count(path) != 0; }
  std::string FinalPath(const std::string& path) override { return finalPaths.count(path) ? finalPaths.at(path) : path; }
  platform::FileHandle OpenReadWrite(const std::string& path, platform::FileFailure& failure) override;
  bool ReadAll(platform::FileHandle, std::vector<std::uint8_t>& content, platform::FileFailure& failure) override {
    Log("ReadAll");
    return !Failing("read", failure) && (content = disk.at(openPath_), true);
  }
  bool WriteFromStart(platform::FileHandle, const std::vector<std::uint8_t>& content,
                      platform::FileFailure& failure) override;
  bool Close(platform::FileHandle, platform::FileFailure& failure) override {
    return Log("Close"), !Failing("close", failure);
  }
  bool Delete(const std::string& path, platform::FileFailure& failure) override {
    return Log("Delete", path), !Failing("delete", failure) && disk.erase(path) != 0;
  }
  bool ReadStart(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& content,
                 platform::FileFailure& failure) override;
  bool WriteNew(const std::string& path, const std::vector<std::uint8_t>& content,
                platform::FileFailure& failure) override {
    return Log("WriteNew", path), !Failing("write", failure) && (disk[path] = content, true);
  }
  int ShowMessage(const std::string& text, const std::string& title, std::uint32_t style) override;
  bool ShowOpenFile(platform::OpenFileRequest& request) override { return FileDialog("GetOpenFileName", request); }
  bool ShowSaveFile(platform::OpenFileRequest& request) override { return FileDialog("GetSaveFileName", request); }

  // The user at the keyboard: these change the key table without a logged call.
  void PressKey(int vk) { held_.at(vk) = pressedSinceRead_.at(vk) = true; }
  void ReleaseKey(int vk) { held_.at(vk) = false; }
  bool IsHeld(int vk) const { return held_.at(vk); }
  // Another program's window comes to the front; the foreground hook is told, unless the event is missed.
  void BringToFront(const std::string& programPath, bool missed = false) {
    foregroundPath = programPath;
    ++foregroundWindow;
    if (foregroundHook != nullptr && !missed) foregroundHook();
  }
  // Hands one event to the installed hook as the system would; 0 when none is installed.
  std::intptr_t SendMouse(std::uint32_t message, platform::MouseHookRecord record, int code = 0) {
    return mouseHook == nullptr ? 0 : mouseHook(code, message, reinterpret_cast<std::intptr_t>(&record));
  }
  std::intptr_t SendKeyboard(platform::KeyboardHookRecord record, int code = 0) {
    return keyboardHook == nullptr ? 0 : keyboardHook(code, 0x0100, reinterpret_cast<std::intptr_t>(&record));
  }
  std::vector<std::string> TakeCalls() { return std::exchange(calls_, {}); }

  std::map<std::uint32_t, std::uint32_t> scanCodes = kUsScanCodes;
  std::map<std::int32_t, std::string> keyNames;  // by scan code << 16 | extended << 24
  platform::Point cursor;
  platform::ScreenMetrics screen{1024 * 15, 768 * 15, 15, 15};
  bool failHookInstall = false;
  std::intptr_t nextHookResult = 0;
  platform::HookProc mouseHook = nullptr, keyboardHook = nullptr;
  std::uint64_t clockMs = 0;
  std::string exeDirectory = "C:\\Games\\Tillervane";
  std::string foregroundPath;  // the foreground window's program, "" when it cannot be read
  bool foregroundElevated = false;
  std::uintptr_t foregroundWindow = 0x900;
  int foregroundReads = 0;  // of the foreground program's path and rights
  std::map<std::string, std::string> finalPaths;  // path -> where it finally leads
  void (*foregroundHook)() = nullptr;
  bool inputDesktopOurs = true;
  void (*desktopHook)() = nullptr;
  bool anotherInstance = false;
  std::vector<std::string> arguments;  // on the command line
  bool elevationAllowed = true;        // the consent prompt's answer
  platform::CopyState elevatedCopy = platform::CopyState::None;
  std::string otherWindow;  // the title of another program's top-level window
  std::map<std::string, std::vector<std::uint8_t>> disk;  // path -> content
  std::set<std::string> missing;  // folders and programs the launch does not find
  // Operation ("open", "read", "write", "close", "delete") -> its failure.
  std::map<std::string, platform::FileFailure> failures;
  std::deque<int> answers;  // message box answers in turn; Ok when empty
  // What the user or a timer does, once, in the next pump of messages or while the next box is open.
  std::function<void()> whilePumping, whileMessageShown;
  // The file dialogs' answers in turn: a path and its filter entry; a cancel when none is left.
  std::deque<std::pair<std::string, std::uint32_t>> chosenFiles;
  platform::posix::IconvText text;  // the real conversion

 private:
  template <typename... Values>
  void Log(const std::string& call, const Values&... values) {
    std::string line = call + "(";
    ((line += Text(values) + ","), ...);
    if (sizeof...(values) != 0) line.pop_back();
    calls_.push_back(line + ")");
  }
  template <typename Value>
  static std::string Text(const Value& value) {
    if constexpr (std::is_arithmetic_v<Value>) return std::to_string(value);
    else return std::string(value);
  }
  bool Failing(const std::string& operation, platform::FileFailure& failure) {
    return failures.count(operation) != 0 && (failure = failures.at(operation), true);
  }
  platform::HookHandle Install(platform::HookProc& slot, platform::HookProc procedure);
  bool FileDialog(const char* call, platform::OpenFileRequest& request);
  static void RunOnce(std::function<void()>& step) {
    if (auto once = std::exchange(step, nullptr)) once();
  }

  platform::Platform os_{*this, *this, *this, *this, *this, text, *this};
  std::vector<std::string> calls_;
  std::array<bool, 256> held_{}, pressedSinceRead_{};
  std::map<platform::HookHandle, platform::HookProc*> installed_;
  platform::HookHandle lastHandle_ = 0x5150;
  std::string openPath_;
};
