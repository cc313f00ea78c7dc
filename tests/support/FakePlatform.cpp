#include "support/FakePlatform.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(value));
  return text;
}

// Bit 15: held now; bit 0: pressed since the last read, which the read clears.
std::int16_t FakePlatform::GetAsyncKeyState(std::int32_t vk) {
  if (vk < 0 || vk > 255) return 0;
  const int state = (held_.at(vk) ? 0x8000 : 0) | (std::exchange(pressedSinceRead_.at(vk), false) ? 1 : 0);
  return static_cast<std::int16_t>(state);
}

platform::HookHandle FakePlatform::Install(platform::HookProc& slot, platform::HookProc procedure) {
  if (failHookInstall) return 0;
  slot = procedure;
  installed_[++lastHandle_] = &slot;
  return lastHandle_;
}

bool FakePlatform::Unhook(platform::HookHandle hook) {
  Log("UnhookWindowsHookEx", hook);
  if (installed_.count(hook) == 0) return false;
  *installed_.at(hook) = nullptr;
  return installed_.erase(hook) != 0;
}

// A missing file is created empty.
platform::FileHandle FakePlatform::OpenReadWrite(const std::string& path, platform::FileFailure& failure) {
  Log("OpenReadWrite", path);
  if (Failing("open", failure)) return 0;
  disk.try_emplace(openPath_ = path);
  return 0x700;
}

// As the system does, the bytes behind what is written stay.
bool FakePlatform::WriteFromStart(platform::FileHandle, const std::vector<std::uint8_t>& content,
                                  platform::FileFailure& failure) {
  Log("WriteFromStart", content.size());
  if (Failing("write", failure)) return false;
  auto& bytes = disk.at(openPath_);
  bytes.resize(std::max(bytes.size(), content.size()));
  std::copy(content.begin(), content.end(), bytes.begin());
  return true;
}

int FakePlatform::ShowMessage(const std::string& text, const std::string& title, std::uint32_t style) {
  Log("MessageBox", text, title, Hex(style));
  RunOnce(whileMessageShown);
  if (answers.empty()) return platform::answer::Ok;
  const int next = answers.front();
  answers.pop_front();
  return next;
}

// A missing file fails as the open would.
bool FakePlatform::ReadStart(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& content,
                             platform::FileFailure& failure) {
  Log("ReadStart", path, limit);
  if (Failing("open", failure) || Failing("read", failure)) return false;
  if (disk.count(path) == 0) return (failure = {"系统找不到指定的文件。", false}, false);
  const auto& bytes = disk.at(path);
  content.assign(bytes.begin(), bytes.begin() + static_cast<long>(std::min(limit, bytes.size())));
  return true;
}

// The log shows the filter's NULs as "|", and the folder and extension only when given.
bool FakePlatform::FileDialog(const char* call, platform::OpenFileRequest& request) {
  std::string filter = request.filter;
  std::replace(filter.begin(), filter.end(), '\0', '|');
  if (request.initialFolder.empty() && request.defaultExtension.empty())
    Log(call, request.title, filter, request.filterIndex, request.fileName, Hex(request.flags));
  else
    Log(call, request.title, filter, request.filterIndex, request.fileName, Hex(request.flags), request.initialFolder,
        request.defaultExtension);
  if (chosenFiles.empty()) return false;
  std::tie(request.fileName, request.filterIndex) = chosenFiles.front();
  chosenFiles.pop_front();
  return true;
}
