// What keeps a key from being stranded and the engine from going deaf: the
// record of held keys, the session and power events, the hook watchdog, the
// raw movement of a parked pointer and a game with higher rights in front.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/HookKeyMouse.h"
#include "platform/WinConstants.h"
#include "support/MainWindowFixture.h"

namespace {

using Calls = std::vector<std::string>;
using Event = ui::Form::SystemEvent;

class EngineSafetyTest : public ControlTest {
 protected:
  // A pointer event as the system reports it: the position clamped to the screen.
  std::intptr_t MoveTo(std::int32_t x, std::int32_t y) {
    return os.SendMouse(wincode::WmMouseMove, {std::clamp(x, 0, 1023), std::clamp(y, 0, 767), 0, 0, 0, 0});
  }
  void HoldLeftButton() {
    window.StartControl();
    os.SendMouse(wincode::WmLButtonDown, {400, 300, 0, 0, 0, 0});
    ASSERT_TRUE(os.IsHeld(kA));
    os.TakeCalls();
  }
  int HookInstalls() { return static_cast<int>(CallsStartingWith("SetWindowsHookEx").size()); }
};

TEST_F(EngineSafetyTest, SuspendAndSessionSwitchReleaseHeldKeysAndControlStaysOn) {
  for (const Event event : {Event::Suspending, Event::SessionSwitched}) {
    HoldLeftButton();
    window.RaiseSystemEvent(event);
    EXPECT_EQ(os.TakeCalls(), (Calls{Up(kA, kScanA)}));
    EXPECT_FALSE(modHookKeyMouse::ButtonRepeat[0]);  // no repeat presses it again
    EXPECT_TRUE(window.TimMove.Enabled());
  }
}

TEST_F(EngineSafetyTest, TheSessionsEndReleasesKeysStopsControlAndRemembersTheGame) {
  HoldLeftButton();
  window.RaiseSystemEvent(Event::SessionEnding);
  EXPECT_FALSE(os.IsHeld(kA));
  EXPECT_FALSE(window.TimMove.Enabled());
  EXPECT_EQ(SavedFile().LastGameIndex, 2);
}

TEST_F(EngineSafetyTest, StoppingAlsoReleasesAHeldKeyThatNoProfileNamesAnyMore) {
  HoldLeftButton();
  CurGameIndex = -1;  // the profile is gone
  window.StopControl();
  EXPECT_FALSE(os.IsHeld(kA));
}

TEST_F(EngineSafetyTest, RawInputWithoutHookCallsReinstallsTheHookAfterReleasingTheKeys) {
  HoldLeftButton();
  // While the hook answers every event, raw input changes nothing.
  for (int i = 0; i < 10; ++i) {
    os.clockMs += 100;
    window.RaiseRawMouseMove(1, 0);
    MoveTo(400 + i, 300);
  }
  EXPECT_EQ(HookInstalls(), 0);
  EXPECT_TRUE(os.IsHeld(kA));
  // The system removed the hook: raw input goes on alone.
  const auto removed = modHookKeyMouse::MouseHookHandle;
  window.RaiseRawMouseMove(1, 0);
  os.clockMs += modHookKeyMouse::HookSilenceLimitMs - 1;
  window.RaiseRawMouseMove(1, 0);
  EXPECT_EQ(HookInstalls(), 0);
  os.clockMs += 1;
  window.RaiseRawMouseMove(1, 0);
  EXPECT_FALSE(os.IsHeld(kA));
  EXPECT_EQ(HookInstalls(), 1);
  EXPECT_NE(modHookKeyMouse::MouseHookHandle, removed);
  EXPECT_NE(modHookKeyMouse::MouseHookHandle, 0u);
  EXPECT_TRUE(window.TimMove.Enabled());
}

// The parked pointer sits on the right-most column: the hook's position cannot
// move right, the raw counts can.
TEST_F(EngineSafetyTest, AParkedPointerMovesRightThroughRawInput) {
  Rally().HideCursor = True16;
  window.StartControl();
  os.cursor = {1023, 384};
  MoveTo(1023 + 6, 384);
  window.RaiseRawMouseMove(6, 0);  // past Rally's threshold of 5
  window.TimMove.Tick();
  EXPECT_TRUE(os.IsHeld(kRight));

  // Without 启动后隐藏光标 the hook's positions alone decide.
  window.StopControl();
  Rally().HideCursor = False16;
  window.StartControl();
  os.cursor = {500, 384};
  MoveTo(500, 384);
  window.RaiseRawMouseMove(6, 0);
  window.TimMove.Tick();
  EXPECT_FALSE(os.IsHeld(kRight));
}

TEST_F(EngineSafetyTest, AGameWithHigherRightsInFrontIsNamedUntilItLeaves) {
  os.foregroundElevated = true;
  window.StartControl();
  EXPECT_EQ(window.CmdShowStart.Caption(), "游戏以管理员身份运行，请以管理员身份启动本程序");
  os.foregroundElevated = false;
  os.BringToFront("C:\\Games\\Other\\other.exe");
  EXPECT_EQ(window.CmdShowStart.Caption(), "正在控制 Rally......  按F12停止!");
  os.foregroundElevated = true;
  window.TimStart.Tick();  // a change the hook missed
  EXPECT_EQ(window.CmdShowStart.Caption(), "游戏以管理员身份运行，请以管理员身份启动本程序");
}

}  // namespace
