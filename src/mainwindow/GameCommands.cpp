// The commands of the game menu.
#include "mainwindow/frmMain.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

using platform::Os;

// Starts the current game in its own folder. The drive, folder and start steps
// each run even when an earlier one failed; any failure is reported once.
void frmMain::menuRunGame_Click() {
  const GameProfile* game = CurrentGame();
  if (game == nullptr) {
    Os().dialogs.ShowMessage("请选择游戏！", "Tillervane", platform::mb::Ok);
    return;
  }
  const std::string& path = game->GamePath;
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
  }
}
