// The input engine: the keys and moves it sends, the mouse hook, and the move and repeat timers.
#include <gtest/gtest.h>

#include <cstdio>
#include <exception>

#include "engine/EngineTimers.h"
#include "platform/WinConstants.h"
#include "support/EngineFixture.h"

using namespace modHookKeyMouse;
using namespace wincode;

namespace {

using KeyMouseTest = EngineFixture;

// Codes below one send nothing; a press holds the key for its own delay and is never extended;
// every key and button event pauses after itself.
TEST_F(KeyMouseTest, KeysCarryTheLayoutsScanCodeAndButtonsTheirFlagsEachWithItsPause) {
  KeyMouse().InitKeyMouse(5, 30, 4);
  KeyMouse().KeyDown(0, false);
  KeyMouse().KeyUp(-5, true);
  KeyMouse().KeyDown(kA, false);
  KeyMouse().KeyUp(kRight, true);
  KeyMouse().KeyPress(kRight);
  KeyMouse().MouseDblClick();
  for (auto op : {&clsKeyMouse::MouseRightDown, &clsKeyMouse::MouseRightUp, &clsKeyMouse::MouseMidDown,
                  &clsKeyMouse::MouseMidUp}) (KeyMouse().*op)();
  Calls expected{Down(kA), "Sleep(5)", Up(kRight, true), "Sleep(5)", Down(kRight), "Sleep(30)", Up(kRight)};
  for (const char* flags : {"0x2", "0x4", "0x2", "0x4", "0x8", "0x10", "0x20", "0x40"})
    expected.insert(expected.end(), {std::string("mouse_event(") + flags + ",0,0,0," + kOwn + ")", "Sleep(4)"});
  EXPECT_EQ(os.TakeCalls(), expected);
}

// The arrow and the keypad's arrow share a virtual key: letting go of one keeps the other held.
TEST_F(KeyMouseTest, TheHeldKeyRecordTellsAKeyFromItsExtendedTwin) {
  KeyMouse().KeyDown(kRight, true);
  KeyMouse().KeyDown(kRight, false);
  KeyMouse().KeyUp(kRight, false);
  os.TakeCalls();
  KeyMouse().ReleaseHeldKeys();
  EXPECT_EQ(os.TakeCalls(), Calls{Up(kRight, true)});
}

// The handler that was in place still runs, after the release.
TEST_F(KeyMouseTest, ATerminationReleasesTheHeldKeysBeforeTheHandlerBefore) {
  static FakePlatform* fake = &os;
  const auto before = std::set_terminate([] {
    std::fprintf(stderr, "A is %s", fake->IsHeld(kA) ? "held" : "released");
    std::abort();
  });
  ReleaseHeldKeysOnTerminate();
  KeyMouse().KeyDown(kA, false);
  EXPECT_DEATH(std::terminate(), "A is released");
  std::set_terminate(before);
}

TEST(RoundHalfEven, RoundsToTheNearestAndHalvesToTheEvenNeighbour) {
  for (const auto& [n, d, q] : std::vector<std::array<std::int64_t, 3>>{
           {5, 2, 2}, {7, 2, 4}, {-5, 2, -2}, {10, 4, 2}, {11, 4, 3}, {9, 4, 2}, {-7, 4, -2}, {5, 0, 0}})
    EXPECT_EQ(RoundHalfEven(n, d), q) << n << "/" << d;
}

class MouseHookTest : public EngineFixture {
 protected:
  MouseHookTest() {
    GameProfile& game = SelectNewGame();
    game.Buttons[LeftButton] = {kA, 0, 0, 0, 0, 0, False16, 0};
    game.Buttons[RightButton] = {kS, 1, 0, 0, 0, 0, True16, 0};
    game.Buttons[MiddleButton] = {kD, 0, 0, 0, 0, 0, False16, 0};
    game.Wheels = {WheelMap{kW, 0, 0, 0, WheelPressKey}, {kX, 0, 0, 0, WheelPressKey}};
    InstallMouseHook();
    os.TakeCalls();
  }
  GameProfile& Game() { return Settings.Games[0]; }
};

// High priority and no throttling only with the hook; a failed install leaves no handle to retry.
TEST_F(MouseHookTest, InstallRaisesThePriorityAndClearsTheRepeatsAndRemoveRestores) {
  const auto handle = MouseHookHandle;
  RemoveMouseHook();
  ButtonRepeat[1] = true;
  os.failHookInstall = true;
  InstallMouseHook();
  EXPECT_EQ(os.TakeCalls(), (Calls{"UnhookWindowsHookEx(" + std::to_string(handle) + ")", "SetPriorityClass(0x20)",
                                   "PowerThrottling(allowed)", "SetPriorityClass(0x80)", "PowerThrottling(off)",
                                   "SetWindowsHookEx()"}));
  EXPECT_FALSE(ButtonRepeat[1]);
  EXPECT_EQ(MouseHookHandle, 0u);
}

TEST_F(MouseHookTest, EachButtonHoldsItsKeyAndRaisesTheRepeatFlagOnlyWhenAsked) {
  for (const auto message : {WmLButtonDown, WmRButtonDown, WmMButtonDown}) os.SendMouse(message, {});
  EXPECT_EQ(ButtonRepeat, (std::array<bool, 3>{false, true, false}));
  for (const auto message : {WmLButtonUp, WmRButtonUp, WmMButtonUp}) os.SendMouse(message, {});
  EXPECT_EQ(ButtonRepeat, (std::array<bool, 3>{false, false, false}));
  const std::string next = "CallNextHookEx(" + std::to_string(MouseHookHandle) + ",0,";
  EXPECT_EQ(os.TakeCalls(), (Calls{Down(kA), next + "513)", Down(kS, true), next + "516)", Down(kD), next + "519)",
                                   Up(kA), next + "514)", Up(kS, true), next + "517)", Up(kD), next + "520)"}));
}

// The system has not moved the cursor yet when the hook sees the event.
TEST_F(MouseHookTest, MovementIsTheLatestEventsStepFromTheCursorAndNeedsACurrentGame) {
  os.cursor = {100, 100};
  os.SendMouse(WmMouseMove, {107, 97});
  os.SendMouse(WmMouseMove, {107, 97});
  EXPECT_EQ(std::make_pair(MoveDeltaX, MoveDeltaY), std::make_pair(7, -3));
  for (const std::int32_t index : {-1, 1}) {
    CurGameIndex = index;
    os.SendMouse(WmMouseMove, {120, 100});
  }
  EXPECT_EQ(MoveDeltaX, 7);
}

// Each mode, turned from a state where only the backward repeat runs.
TEST_F(MouseHookTest, TheWheelActsOnTheTurnedDirectionsMode) {
  const struct {
    std::int32_t delta, mode;
    Calls keys;
    std::array<bool, 2> repeatAfter;
  } rows[] = {
      {120, WheelPressKey, {Down(kW)}, {false, true}},
      {-120, WheelReleaseKey, {Up(kX)}, {false, true}},
      {0, WheelPressOnce, {Down(kX)}, {false, true}},  // no turn counts as backward; released by the tick
      {120, WheelStartRepeat, {Down(kW)}, {true, true}},
      {-1, WheelStopRepeat, {Up(kW), Up(kX)}, {false, false}},  // stops both directions
      {120, 5, {}, {false, true}},
  };
  Game().HideCursor = True16;
  for (const auto& row : rows) {
    WheelRepeat = {false, true};
    Game().Wheels[WheelForward].Mode = Game().Wheels[WheelBackward].Mode = row.mode;
    os.SendMouse(WmMouseWheel, {0, 0, static_cast<std::uint32_t>(row.delta) << 16});
    EXPECT_EQ(os.TakeCalls(), row.keys) << "mode " << row.mode;
    EXPECT_EQ(WheelRepeat, row.repeatAfter) << "mode " << row.mode;
  }
}

// The hook never waits: the movement tick lets go of a press-once key after its 30 ms, and a
// notch while it is still down makes a new press.
TEST_F(MouseHookTest, APressOnceNotchIsReleasedByTheFirstTickAfterItsHold) {
  Game().Wheels[WheelBackward].Mode = WheelPressOnce;
  EngineTimers timers;
  const auto at = [&](std::uint64_t ms, bool notch) {
    os.clockMs = ms;
    if (notch) os.SendMouse(WmMouseWheel, {0, 0, static_cast<std::uint32_t>(-120) << 16});
    timers.TimMove_Timer();
    return CallsStartingWith("keybd_event");
  };
  EXPECT_EQ(at(100, true), Calls{Down(kX)});
  EXPECT_EQ(at(130, false), Calls{});
  EXPECT_EQ(at(131, false), Calls{Up(kX)});
  EXPECT_EQ(at(200, true), Calls{Down(kX)});
  EXPECT_EQ(at(210, true), (Calls{Up(kX), Down(kX)}));
  EXPECT_EQ(at(240, false), Calls{});
  EXPECT_EQ(at(241, false), Calls{Up(kX)});
  EXPECT_EQ(at(300, false), Calls{});
}

// Whatever the message and hook code, HideCursor (any non-zero value) swallows the event; the
// program's own input (the move that parks the pointer) passes on, and none of it is mapped.
TEST_F(MouseHookTest, HideCursorSwallowsEveryMessageButTheProgramsOwnElseItPassesOn) {
  os.nextHookResult = 42;
  for (const std::uint32_t message : {WmMouseMove, WmLButtonDown, WmLButtonUp, WmMouseWheel, 0x020Bu, 0x020Eu}) {
    for (const Boolean16 hide : {True16, Boolean16{7}, False16}) {
      Game().HideCursor = hide;
      EXPECT_EQ(os.SendMouse(message, {}), hide ? 1 : 42) << message;
      EXPECT_EQ(os.SendMouse(message, {}, /*code=*/3), hide ? 1 : 42) << message;
      os.TakeCalls();
      EXPECT_EQ(os.SendMouse(message, {1023, 384, 0, 0, 0, OwnInputSignature}), 42) << message;
      EXPECT_EQ(CallsStartingWith("keybd_event"), Calls{}) << message;
    }
  }
}

class EngineTimersTest : public EngineFixture {
 protected:
  EngineTimersTest() {
    GameProfile& game = SelectNewGame();
    game.Moves = {MoveMap{kLeft, 1, 0, 0, 5}, {kRight, 1, 0, 0, 5}, {kUp, 1, 0, 0, 3}, {kDown, 1, 0, 0, 3}};
    game.Buttons[LeftButton] = {kA, 0, 0, kShift, 0, 0, True16, 0};
    game.Wheels[WheelForward] = {kW, 0, kShift, 0, WheelStartRepeat};
  }
  Calls Move(std::int32_t dx, std::int32_t dy) {
    MoveDeltaX = dx;
    MoveDeltaY = dy;
    timers.TimMove_Timer();
    return os.TakeCalls();
  }
  EngineTimers timers;
  const std::string DownL = Down(kLeft, true), UpL = Up(kLeft, true), DownR = Down(kRight, true),
                    UpR = Up(kRight, true), DownU = Down(kUp, true), UpU = Up(kUp, true),
                    DownD = Down(kDown, true), UpD = Up(kDown, true);
};

// Every delta sign against its direction's threshold; right and down are tested first. Only
// keys this program holds are released: at rest nothing is sent, and a key held on the
// keyboard stays held.
TEST_F(EngineTimersTest, EachAxisPressesTheDirectionPastItsThresholdAndReleasesWhatItHolds) {
  EXPECT_EQ(Move(5, 0), (Calls{DownR}));
  EXPECT_EQ(Move(4, 0), (Calls{UpR}));
  EXPECT_EQ(Move(-4, 0), (Calls{}));
  EXPECT_EQ(Move(-5, 0), (Calls{DownL}));
  EXPECT_EQ(Move(0, 3), (Calls{UpL, DownD}));
  EXPECT_EQ(Move(0, -3), (Calls{DownU, UpD}));
  EXPECT_EQ(Move(0, 0), (Calls{UpU}));
}

TEST_F(EngineTimersTest, ATickUsesTheLatestMovementOnceAndThresholdsBelowOneCountAsOne) {
  Move(20, -20);
  EXPECT_EQ(std::make_pair(MoveDeltaX, MoveDeltaY), std::make_pair(0, 0));
  Settings.Games[0].Moves[MoveRight].Threshold = -10;  // never written by the editor
  EXPECT_EQ(Move(0, 0)[0], UpR);  // a resting mouse holds nothing
  EXPECT_EQ(Move(1, 0)[0], DownR);
}

TEST_F(EngineTimersTest, RepeatingKeysGoDownAndUpOnAlternateTicksWhileTheirSwitchKeyIsNotHeld) {
  ButtonRepeat[LeftButton] = true;
  WheelRepeat[WheelForward] = true;
  const auto ticks = [&](int count) {
    while (count-- > 0) timers.TimButton_Timer();
    return os.TakeCalls();
  };
  EXPECT_EQ(ticks(2), (Calls{Down(kA), Down(kW), Up(kA), Up(kW)}));
  os.PressKey(kShift);
  EXPECT_EQ(ticks(4), (Calls{Down(kA), Down(kW), Down(kA), Down(kW)}));
  os.ReleaseKey(kShift);
  EXPECT_EQ(ticks(2), (Calls{Down(kA), Down(kW), Up(kA), Up(kW)}));
}

}  // namespace
