#include "support/FakePlatform.h"

#include <algorithm>
#include <cstdio>

#include "platform/WinConstants.h"

namespace {

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(value));
  return text;
}

// Scan codes of a US layout for the keys tests use most.
const std::map<std::uint32_t, std::uint32_t> kUsScanCodes = {
    {0x20, 0x39}, {0x25, 0x4B}, {0x26, 0x48}, {0x27, 0x4D}, {0x28, 0x50}, {0x41, 0x1E},
    {0x44, 0x20}, {0x53, 0x1F}, {0x57, 0x11}, {0x58, 0x2D}, {0x78, 0x43}, {0x7B, 0x58},
    {0xA0, 0x2A}, {0xA1, 0x36}, {0x10, 0x2A}, {0x11, 0x1D},
};

}  // namespace

FakePlatform::FakePlatform() : scanCodes(kUsScanCodes), os_{*this, *this, *this, *this, *this, text, *this} {
  platform::SetOs(&os_);
}

FakePlatform::~FakePlatform() { platform::SetOs(nullptr); }

void FakePlatform::Log(std::string call) { calls_.push_back(std::move(call)); }

std::vector<std::string> FakePlatform::TakeCalls() {
  std::vector<std::string> taken;
  taken.swap(calls_);
  return taken;
}

void FakePlatform::KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                              std::uintptr_t info) {
  Log("keybd_event(" + std::to_string(virtualKey) + "," + std::to_string(scanCode) + "," +
      std::to_string(flags) + "," + std::to_string(info) + ")");
  const bool up = (flags & wincode::KeyEventKeyUp) != 0;
  held_[virtualKey] = !up;
  if (!up) pressedSinceRead_[virtualKey] = true;
}

void FakePlatform::MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                              std::uintptr_t info) {
  Log("mouse_event(" + Hex(flags) + "," + std::to_string(dx) + "," + std::to_string(dy) + "," +
      std::to_string(data) + "," + std::to_string(info) + ")");
}

std::uintptr_t FakePlatform::GetMessageExtraInfo() { return extraInfo++; }

std::uint32_t FakePlatform::MapVirtualKeyCode(std::uint32_t code, std::uint32_t mapType) {
  if (mapType != wincode::MapVkToVsc) return 0;
  const auto found = scanCodes.find(code);
  return found == scanCodes.end() ? 0 : found->second;
}

std::int16_t FakePlatform::GetAsyncKeyState(std::int32_t virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  const auto key = static_cast<std::size_t>(virtualKey);
  const int state = (held_[key] ? 0x8000 : 0) | (pressedSinceRead_[key] ? 1 : 0);
  pressedSinceRead_[key] = false;
  return static_cast<std::int16_t>(state);
}

bool FakePlatform::GetCursorPos(platform::Point& position) {
  position = cursor;
  return true;
}

// The layout's name, whatever the buffer.
std::string FakePlatform::KeyNameText(std::int32_t keyParameter, int) {
  const auto found = keyNames.find(keyParameter);
  return found == keyNames.end() ? std::string() : found->second;
}

platform::ScreenMetrics FakePlatform::PrimaryScreen() { return screen; }

platform::HookHandle FakePlatform::SetMouseHook(platform::HookProc procedure) {
  Log("SetWindowsHookEx(" + std::to_string(wincode::WhMouseLowLevel) + ")");
  if (failHookInstall) return 0;
  mouseHook = procedure;
  installedHook = nextHandle_++;
  return installedHook;
}

platform::HookHandle FakePlatform::SetKeyboardHook(platform::HookProc procedure) {
  Log("SetWindowsHookEx(" + std::to_string(wincode::WhKeyboardLowLevel) + ")");
  if (failHookInstall) return 0;
  keyboardHook = procedure;
  installedKeyboardHook = nextHandle_++;
  return installedKeyboardHook;
}

bool FakePlatform::Unhook(platform::HookHandle hook) {
  Log("UnhookWindowsHookEx(" + std::to_string(hook) + ")");
  if (hook != 0 && hook == installedHook) {
    installedHook = 0;
    mouseHook = nullptr;
    return true;
  }
  if (hook != 0 && hook == installedKeyboardHook) {
    installedKeyboardHook = 0;
    keyboardHook = nullptr;
    return true;
  }
  return false;
}

std::intptr_t FakePlatform::CallNextHook(platform::HookHandle hook, int code, std::uintptr_t wParam,
                                         std::intptr_t) {
  Log("CallNextHookEx(" + std::to_string(hook) + "," + std::to_string(code) + "," +
      std::to_string(wParam) + ")");
  return nextHookResult;
}

void FakePlatform::SetPriorityClass(std::uint32_t value) {
  Log("SetPriorityClass(" + Hex(value) + ")");
  priorityClass = value;
}

void FakePlatform::Sleep(std::uint32_t milliseconds) {
  Log("Sleep(" + std::to_string(milliseconds) + ")");
  clockMs += milliseconds;
}

namespace {
void RunOnce(std::function<void()>& step) {
  if (!step) return;
  auto once = std::move(step);
  step = nullptr;
  once();
}
}  // namespace

platform::HookHandle FakePlatform::SetForegroundHook(void (*changed)()) {
  foregroundHook = changed;
  return ++nextHandle_;
}

void FakePlatform::RemoveForegroundHook(platform::HookHandle) {
  foregroundHook = nullptr;
}

void FakePlatform::AllowPowerThrottling(bool allowed) {
  Log(std::string("PowerThrottling(") + (allowed ? "allowed" : "off") + ")");
}

void FakePlatform::BringToFront(const std::string& programPath) {
  foregroundPath = programPath;
  if (foregroundHook != nullptr) foregroundHook();
}

void FakePlatform::PumpPendingMessages() {
  Log("PumpPendingMessages");
  RunOnce(whilePumping);
}

bool FakePlatform::TopLevelWindowExists(const std::string& title) {
  for (const auto& each : topLevelWindows)
    if (each == title) return true;
  return false;
}

void FakePlatform::InitCommonControls(std::uint32_t) {}

bool FakePlatform::ChangeDirectory(const std::string& path) {
  Log("ChangeDirectory(" + path + ")");
  return std::find(missingPaths.begin(), missingPaths.end(), path) == missingPaths.end();
}

bool FakePlatform::StartProgram(const std::string& path) {
  Log("StartProgram(" + path + ")");
  return std::find(missingPaths.begin(), missingPaths.end(), path) == missingPaths.end();
}

bool FakePlatform::OpenDocument(const std::string& address, const std::string& workingDirectory) {
  Log("OpenDocument(" + address + "|" + workingDirectory + ")");
  return true;
}

void FakePlatform::PressKey(int virtualKey) {
  held_.at(static_cast<std::size_t>(virtualKey)) = true;
  pressedSinceRead_.at(static_cast<std::size_t>(virtualKey)) = true;
}

void FakePlatform::ReleaseKey(int virtualKey) { held_.at(static_cast<std::size_t>(virtualKey)) = false; }

std::intptr_t FakePlatform::SendKeyboard(platform::KeyboardHookRecord record, int code) {
  if (keyboardHook == nullptr) return 0;
  return keyboardHook(code, 0x0100, reinterpret_cast<std::intptr_t>(&record));
}

std::intptr_t FakePlatform::SendMouse(std::uint32_t message, platform::MouseHookRecord record, int code) {
  if (mouseHook == nullptr) return 0;
  return mouseHook(code, message, reinterpret_cast<std::intptr_t>(&record));
}

bool FakePlatform::Failing(const std::string& operation, platform::FileFailure& failure) {
  const auto found = failures.find(operation);
  if (found == failures.end()) return false;
  failure = found->second;
  return true;
}

platform::FileHandle FakePlatform::OpenReadWrite(const std::string& path, platform::FileFailure& failure) {
  Log("OpenReadWrite(" + path + ")");
  if (Failing("open", failure)) return 0;
  disk.try_emplace(path);
  openFiles_[nextFile_] = path;
  return nextFile_++;
}

bool FakePlatform::ReadAll(platform::FileHandle file, std::vector<std::uint8_t>& content,
                           platform::FileFailure& failure) {
  Log("ReadAll");
  content = disk.at(openFiles_.at(file));
  if (Failing("read", failure)) {
    content.resize(std::min(content.size(), bytesBeforeReadFailure));
    return false;
  }
  return true;
}

bool FakePlatform::WriteFromStart(platform::FileHandle file, const std::vector<std::uint8_t>& content,
                                  platform::FileFailure& failure) {
  Log("WriteFromStart(" + std::to_string(content.size()) + ")");
  if (Failing("write", failure)) return false;
  auto& bytes = disk.at(openFiles_.at(file));
  if (bytes.size() < content.size()) bytes.resize(content.size());
  std::copy(content.begin(), content.end(), bytes.begin());
  return true;
}

bool FakePlatform::Close(platform::FileHandle file, platform::FileFailure& failure) {
  Log("Close");
  openFiles_.erase(file);
  return !Failing("close", failure);
}

bool FakePlatform::Delete(const std::string& path, platform::FileFailure& failure) {
  Log("Delete(" + path + ")");
  if (Failing("delete", failure)) return false;
  if (disk.erase(path) == 0) {
    failure = {"The system cannot find the file specified."};
    return false;
  }
  return true;
}

int FakePlatform::ShowMessage(const std::string& shown, const std::string& title, std::uint32_t style) {
  Log("MessageBox(" + shown + "|" + title + "|" + Hex(style) + ")");
  RunOnce(whileMessageShown);
  if (answers.empty()) return platform::answer::Ok;
  const int next = answers.front();
  answers.pop_front();
  if (next != PressEnter) return next;
  // The buttons of each button set, and the default one among them.
  using namespace platform::answer;
  const std::map<std::uint32_t, std::vector<int>> buttons = {{platform::mb::Ok, {Ok}},
                                                             {platform::mb::OkCancel, {Ok, Cancel}},
                                                             {platform::mb::YesNo, {Yes, No}}};
  const auto& set = buttons.at(style & 0xF);
  const std::size_t defaultButton = (style >> 8) & 0xF;
  return set.at(std::min(defaultButton, set.size() - 1));
}

// The log shows the filter's NULs as "|".
bool FakePlatform::ShowOpenFile(platform::OpenFileRequest& request) {
  std::string filter = request.filter;
  std::replace(filter.begin(), filter.end(), '\0', '|');
  Log("GetOpenFileName(" + request.title + "|" + filter + "|" + std::to_string(request.filterIndex) + "|" +
      request.fileName + "|" + Hex(request.flags) + ")");
  if (chosenFiles.empty()) return false;
  request.fileName = chosenFiles.front().path;
  request.filterIndex = chosenFiles.front().filterIndex;
  chosenFiles.pop_front();
  return true;
}
