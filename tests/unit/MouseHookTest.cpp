#include <gtest/gtest.h>

#include "platform/WinConstants.h"
#include "support/EngineFixture.h"

using namespace modHookKeyMouse;

namespace {

constexpr int kA = 0x41, kScanA = 0x1E;
constexpr int kS = 0x53, kScanS = 0x1F;
constexpr int kD = 0x44, kScanD = 0x20;
constexpr int kW = 0x57, kScanW = 0x11;
constexpr int kX = 0x58, kScanX = 0x2D;

platform::MouseHookRecord At(std::int32_t x, std::int32_t y) { return {x, y, 0, 0, 0, 0}; }
platform::MouseHookRecord Wheel(std::int32_t delta) {
  return {0, 0, static_cast<std::uint32_t>(delta) << 16, 0, 0, 0};
}

class MouseHookTest : public EngineFixture {
 protected:
  MouseHookTest() {
    GameProfile& game = SelectNewGame();
    game.Buttons[LeftButton] = {kA, 0, 0, 0, 0, 0, False16, 0};
    game.Buttons[RightButton] = {kS, 1, 0, 0, 0, 0, True16, 0};
    game.Buttons[MiddleButton] = {kD, 0, 0, 0, 0, 0, False16, 0};
    game.Wheels[WheelForward] = {kW, 0, 0, 0, WheelPressKey};
    game.Wheels[WheelBackward] = {kX, 0, 0, 0, WheelPressKey};
    InstallMouseHook();
    os.TakeCalls();
  }
  GameProfile& Game() { return Settings.Games[0]; }
};

}  // namespace

TEST_F(MouseHookTest, InstallRaisesPriorityAndRemoveAlwaysLowersIt) {
  EXPECT_NE(MouseHookHandle, 0u);
  EXPECT_EQ(os.priorityClass, wincode::HighPriorityClass);
  const auto handle = MouseHookHandle;
  ButtonRepeat[1] = true;
  InstallMouseHook();  // already installed: nothing at all happens
  EXPECT_TRUE(os.TakeCalls().empty());
  EXPECT_EQ(MouseHookHandle, handle);
  EXPECT_TRUE(ButtonRepeat[1]);

  RemoveMouseHook();
  RemoveMouseHook();  // without a hook it still sets normal priority
  // Throttling is off only while the hook is installed.
  EXPECT_EQ(os.TakeCalls(), (Calls{"UnhookWindowsHookEx(" + std::to_string(handle) + ")",
                                   "SetPriorityClass(0x20)", "PowerThrottling(allowed)", "UnhookWindowsHookEx(0)",
                                   "SetPriorityClass(0x20)", "PowerThrottling(allowed)"}));
  EXPECT_EQ(MouseHookHandle, 0u);
  EXPECT_TRUE(ButtonRepeat[1]);  // only an install clears the flags
  InstallMouseHook();
  EXPECT_EQ(os.TakeCalls(), (Calls{"SetPriorityClass(0x80)", "PowerThrottling(off)",
                                   "SetWindowsHookEx(" + std::to_string(wincode::WhMouseLowLevel) + ")"}));
  InstallMouseHook();
  EXPECT_FALSE(ButtonRepeat[1]);
}

TEST_F(MouseHookTest, AFailedInstallLeavesNoHandleAndTheNextStartTriesAgain) {
  RemoveMouseHook();
  os.failHookInstall = true;
  InstallMouseHook();
  EXPECT_EQ(MouseHookHandle, 0u);
  os.failHookInstall = false;
  InstallMouseHook();
  EXPECT_NE(MouseHookHandle, 0u);
}

TEST_F(MouseHookTest, ButtonsHoldTheirKeysAndRaiseTheRepeatFlagOnlyWhenAsked) {
  os.SendMouse(wincode::WmLButtonDown, At(0, 0));
  os.SendMouse(wincode::WmRButtonDown, At(0, 0));
  os.SendMouse(wincode::WmMButtonDown, At(0, 0));
  EXPECT_TRUE(os.IsHeld(kA) && os.IsHeld(kS) && os.IsHeld(kD));
  EXPECT_EQ(ButtonRepeat, (std::array<bool, 3>{false, true, false}));
  os.SendMouse(wincode::WmLButtonUp, At(0, 0));
  os.SendMouse(wincode::WmRButtonUp, At(0, 0));
  os.SendMouse(wincode::WmMButtonUp, At(0, 0));
  EXPECT_EQ(ButtonRepeat, (std::array<bool, 3>{false, false, false}));
  const std::string next = "CallNextHookEx(" + std::to_string(MouseHookHandle) + ",0,";
  EXPECT_EQ(os.TakeCalls(),
            (Calls{Down(kA, kScanA), next + "513)", Down(kS, kScanS, true), next + "516)", Down(kD, kScanD),
                   next + "519)", Up(kA, kScanA), next + "514)", Up(kS, kScanS, true), next + "517)",
                   Up(kD, kScanD), next + "520)"}));
}

TEST_F(MouseHookTest, ARepeatingButtonWithoutAKeyStillRaisesItsFlag) {
  Game().Buttons[LeftButton] = {0, 0, 0, 0, 0, 0, True16, 0};
  os.SendMouse(wincode::WmLButtonDown, At(0, 0));
  EXPECT_TRUE(ButtonRepeat[0]);
  EXPECT_EQ(os.TakeCalls().size(), 1u);  // only the call to the next hook
}

TEST_F(MouseHookTest, MovementIsTheLatestEventsStepFromTheCursorNotASum) {
  os.cursor = {100, 100};
  os.SendMouse(wincode::WmMouseMove, At(107, 97));
  os.SendMouse(wincode::WmMouseMove, At(107, 97));
  EXPECT_EQ(MoveDeltaX, 7);
  EXPECT_EQ(MoveDeltaY, -3);
}

struct WheelCase {
  std::int32_t delta;
  WheelMode mode;
  Calls keys;
  std::array<bool, 2> repeatAfter;
};

void PrintTo(const WheelCase& row, std::ostream* out) { *out << "mode " << row.mode << ", delta " << row.delta; }

class WheelModeTest : public MouseHookTest, public ::testing::WithParamInterface<WheelCase> {};

TEST_P(WheelModeTest, ActsOnTheTurnedDirectionsMode) {
  WheelRepeat = {true, true};
  Game().Wheels[WheelForward].Mode = GetParam().mode;
  Game().Wheels[WheelBackward].Mode = GetParam().mode;
  Game().HideCursor = True16;
  os.SendMouse(wincode::WmMouseWheel, Wheel(GetParam().delta));
  EXPECT_EQ(os.TakeCalls(), GetParam().keys);
  EXPECT_EQ(WheelRepeat, GetParam().repeatAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, WheelModeTest,
    ::testing::Values(WheelCase{120, WheelPressKey, {Down(kW, kScanW)}, {true, true}},
                      WheelCase{-120, WheelReleaseKey, {Up(kX, kScanX)}, {true, true}},
                      WheelCase{0, WheelPressOnce, {Down(kX, kScanX), "Sleep(30)", Up(kX, kScanX)}, {true, true}},
                      WheelCase{120, WheelStartRepeat, {Down(kW, kScanW)}, {true, true}},
                      WheelCase{-1, WheelStopRepeat, {Up(kW, kScanW), Up(kX, kScanX)}, {false, false}},
                      WheelCase{120, static_cast<WheelMode>(5), {}, {true, true}}),
    [](const auto& info) { return "Mode" + std::to_string(info.param.mode); });

TEST_F(MouseHookTest, StartRepeatRaisesOnlyTheTurnedDirection) {
  Game().Wheels[WheelBackward].Mode = WheelStartRepeat;
  os.SendMouse(wincode::WmMouseWheel, Wheel(-120));
  EXPECT_EQ(WheelRepeat, (std::array<bool, 2>{false, true}));
}

TEST_F(MouseHookTest, HideCursorSwallowsEveryMessageAndCodeElsePassesThemOn) {
  os.nextHookResult = 42;
  const std::uint32_t messages[] = {wincode::WmMouseMove, wincode::WmLButtonDown, wincode::WmLButtonUp,
                                    wincode::WmMouseWheel, 0x020B /* side button */, 0x020E /* h-wheel */};
  for (const auto message : messages) {
    Game().HideCursor = True16;
    EXPECT_EQ(os.SendMouse(message, At(0, 0)), 1) << message;
    EXPECT_EQ(os.SendMouse(message, At(0, 0), /*code=*/3), 1) << message;
    Game().HideCursor = 7;  // any non-zero value is true
    EXPECT_EQ(os.SendMouse(message, At(0, 0)), 1) << message;
    Game().HideCursor = False16;
    EXPECT_EQ(os.SendMouse(message, At(0, 0)), 42) << message;
  }
}

TEST_F(MouseHookTest, OtherCodesAndMessagesMapNothing) {
  os.SendMouse(wincode::WmLButtonDown, At(0, 0), /*code=*/3);
  os.SendMouse(0x020B, At(0, 0));
  os.SendMouse(0x020E, Wheel(120));
  for (const auto& call : os.TakeCalls()) EXPECT_EQ(call.rfind("CallNextHookEx", 0), 0u) << call;
}

TEST_F(MouseHookTest, WithNoCurrentGameNothingIsMappedAndEventsPassOn) {
  Game().HideCursor = True16;
  for (const std::int32_t index : {-1, 1, 99}) {
    CurGameIndex = index;
    os.cursor = {0, 0};
    EXPECT_EQ(os.SendMouse(wincode::WmLButtonDown, At(5, 5)), 0);
    EXPECT_EQ(os.SendMouse(wincode::WmMouseMove, At(5, 5)), 0);
  }
  EXPECT_EQ(MoveDeltaX, 0);
  EXPECT_FALSE(os.IsHeld(kA));
}
