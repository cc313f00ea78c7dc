// What keeps keys from being stranded and the engine from going deaf while control is on.
#include <gtest/gtest.h>

#include "engine/GameWindow.h"
#include "platform/WinConstants.h"
#include "support/MainWindowFixture.h"

namespace {

using Event = ui::Form::SystemEvent;

class ControlSafetyTest : public ControlTest {
 protected:
  std::intptr_t Click() { return os.SendMouse(wincode::WmLButtonDown, {400, 300}); }
  void HoldLeftButton() {
    window.StartControl();
    Click();
    ASSERT_TRUE(os.IsHeld(kA));
    os.TakeCalls();
  }
  // Rally follows its game's window, named through another drive; a chat program is in front.
  void FollowTheGame() {
    Rally().GamePath = "G:\\Rally\\rally.exe";  // a SUBST drive for D:\Games
    os.finalPaths[Rally().GamePath] = "D:\\Games\\Rally\\rally.exe";
    Rally().HideCursor = True16;
    SetFollowsGameWindow(Rally(), true);
    os.foregroundPath = kChat;
  }
  static constexpr char kChat[] = "C:\\Programs\\Chat\\chat.exe", kGame[] = "D:\\games\\rally\\RALLY.EXE";
};

// The game's window is any program in the game's folder or below, whatever the case and slashes;
// only a profile that follows its window and names its file waits, and a program in front that
// cannot be read leaves the waiting as it is.
TEST_F(ControlSafetyTest, ControlWaitsWhileAProgramOutsideTheGamesFolderIsInFront) {
  EXPECT_FALSE(IsInGameFolder("rally.exe", "rally.exe"));  // no folder to lie in
  const std::string game = "D:\\Games\\Rally\\rally.exe";
  const struct {
    bool follows;
    std::string gamePath, inFront;
    bool waitingNow, waits;
  } rows[] = {
      {true, game, "d:/GAMES/rally/bin/Launcher.EXE", true, false},
      {true, game, "D:\\Games\\Rally2\\rally.exe", false, true},
      {true, game, "", false, false},
      {true, game, "", true, true},
      {false, game, kChat, false, false},
      {true, "", kChat, false, false},
  };
  for (const auto& row : rows) {
    SetFollowsGameWindow(Rally(), row.follows);
    Rally().GamePath = row.gamePath;
    EXPECT_EQ(WaitsForGameWindow(Rally(), row.gamePath, row.inFront, row.waitingNow), row.waits) << &row - rows;
  }
}

TEST_F(ControlSafetyTest, WhileAnotherWindowIsInFrontEventsPassOnAndHeldKeysAreReleasedButTheStopKeyWorks) {
  FollowTheGame();
  window.StartControl();
  EXPECT_EQ(window.CmdShowStart.Caption(), "等待 Rally 的窗口激活......  按F12停止!");
  Click();
  modHookKeyMouse::MoveDeltaX = 50;
  window.TimMove.Tick();
  window.TimButton.Tick();
  EXPECT_EQ(CallsStartingWith("keybd_event"), Calls{});
  os.BringToFront(kGame);
  EXPECT_EQ(CallsStartingWith("mouse_event"), Calls{"mouse_event(0x8001,65535,32768,0," + kOwn + ")"});  // parked now
  EXPECT_EQ(Click(), 1);
  modHookKeyMouse::MoveDeltaX = 50;
  window.TimMove.Tick();  // the right arrow, an extended key, goes down
  os.TakeCalls();
  os.BringToFront(kChat);
  EXPECT_EQ(os.TakeCalls(), (Calls{Up(kRight, true), Up(kA)}));
  const int reads = os.foregroundReads;
  window.TimStart.Tick();
  EXPECT_EQ(os.foregroundReads, reads);  // the same window in front: the poll reads nothing
  os.BringToFront(kGame, /*missed=*/true);  // a change the hook missed is caught by the next poll tick
  window.TimStart.Tick();
  EXPECT_EQ(window.CmdShowStart.Caption(), kControlling);
  os.foregroundPath = kChat;
  os.PressKey(kF12);
  window.TimStart.Tick();
  EXPECT_EQ(window.CmdShowStart.Caption(), kIdle);
  EXPECT_EQ(os.foregroundHook, nullptr);
  window.StartControl();
  EXPECT_NE(os.foregroundHook, nullptr);  // watched again on the next start
}

TEST_F(ControlSafetyTest, AGameWithHigherRightsInFrontIsNamedUntilItLeaves) {
  os.foregroundElevated = true;
  window.StartControl();
  EXPECT_EQ(window.CmdShowStart.Caption(), "游戏以管理员身份运行，请以管理员身份启动本程序");
  os.foregroundElevated = false;
  os.BringToFront("C:\\Games\\Other\\other.exe");
  EXPECT_EQ(window.CmdShowStart.Caption(), kControlling);
}

// Control stays on after a suspend, a switch of session or a question about the session's end,
// which may be cancelled; the session's end stops it.
TEST_F(ControlSafetyTest, SystemEventsReleaseHeldKeysAndTheSessionsEndStopsControlAndRemembersTheGame) {
  for (const Event event : {Event::Suspending, Event::SessionSwitched, Event::SessionEndQueried}) {
    HoldLeftButton();
    window.RaiseSystemEvent(event);
    EXPECT_EQ(os.TakeCalls(), Calls{Up(kA)});
    EXPECT_TRUE(window.TimMove.Enabled());
  }
  HoldLeftButton();
  os.disk[kPath].clear();
  window.RaiseSystemEvent(Event::SessionEnding);
  EXPECT_FALSE(window.TimMove.Enabled());
  EXPECT_EQ(SavedFile().LastGameIndex, 2);
}

// A secure desktop (a UAC prompt) takes the input while a repeating button is held: its release
// never reaches the hook. The event says so where the system has it, the poll otherwise.
TEST_F(ControlSafetyTest, AnotherInputDesktopReleasesHeldKeysAndEndsRepeats) {
  for (const bool polled : {true, false}) {
    HoldLeftButton();
    ASSERT_TRUE(modHookKeyMouse::ButtonRepeat[LeftButton]);
    os.inputDesktopOurs = !polled;
    if (polled) window.TimStart.Tick();
    else os.desktopHook();
    EXPECT_EQ(CallsStartingWith("keybd_event"), Calls{Up(kA)});
    EXPECT_FALSE(modHookKeyMouse::ButtonRepeat[LeftButton]);
    os.inputDesktopOurs = true;
    window.TimStart.Tick();
    window.StopControl();
  }
}

// The engine's own record of held keys lets go of a key the profile no longer
// names, and of every key when no profile is current.
TEST_F(ControlSafetyTest, StoppingReleasesHeldKeysNoProfileNames) {
  HoldLeftButton();
  Rally().Buttons[LeftButton].VirtualKey = kD;
  window.StopControl();
  EXPECT_FALSE(os.IsHeld(kA));
  Rally().Buttons[LeftButton].VirtualKey = kA;
  HoldLeftButton();
  window.LstGame.SetListIndex(-1);  // no game is current when control stops
  window.StopControl();
  EXPECT_FALSE(os.IsHeld(kA));
}

// Only raw input that goes on unanswered for 500 ms counts, and reinstalls back off: 1 s, 2 s, 4 s.
TEST_F(ControlSafetyTest, RawInputThatGoesOnWithoutHookCallsReinstallsTheHookAfterReleasingTheKeys) {
  HoldLeftButton();
  for (int i = 0; i < 10; ++i) {  // while the hook answers every event, raw input changes nothing
    os.clockMs += 100;
    window.RaiseRawMouseMove(1, 0, false);
    os.SendMouse(wincode::WmMouseMove, {400 + i, 300});
  }
  window.RaiseRawMouseMove(1, 0, false);  // one event the hook missed, then the mouse rests
  os.clockMs += 10000;
  std::vector<std::uint64_t> reinstalls;
  for (const std::uint64_t start = os.clockMs; os.clockMs < start + 8000; os.clockMs += 50) {
    window.RaiseRawMouseMove(1, 0, false);  // the system removed the hook: raw input goes on alone
    if (!CallsStartingWith("SetWindowsHookEx").empty()) reinstalls.push_back(os.clockMs - start);
  }
  EXPECT_FALSE(os.IsHeld(kA));
  EXPECT_EQ(reinstalls, (std::vector<std::uint64_t>{500, 2500, 6500}));
}

// The hook refused: the status line says so instead of claiming control, and the poll tries again.
TEST_F(ControlSafetyTest, AHookTheSystemRefusesIsRetriedAndNamedOnTheStatusLine) {
  os.failHookInstall = true;
  window.StartControl();
  EXPECT_EQ(window.CmdShowStart.Caption(), "鼠标钩子安装失败，正在重试......  按F12停止!");
  os.failHookInstall = false;
  os.clockMs += 999;
  window.TimStart.Tick();
  EXPECT_EQ(modHookKeyMouse::MouseHookHandle, 0u);
  os.clockMs += 1;
  window.TimStart.Tick();
  EXPECT_NE(modHookKeyMouse::MouseHookHandle, 0u);
  EXPECT_EQ(window.CmdShowStart.Caption(), kControlling);
}

// The parked pointer stands on the right-most column: the hook's positions cannot move right, raw
// input can, summed over the tick. An event without movement (a button) adds none, and a device
// that reports positions moves by the difference from its last one. Without 启动后隐藏光标 the
// hook's positions alone decide, unless 精确移动 sums relative raw input.
TEST_F(ControlSafetyTest, AParkedPointerMovesByRawInputSummedOverTheTick) {
  struct Raw {
    std::int32_t x, y;
    bool absolute;
  };
  const struct {
    Boolean16 hidden;
    bool precise;
    std::vector<Raw> events;
    bool right, left;
  } rows[] = {
      {True16, false, {{3, 0, false}, {3, 0, false}, {0, 0, false}}, true, false},  // 6 in all: Rally's threshold is 5
      {True16, false, {{3, 0, false}}, false, false},
      {True16, false, {{32768, 32768, true}, {33152, 32768, true}}, true, false},  // 512, then 518
      {True16, false, {{33152, 32768, true}}, false, false},  // a device's first position moves nothing
      {False16, false, {{6, 0, false}}, false, true},
      {False16, true, {{6, 0, false}}, true, false},
      {False16, true, {{32768, 32768, true}, {33152, 32768, true}}, false, true},
  };
  os.cursor = {1023, 384};
  for (const auto& row : rows) {
    Rally().HideCursor = row.hidden;
    SetMovesPrecisely(Rally(), row.precise);
    window.StartControl();
    os.SendMouse(wincode::WmMouseMove, {1013, 384});  // Wine's pointer moves on: not the parked pointer's movement
    for (const Raw& raw : row.events) window.RaiseRawMouseMove(raw.x, raw.y, raw.absolute);
    window.TimMove.Tick();
    EXPECT_EQ(os.IsHeld(kRight), row.right) << &row - rows;
    EXPECT_EQ(os.IsHeld(kLeft), row.left) << &row - rows;
    EXPECT_TRUE(window.ListensToRawMouse());
    window.StopControl();
    EXPECT_FALSE(window.ListensToRawMouse());  // the mouse wakes the program only under control
  }
}

}  // namespace
