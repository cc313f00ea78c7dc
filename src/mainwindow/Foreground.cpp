// What the window in front means while control is on: a profile that follows
// its game waits, holding no key, while another program's window is active; a
// game running with higher rights than this program is named, since the
// system drops every key sent to it.
#include "engine/GameWindow.h"
#include "engine/HookKeyMouse.h"
#include "engine/KeyMouse.h"
#include "keys/modGetKey.h"
#include "mainwindow/frmMain.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

using platform::Os;

namespace {

frmMain* watching = nullptr;  // the window told of foreground changes

void ForegroundChanged() {
  if (watching != nullptr) watching->FollowForeground();
}

}  // namespace

void frmMain::ParkPointer() {
  // The right-most pixel column at mid-height: the arrow is almost wholly off screen.
  const auto screen = Os().screen.PrimaryScreen();
  KeyMouse().MouseMove(screen.widthTwips, HalfTwips(screen.heightTwips));
}

void frmMain::ShowControlStatus() {
  if (elevatedInFront_) {
    CmdShowStart.SetCaption("游戏以管理员身份运行，请以管理员身份启动本程序");
    return;
  }
  const std::string stop = "......  按" + modGetKey::KeyName(Settings.StopKey.VirtualKey, Settings.StopKey.Extended) + "停止!";
  const std::string name = LstGame.List(LstGame.ListIndex());
  CmdShowStart.SetCaption(modHookKeyMouse::WaitingForGame ? "等待 " + name + " 的窗口激活" + stop
                                                          : "正在控制 " + name + stop);
}

void frmMain::ReleaseEverything() {
  KeyMouse().ReleaseHeldKeys();
  modHookKeyMouse::ButtonRepeat = {};
  modHookKeyMouse::WheelRepeat = {};
}

void frmMain::SetWaitingForGame(bool waiting) {
  if (waiting == modHookKeyMouse::WaitingForGame) return;
  modHookKeyMouse::WaitingForGame = waiting;
  // The game will not see the releases the engine would send later.
  if (waiting) ReleaseEverything();
}

void frmMain::WatchForeground() {
  elevatedInFront_ = Os().process.ForegroundProcessElevatedAboveUs();
  if (foregroundHook_ != 0) return;
  watching = this;
  foregroundHook_ = Os().hooks.SetForegroundHook(&ForegroundChanged);
}

void frmMain::StopWatchingForeground() {
  if (foregroundHook_ != 0) Os().hooks.RemoveForegroundHook(foregroundHook_);
  foregroundHook_ = 0;
  watching = nullptr;
  elevatedInFront_ = false;
  modHookKeyMouse::WaitingForGame = false;
}

// From the foreground hook, and from every hotkey poll tick in case an event was missed.
void frmMain::FollowForeground() {
  const GameProfile* game = CurrentGame();
  if (!TimMove.Enabled() || game == nullptr) return;
  const bool elevated = Os().process.ForegroundProcessElevatedAboveUs();
  const bool waiting = !GameWindowActive(*game);
  if (elevated == elevatedInFront_ && waiting == modHookKeyMouse::WaitingForGame) return;
  elevatedInFront_ = elevated;
  const bool returning = modHookKeyMouse::WaitingForGame && !waiting;
  SetWaitingForGame(waiting);
  if (returning && game->HideCursor != 0) ParkPointer();
  ShowControlStatus();
}
