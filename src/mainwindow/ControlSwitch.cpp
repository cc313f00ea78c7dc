// Starting and stopping control, and the hotkey poll.
#include "engine/GameWindow.h"
#include "engine/HookKeyMouse.h"
#include "engine/KeyMouse.h"
#include "keys/modGetKey.h"
#include "mainwindow/frmMain.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

using platform::Os;

std::int32_t HalfTwips(std::int32_t twips) { return static_cast<std::int32_t>(RoundHalfEven(twips, 2)); }

namespace {

void Release(std::int32_t virtualKey, std::int32_t extended) { KeyMouse().KeyUp(virtualKey, extended != 0); }

// Every key the profile can have pressed, in a fixed order: each button's key
// and then its switch key, the four directions, the two wheel keys.
void ReleaseProfileKeys(const GameProfile& game) {
  for (const ButtonMap& button : game.Buttons) {
    Release(button.VirtualKey, button.Extended);
    Release(button.SwitchKey, button.SwitchExtended);
  }
  for (const MoveMap& move : game.Moves) Release(move.VirtualKey, move.Extended);
  for (const WheelMap& wheel : game.Wheels) Release(wheel.VirtualKey, wheel.Extended);
}

}  // namespace

void frmMain::StartControl() {
  if (LstGame.ListIndex() == -1) {
    // The hotkey poll goes on inside the box: a held start key asks once, not
    // with a new box every tick.
    if (askingForGame_) return;
    askingForGame_ = true;
    Os().dialogs.ShowMessage("请选择游戏再开始！", "Tillervane", platform::mb::SystemModal | platform::mb::IconInformation);
    askingForGame_ = false;
    return;
  }
  LstGame.SetEnabled(false);
  const GameProfile* game = CurrentGame();
  // With another window active, a profile that follows its game starts waiting.
  const bool waiting = game != nullptr && !GameWindowActive(*game);
  if (game != nullptr && game->HideCursor != 0 && !waiting) ParkPointer();
  modHookKeyMouse::InstallMouseHook();
  SetWaitingForGame(waiting);
  WatchForeground();
  TimMove.SetEnabled(true);
  TimButton.SetEnabled(true);
  ShowControlStatus();
}

void frmMain::StopControl() {
  modHookKeyMouse::RemoveMouseHook();
  StopWatchingForeground();
  TimMove.SetEnabled(false);
  TimButton.SetEnabled(false);
  LstGame_Click();
  LstGame.SetEnabled(true);
  const GameProfile* game = CurrentGame();
  if (game == nullptr) {  // no game current: only what the engine knows it holds
    KeyMouse().ReleaseHeldKeys();
    return;
  }
  ReleaseProfileKeys(*game);
  KeyMouse().ReleaseHeldKeys();  // any key the profile no longer names
  ClearKeyLatches();
  Os().process.PumpPendingMessages();
  // A command run by the pump may have added or deleted games: the profile is
  // looked up again, and with none current there is no pointer to bring back.
  game = CurrentGame();
  if (game == nullptr) return;
  if (game->HideCursor != 0) {
    const auto screen = Os().screen.PrimaryScreen();
    KeyMouse().MouseMove(HalfTwips(screen.widthTwips), HalfTwips(screen.heightTwips));
  }
}

// No edge detection: while a hotkey is held its procedure runs on every tick,
// and the stop key wins.
void frmMain::TimStart_Timer() {
  if (Os().input.GetAsyncKeyState(Settings.StopKey.VirtualKey) != 0) {
    StopControl();
  } else if (Os().input.GetAsyncKeyState(Settings.StartKey.VirtualKey) != 0) {
    StartControl();
  }
  FollowForeground();
}
