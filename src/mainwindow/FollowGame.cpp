// Control that follows the game's window: while another window is active,
// control waits, holding no key, and comes back when the game's window does.
#include "engine/GameWindow.h"
#include "engine/HookKeyMouse.h"
#include "engine/KeyMouse.h"
#include "keys/modGetKey.h"
#include "mainwindow/frmMain.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

using platform::Os;

namespace {

frmMain* following = nullptr;  // the window told of foreground changes

void ForegroundChanged() {
  if (following != nullptr) following->FollowGameWindow();
}

}  // namespace

void frmMain::ParkPointer() {
  // The right-most pixel column at mid-height: the arrow is almost wholly off screen.
  const auto screen = Os().screen.PrimaryScreen();
  KeyMouse().MouseMove(screen.widthTwips, HalfTwips(screen.heightTwips), true, true);
}

void frmMain::ShowControlStatus() {
  const std::string stop = "......  按" + modGetKey::KeyName(Settings.StopKey.VirtualKey, Settings.StopKey.Extended) + "停止!";
  const std::string name = LstGame.List(LstGame.ListIndex());
  CmdShowStart.SetCaption(modHookKeyMouse::WaitingForGame ? "等待 " + name + " 的窗口激活" + stop
                                                          : "正在控制 " + name + stop);
}

void frmMain::SetWaitingForGame(bool waiting) {
  if (waiting == modHookKeyMouse::WaitingForGame) return;
  modHookKeyMouse::WaitingForGame = waiting;
  if (waiting) {
    // The game will not see the releases the engine would send later.
    KeyMouse().ReleaseHeldKeys();
    modHookKeyMouse::ButtonRepeat = {};
    modHookKeyMouse::WheelRepeat = {};
  }
}

void frmMain::WatchForeground(const GameProfile& game) {
  if (!FollowsGameWindow(game) || foregroundHook_ != 0) return;
  following = this;
  foregroundHook_ = Os().hooks.SetForegroundHook(&ForegroundChanged);
}

void frmMain::StopWatchingForeground() {
  if (foregroundHook_ != 0) Os().hooks.RemoveForegroundHook(foregroundHook_);
  foregroundHook_ = 0;
  following = nullptr;
  modHookKeyMouse::WaitingForGame = false;
}

// From the foreground hook, and from every hotkey poll tick in case an event was missed.
void frmMain::FollowGameWindow() {
  const GameProfile* game = CurrentGame();
  if (!TimMove.Enabled() || game == nullptr || !FollowsGameWindow(*game)) return;
  const bool waiting = !GameWindowActive(*game);
  if (waiting == modHookKeyMouse::WaitingForGame) return;
  SetWaitingForGame(waiting);
  if (!waiting && game->HideCursor != 0) ParkPointer();
  ShowControlStatus();
}
