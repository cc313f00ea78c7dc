// The menu commands: the game menu's launch, edit, add and delete, the start
// and stop hotkeys, the usage memory, and the help menu's pages and About.
#include <string>

#include "mainwindow/WebPages.h"
#include "editor/frmSet.h"
#include "keys/modGetKey.h"
#include "mainwindow/frmMain.h"
#include "platform/Platform.h"
#include "settings/ModFile.h"
#include "settings/Settings.h"

using platform::Os;

namespace {

void OpenPage(const std::string& address) {
  Os().process.OpenDocument(address, Os().process.ExecutableDirectory());
}

// The page shipped beside the program works offline and always matches its
// version; a program copied out of its package falls back to the web page.
std::string UsagePage() {
  const std::string folder = Os().process.ExecutableDirectory();
  const bool root = !folder.empty() && folder.back() == '\\';  // "C:\"
  const std::string local = folder + (root ? "" : "\\") + WebPages::UsageHelpFile;
  return Os().files.Exists(local) ? local : WebPages::UsageHelp;
}

}  // namespace

// Starts the current game in its own folder. The drive, folder and start steps
// each run even when an earlier one failed; any failure is reported once, and
// the editor opens on the game so that its path can be put right.
void frmMain::menuRunGame_Click() {
  const GameProfile* game = CurrentGame();
  if (game == nullptr) {
    Os().dialogs.ShowMessage("请选择游戏！", "Tillervane", platform::mb::Ok);
    return;
  }
  const std::string path = game->GamePath;
  if (path.empty()) {
    Os().dialogs.ShowMessage("游戏文件位置未指定！请手动启动游戏再控制", "Tillervane", platform::mb::Ok);
    return;
  }
  bool failed = false;
  const auto colon = path.find_last_of(':');
  if (colon != std::string::npos) failed |= !Os().process.ChangeDirectory(path.substr(0, colon + 1));
  const auto backslash = path.find_last_of('\\');
  failed |= !Os().process.ChangeDirectory(backslash == std::string::npos ? std::string() : path.substr(0, backslash + 1));
  failed |= !Os().process.StartProgram(path);
  if (failed) {
    Os().dialogs.ShowMessage("游戏文件位置错误!", "Tillervane", platform::mb::IconInformation);
    menuSet_Click();
  }
}

// Opens the editor on the current game and shows its name, changed or not,
// in the list and the status line afterwards.
void frmMain::menuSet_Click() {
  StopControl();
  if (LstGame.ListCount() == 0) {
    if (Os().dialogs.ShowMessage("还没有游戏，添加新游戏？", "Tillervane",
                                 platform::mb::OkCancel | platform::mb::IconInformation) == platform::answer::Ok) {
      menuAdd_Click();
    }
    return;
  }
  if (LstGame.ListIndex() == -1) {
    Os().dialogs.ShowMessage("请选择要修改设置的游戏!", "Tillervane", platform::mb::Ok);
    return;
  }
  frmSet editor;
  editor.ShowModal();
  if (const GameProfile* game = CurrentGame()) LstGame.SetList(CurGameIndex, game->GameName);
  // Unless the start key turned control on while the editor was open, the
  // idle text names the game as the list now does.
  if (!TimMove.Enabled()) LstGame_Click();
}

// The new game reaches the settings file with the editor's OK; closed any
// other way, it stays in the list as "新游戏" until the next save.
void frmMain::menuAdd_Click() {
  // Control runs for the current game, which is about to change: stopping now
  // releases that game's keys rather than the new game's (none).
  if (TimMove.Enabled()) StopControl();
  const auto n = static_cast<std::int32_t>(Settings.Games.size());
  GameProfile game;
  game.GameName = "新游戏";
  Settings.Games.push_back(game);
  CurGameIndex = n;
  LstGame.AddItem(game.GameName);
  LstGame.SetListIndex(n);
  menuSet_Click();
}

// Cancel is the default button, so Enter keeps the game.
void frmMain::menuDelete_Click() {
  if (LstGame.ListCount() == 0) return;
  const int selected = LstGame.ListIndex();
  if (selected == -1) {
    Os().dialogs.ShowMessage("先选择游戏!", "Tillervane", platform::mb::IconInformation);
    return;
  }
  CurGameIndex = selected;
  const int answer =
      Os().dialogs.ShowMessage("确定要删除" + LstGame.List(selected) + "吗？", "Tillervane",
                               platform::mb::OkCancel | platform::mb::IconInformation | platform::mb::DefaultButton2);
  if (answer != platform::answer::Ok) return;
  // Control runs only for the selected game: its keys are released and the
  // pointer brought back while the game still exists.
  if (TimMove.Enabled()) StopControl();
  LstGame.RemoveItem(selected);
  // No current game from here on, also while a failed write is being reported;
  // the status line no longer names the deleted game.
  LstGame_Click();
  ModFile::RemoveGame(selected);
}

// Control stays off and the poll pauses while the key is chosen and confirmed,
// so only the capture dialog reacts to keys; the poll resumes on every path.
void frmMain::ReassignHotkey(HotKey& hotKey, const std::string& role) {
  StopControl();
  TimStart.SetEnabled(false);
  std::int32_t virtualKey = 0, extended = 0;
  modGetKey::CaptureKey(virtualKey, extended);
  if (virtualKey > 0) {
    const std::string question = "你将 " + modGetKey::KeyName(virtualKey, extended) + " 设置为" + role + "？";
    const int answer = Os().dialogs.ShowMessage(
        question, "Tillervane", platform::mb::OkCancel | platform::mb::IconInformation);
    if (answer == platform::answer::Ok) {
      hotKey.VirtualKey = virtualKey;
      hotKey.Extended = extended;
      ShowHotkeyCaptions();
      // The idle status line names the start key too; it must not go on
      // naming the old one.
      LstGame_Click();
      ModFile::SaveSettings(false);
    }
  }
  TimStart.SetEnabled(true);
}

void frmMain::menuMem_Click() {
  menuMem.SetChecked(!menuMem.Checked());
  Settings.RememberLastGame = menuMem.Checked() ? True16 : False16;
  ModFile::SaveSettings(false);
}

void frmMain::menuUseHelp_Click() { OpenPage(UsagePage()); }

void frmMain::menuNewApp_Click() {
  Os().dialogs.ShowMessage("将转到发布页获取更新！", "更新", platform::mb::IconInformation);
  OpenPage(WebPages::Updates);
}

void frmMain::menuAbout_Click() {
  Os().dialogs.ShowMessage(VersionTag, "Tillervane", platform::mb::Ok);
  Os().dialogs.ShowMessage("若存在 BUG，请到更新发布页获取新版本！", "Tillervane", platform::mb::Ok);
}
