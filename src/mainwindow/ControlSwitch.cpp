// Control on and off: starting and stopping it, the hotkey poll, and what
// the window in front means while it is on. A profile that follows its game
// waits, holding no key, while another program's window is active; a game
// running with higher rights than this program is named, since the system
// drops every key sent to it. No key may stay held when the events that would
// release it can no longer come, and a hook the system refused or removed behind the
// program's back is tried again, less often each time.
#include "engine/GameWindow.h"
#include "engine/HookKeyMouse.h"
#include "engine/KeyMouse.h"
#include "engine/PreciseMove.h"
#include "mainwindow/frmMain.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

using platform::Os;

std::int32_t HalfTwips(std::int32_t twips) { return static_cast<std::int32_t>(RoundHalfEven(twips, 2)); }

namespace {

bool AnyGameHasFile() {
  for (const GameProfile& game : Settings.Games)
    if (!game.GamePath.empty()) return true;
  return false;
}

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

// The pixel of a screen `pixels` wide at an absolute position, 0 to 65535 across it.
std::int32_t PixelOf(std::int32_t position, std::int32_t pixels) {
  return static_cast<std::int32_t>(RoundHalfEven(std::int64_t{position} * (pixels - 1), 65535));
}

frmMain* watching = nullptr;  // the window told of foreground changes

}  // namespace

void frmMain::StartControl() {
  const bool autoSwitch = AutoSwitchesGame(Settings);
  if (LstGame.ListIndex() == -1 && !(autoSwitch && AnyGameHasFile())) {
    // The hotkey poll goes on inside the box: a held start key asks once, not
    // with a new box every tick.
    if (askingForGame_) return;
    askingForGame_ = true;
    Os().dialogs.ShowMessage("请选择游戏再开始！", "Tillervane", platform::mb::SystemModal | platform::mb::IconInformation);
    askingForGame_ = false;
    return;
  }
  LstGame.SetEnabled(false);
  lastRawPosition_.reset();
  // With another window active, a profile that follows its game starts waiting.
  const std::string inFront = Os().process.ForegroundProcessPath();
  bool waiting = false;
  if (autoSwitch) {
    ReadGamePaths();
    waiting = ChooseGameInFront(inFront);
  } else if (const GameProfile* game = CurrentGame()) {
    ResolveCurrentGamePath();
    waiting = WaitsForGameWindow(*game, gameFinalPath_, inFront, false);
  }
  const GameProfile* game = CurrentGame();
  if (game != nullptr && game->HideCursor != 0 && !waiting) ParkPointer();
  modHookKeyMouse::InstallMouseHook();
  ListenToRawMouse(true);
  SetWaitingForGame(waiting);
  WatchForeground();
  TimMove.SetEnabled(true);
  TimButton.SetEnabled(true);
  ShowControlStatus();
}

// A SUBST drive, a junction or a short name resolved; as stored when it cannot be.
std::string frmMain::FinalGamePath(const std::string& gamePath) {
  const std::string final = gamePath.empty() ? std::string() : Os().files.FinalPath(gamePath);
  return final.empty() ? gamePath : final;
}

void frmMain::ResolveCurrentGamePath() {
  if (const GameProfile* game = CurrentGame()) gameFinalPath_ = FinalGamePath(game->GamePath);
}

void frmMain::StopControl() {
  modHookKeyMouse::RemoveMouseHook();
  ListenToRawMouse(false);
  StopWatchingForeground();
  TimMove.SetEnabled(false);
  TimButton.SetEnabled(false);
  LstGame_Click();
  LstGame.SetEnabled(true);
  menuAdmin.SetEnabled(false);
  ShowTrayState();
  const GameProfile* game = CurrentGame();
  if (game != nullptr) ReleaseProfileKeys(*game);
  KeyMouse().ReleaseHeldKeys();  // what the engine still holds: all of it with no game current
  if (game == nullptr) return;
  ClearKeyLatches();
  Os().process.PumpPendingMessages();
  // A command run by the pump may have added or deleted games: the profile is
  // looked up again, and with none current there is no pointer to bring back.
  game = CurrentGame();
  if (game == nullptr) return;
  if (game->HideCursor != 0) {
    const auto screen = Os().screen.PrimaryScreen();
    KeyMouse().MouseMove(HalfTwips(screen.widthTwips), HalfTwips(screen.heightTwips), true, true);
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
  if (TimMove.Enabled() && modHookKeyMouse::MouseHookHandle == 0 && modHookKeyMouse::RetryMouseHook()) {
    ShowControlStatus();
  }
  FollowForeground(true);
  FollowInputDesktop();
  FollowHandover();
}

void frmMain::FollowInputDesktop() {
  if (!TimMove.Enabled()) return;
  const bool ours = Os().process.InputDesktopIsOurs();
  if (ours == onInputDesktop_) return;
  onInputDesktop_ = ours;
  ReleaseEverything();
}

void frmMain::ParkPointer() {
  // The right-most pixel column at mid-height: the arrow is almost wholly off screen.
  const auto screen = Os().screen.PrimaryScreen();
  KeyMouse().MouseMove(screen.widthTwips, HalfTwips(screen.heightTwips), true, true);
}

void frmMain::ShowControlStatus() {
  menuAdmin.SetEnabled(elevatedInFront_);
  ShowTrayState();
  if (elevatedInFront_) {
    CmdShowStart.SetCaption("游戏以管理员身份运行，请以管理员身份启动本程序");
    return;
  }
  const std::string stop = "......  按" + HotkeyName(Settings.StopKey) + "停止!";
  if (modHookKeyMouse::MouseHookHandle == 0) {  // nothing is controlled until the hook is in
    CmdShowStart.SetCaption("鼠标钩子安装失败，正在重试" + stop);
    return;
  }
  if (modHookKeyMouse::WaitingForGame && AutoSwitchesGame(Settings)) {
    CmdShowStart.SetCaption("等待游戏窗口激活" + stop);
    return;
  }
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
  foregroundWindow_ = Os().process.ForegroundWindow();
  elevatedInFront_ = Os().process.ForegroundProcessElevatedAboveUs();
  if (foregroundHook_ != 0) return;
  watching = this;
  onInputDesktop_ = true;
  foregroundHook_ = Os().hooks.SetForegroundHook([] {
    if (watching != nullptr) watching->FollowForeground();
  });
  desktopHook_ = Os().hooks.SetDesktopSwitchHook([] {
    if (watching != nullptr) watching->ReleaseEverything();
  });
}

void frmMain::StopWatchingForeground() {
  for (const platform::HookHandle hook : {foregroundHook_, desktopHook_}) {
    if (hook != 0) Os().hooks.RemoveEventHook(hook);
  }
  foregroundHook_ = desktopHook_ = 0;
  watching = nullptr;
  elevatedInFront_ = false;
  modHookKeyMouse::WaitingForGame = false;
}

// From the foreground hook, and from every hotkey poll tick in case an event
// was missed: the program in front is read only when its window changed.
void frmMain::FollowForeground(bool polled) {
  const bool autoSwitch = AutoSwitchesGame(Settings);
  if (!TimMove.Enabled() || (!autoSwitch && CurrentGame() == nullptr)) return;
  const std::uintptr_t window = Os().process.ForegroundWindow();
  if (polled && window == foregroundWindow_) return;
  foregroundWindow_ = window;
  const bool elevated = Os().process.ForegroundProcessElevatedAboveUs();
  const std::string inFront = Os().process.ForegroundProcessPath();
  const int before = LstGame.ListIndex();
  const bool waiting = autoSwitch ? ChooseGameInFront(inFront)
                                  : WaitsForGameWindow(*CurrentGame(), gameFinalPath_, inFront,
                                                       modHookKeyMouse::WaitingForGame);
  const bool switched = LstGame.ListIndex() != before;
  if (!switched && elevated == elevatedInFront_ && waiting == modHookKeyMouse::WaitingForGame) return;
  elevatedInFront_ = elevated;
  const bool arriving = (switched || modHookKeyMouse::WaitingForGame) && !waiting;
  SetWaitingForGame(waiting);
  const GameProfile* game = CurrentGame();
  if (arriving && game != nullptr && game->HideCursor != 0) ParkPointer();
  ShowControlStatus();
}

void frmMain::Form_SystemEvent(SystemEvent event) {
  switch (event) {
    case SystemEvent::SessionEnding:
      // As closing the window does: the program ends with the session.
      StopControl();
      RememberGame();
      break;
    case SystemEvent::SessionEndQueried:  // the end may yet be cancelled: control stays on
    case SystemEvent::Suspending:         // control stays on after the resume
    case SystemEvent::SessionSwitched:    // the buttons are let go on a desktop the hook cannot see
      ReleaseEverything();
      break;
  }
}

void frmMain::Form_RawMouseMove(std::int32_t x, std::int32_t y, bool absolute) {
  if (!TimMove.Enabled()) return;
  if (modHookKeyMouse::RawInputSaysHookIsGone()) {
    ReleaseEverything();
    if (modHookKeyMouse::RetryMouseHook()) ShowControlStatus();
  }
  platform::Point step{x, y};
  if (absolute) {
    const auto screen = Os().screen.PrimaryScreen();
    const platform::Point at{PixelOf(x, screen.widthTwips / screen.twipsPerPixelX),
                             PixelOf(y, screen.heightTwips / screen.twipsPerPixelY)};
    step = lastRawPosition_ ? platform::Point{at.x - lastRawPosition_->x, at.y - lastRawPosition_->y}
                            : platform::Point{};
    lastRawPosition_ = at;
  }
  // The parked pointer stands on the screen's right edge, where the position
  // the hook sees cannot move further right: raw counts can. Summed, since a
  // fast mouse reports several times a tick.
  const GameProfile* game = CurrentGame();
  if (game == nullptr || modHookKeyMouse::WaitingForGame) return;
  if (game->HideCursor != 0) {
    modHookKeyMouse::MoveDeltaX += step.x;
    modHookKeyMouse::MoveDeltaY += step.y;
  }
  if (!absolute) preciseMove::AddRawMovement(step.x, step.y);  // a device's positions: the hook's count
}
