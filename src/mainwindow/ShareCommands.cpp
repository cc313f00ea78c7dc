// Sharing one game: the game menu's export to and import from a profile file
// (.tvgame), and profile files dropped on the window.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "keys/modGetKey.h"
#include "mainwindow/frmMain.h"
#include "settings/ModFile.h"
#include "settings/ProfileText.h"
#include "settings/SettingsCodec.h"

using platform::Os;

namespace {

using namespace std::string_literals;

const std::string kFilter = "Tillervane 游戏配置 (*.tvgame)\0*.tvgame\0\0"s;
constexpr char kExtension[] = "tvgame";
// The dialogs' OFN_ flags.
constexpr std::uint32_t kOverwritePrompt = 0x2, kHideReadOnly = 0x4, kNoChangeDir = 0x8, kPathMustExist = 0x800,
                        kFileMustExist = 0x1000;

void Say(const std::string& text) { Os().dialogs.ShowMessage(text, "Tillervane", platform::mb::Ok); }

// The game's name as a file's: what no file name may hold becomes "_", and a
// name too long for the dialog's buffer is cut between two characters.
std::string FileNameFor(const std::string& gameName) {
  constexpr std::size_t kMostCharacters = 100;
  std::string name;
  std::size_t characters = 0;
  for (char c : gameName) {
    const bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (starts && ++characters > kMostCharacters) break;
    const bool forbidden = static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
    name += forbidden ? '_' : c;
  }
  return (name.empty() ? "游戏" : name) + "." + kExtension;
}

// The folder of a chosen file, with its backslash.
std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::string UniqueGameName(const std::string& name, const std::vector<GameProfile>& games) {
  const auto taken = [&games](const std::string& candidate) {
    return std::any_of(games.begin(), games.end(), [&](const GameProfile& game) { return game.GameName == candidate; });
  };
  std::string candidate = name;
  for (int number = 2; taken(candidate); ++number) candidate = name + " (" + std::to_string(number) + ")";
  return candidate;
}

// Works while control is on, too: the game is only read. The file is checked
// against the reader before the dialog, so no file is made that would not
// import as this very game.
void frmMain::menuExport_Click() {
  const GameProfile* game = CurrentGame();
  if (game == nullptr) return Say("请选择游戏！");
  // As setinf.set holds it: a name typed with characters code page 936 lacks
  // is saved with "?" there, and so here.
  const GameProfile stored = settings_codec::AsStored(*game, Os().text);
  const std::vector<std::uint8_t> bytes = profile_text::WriteProfile(stored, modGetKey::KeyName);
  const profile_text::Reading check = profile_text::ReadProfile(bytes, Os().text);
  if (check.refusal || !(check.game == stored)) {
    return Say("导出失败：" + (check.refusal ? check.refusal->reason : "这个游戏的配置中有无法写成文本的内容"s));
  }
  if (profileFolder_.empty()) profileFolder_ = Os().process.ExecutableDirectory();
  platform::OpenFileRequest request{"导出游戏配置", kFilter, 1, FileNameFor(stored.GameName),
                                    kOverwritePrompt | kHideReadOnly | kPathMustExist | kNoChangeDir,
                                    profileFolder_, kExtension};
  if (!Os().dialogs.ShowSaveFile(request)) return;
  profileFolder_ = FolderOf(request.fileName);
  platform::FileFailure failure;
  if (!Os().files.WriteNew(request.fileName, bytes, failure)) Say("导出失败：" + failure.description);
}

void frmMain::menuImport_Click() {
  if (TimMove.Enabled()) StopControl();
  if (profileFolder_.empty()) profileFolder_ = Os().process.ExecutableDirectory();
  platform::OpenFileRequest request{"导入游戏配置", kFilter, 1, {}, kFileMustExist | kPathMustExist | kHideReadOnly | kNoChangeDir,
                                    profileFolder_, kExtension};
  if (!Os().dialogs.ShowOpenFile(request)) return;
  profileFolder_ = FolderOf(request.fileName);
  ImportGame(request.fileName);
}

void frmMain::Form_FilesDropped(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) ImportGame(path);
}

void frmMain::ImportGame(const std::string& path) {
  // Also when the start key turned control on while the dialog was open: the
  // current game is about to change under the engine.
  if (TimMove.Enabled()) StopControl();
  std::vector<std::uint8_t> bytes;
  platform::FileFailure failure;
  if (!Os().files.ReadStart(path, profile_text::MaxFileBytes + 1, bytes, failure)) {
    return Say("导入失败：" + failure.description);
  }
  profile_text::Reading reading = profile_text::ReadProfile(bytes, Os().text);
  const std::string name = UniqueGameName(reading.game.GameName, Settings.Games);
  if (!reading.refusal && settings_codec::ToFileText(name, Os().text).size() > settings_codec::MaxTextBytes) {
    reading.refusal = {reading.nameLine, "“游戏名称”加上编号后超过了配置文件中一项最多 65535 字节（GBK）"};
  }
  if (const auto& refusal = reading.refusal) {
    const std::string line = refusal->line > 0 ? "第 " + std::to_string(refusal->line) + " 行：" : "";
    return Say("导入失败：" + line + refusal->reason);
  }
  reading.game.GameName = name;
  const auto index = static_cast<int>(Settings.Games.size());
  Settings.Games.push_back(std::move(reading.game));
  LstGame.AddItem(name);
  LstGame.SetListIndex(index);
  ModFile::SaveSettings(false);
  if (reading.skippedLines > 0) {
    Say("已导入 " + name + "，忽略了 " + std::to_string(reading.skippedLines) + " 行无法识别的内容。");
  }
}
