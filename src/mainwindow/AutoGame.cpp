// 自动切换游戏: while control is on, the program in front chooses the game.
#include "engine/GameWindow.h"
#include "engine/HookKeyMouse.h"
#include "mainwindow/frmMain.h"
#include "platform/Platform.h"
#include "settings/ModFile.h"
#include "settings/Settings.h"

using platform::Os;

// Takes effect at once: with control on, the program in front is looked at
// again under the new rule; without the option, control needs a game.
void frmMain::menuAutoGame_Click() {
  menuAutoGame.SetChecked(!menuAutoGame.Checked());
  SetAutoSwitchesGame(Settings, menuAutoGame.Checked());
  ModFile::SaveSettings(false);
  if (!TimMove.Enabled()) return;
  if (!menuAutoGame.Checked() && CurrentGame() == nullptr) {
    StopControl();
    return;
  }
  if (menuAutoGame.Checked()) ReadGamePaths();
  ResolveCurrentGamePath();
  FollowForeground();
}

void frmMain::ReadGamePaths() {
  gameFinalPaths_.clear();
  for (const GameProfile& game : Settings.Games) gameFinalPaths_.push_back(FinalGamePath(game.GamePath));
}

// A program in front whose path cannot be read leaves the game and the
// waiting as they are; with no game yet, control waits.
bool frmMain::ChooseGameInFront(const std::string& inFront) {
  if (inFront.empty()) return modHookKeyMouse::WaitingForGame || CurrentGame() == nullptr;
  const int chosen = GameOfProgram(gameFinalPaths_, inFront);
  if (chosen < 0) return true;
  if (chosen != LstGame.ListIndex()) {
    // The game that had the keys will not see their releases once it is behind.
    ReleaseEverything();
    modHookKeyMouse::MoveDeltaX = modHookKeyMouse::MoveDeltaY = 0;
    LstGame.SetListIndex(chosen);  // its Click makes it current
    gameFinalPath_ = gameFinalPaths_[static_cast<std::size_t>(chosen)];
  }
  return false;
}
