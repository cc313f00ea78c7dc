#include "settings/ModFile.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "settings/Settings.h"
#include "settings/SettingsCodec.h"

namespace ModFile {

namespace {

constexpr std::int32_t LowestReserved1 = 3;

using Failure = platform::FileFailure;

// The settings file lives beside the program, so a program kept where its user
// may not write can never save; the refusal alone does not tell the user that.
constexpr char WhereToKeepTheProgram[] =
    "Tillervane 的设置保存在程序所在的文件夹中，请把整个程序文件夹放到一个可以写入的位置"
    "（例如 D:\\Tillervane 或“文档”中），不要放在 Program Files 等受保护的文件夹里。";

// The failure a procedure reports at its end: the last one wins. Kept apart
// from its text, since a description may be empty.
class LastFailure {
 public:
  // Runs one step; remembers its failure if it fails.
  template <typename Step>
  bool Check(Step step) {
    Failure failure;
    if (step(failure)) return true;
    last_ = std::move(failure);
    return false;
  }

  void Report() const {
    if (!last_) return;
    std::string text = last_->description;
    if (last_->accessDenied) text += std::string("\n\n") + WhereToKeepTheProgram;
    platform::Os().dialogs.ShowMessage(text, "Tillervane", platform::mb::Ok);
  }

 private:
  std::optional<Failure> last_;
};

}  // namespace

void LoadSettings() {
  platform::Platform& os = platform::Os();
  LastFailure failure;
  std::vector<std::uint8_t> content;
  platform::FileHandle file = 0;
  // Reading and closing need the open file; a failed open is reported as it is
  // rather than hidden behind the failures of steps that could not run.
  if (failure.Check([&](Failure& d) { return (file = os.files.OpenReadWrite(SettingsPath, d)) != 0; })) {
    // A failed read keeps what it read before the failure.
    failure.Check([&](Failure& d) { return os.files.ReadAll(file, content, d); });
    failure.Check([&](Failure& d) { return os.files.Close(file, d); });
  }
  Settings = settings_codec::DecodeSettings(content, os.text);

  if (Settings.Version != VersionTag) {
    os.dialogs.ShowMessage("配置文件异常！", "错误", platform::mb::Ok | platform::mb::IconStop);
  }
  if (Settings.StartKey.VirtualKey == 0) Settings.StartKey = {wincode::VkF9, 0, Settings.StartKey.Reserved};
  if (Settings.StopKey.VirtualKey == 0) Settings.StopKey = {wincode::VkF12, 0, Settings.StopKey.Reserved};
  if (Settings.Reserved1 < LowestReserved1) Settings.Reserved1 = LowestReserved1;

  failure.Report();
}

void SaveSettings(bool deleteFirst) {
  platform::Platform& os = platform::Os();
  LastFailure failure;
  Settings.Version = VersionTag;
  if (deleteFirst) failure.Check([&](Failure& d) { return os.files.Delete(SettingsPath, d); });
  platform::FileHandle file = 0;
  if (failure.Check([&](Failure& d) { return (file = os.files.OpenReadWrite(SettingsPath, d)) != 0; })) {
    const std::vector<std::uint8_t> bytes = settings_codec::EncodeSettings(Settings, os.text);
    failure.Check([&](Failure& d) { return os.files.WriteFromStart(file, bytes, d); });
    failure.Check([&](Failure& d) { return os.files.Close(file, d); });
  }
  failure.Report();
}

void RemoveGame(std::int32_t index) {
  // The caller names an existing game; any other index changes nothing.
  if (index < 0 || static_cast<std::size_t>(index) >= Settings.Games.size()) return;
  Settings.Games.erase(Settings.Games.begin() + index);
  SaveSettings(true);
}

}  // namespace ModFile
