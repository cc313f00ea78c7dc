#include <gtest/gtest.h>

#include "engine/EngineTimers.h"
#include "support/EngineFixture.h"

using namespace modHookKeyMouse;

namespace {

constexpr int kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;
constexpr int kScanLeft = 0x4B, kScanUp = 0x48, kScanRight = 0x4D, kScanDown = 0x50;
constexpr int kA = 0x41, kScanA = 0x1E, kShift = 0x10, kW = 0x57, kScanW = 0x11;

class EngineTimersTest : public EngineFixture {
 protected:
  EngineTimersTest() {
    GameProfile& game = SelectNewGame();
    game.Moves[MoveLeft] = {kLeft, 1, 0, 0, 5};
    game.Moves[MoveRight] = {kRight, 1, 0, 0, 5};
    game.Moves[MoveUp] = {kUp, 1, 0, 0, 3};
    game.Moves[MoveDown] = {kDown, 1, 0, 0, 3};
    game.Buttons[LeftButton] = {kA, 0, 0, kShift, 0, 0, True16, 0};
    game.Wheels[WheelForward] = {kW, 0, kShift, 0, WheelStartRepeat};
  }
  GameProfile& Game() { return Settings.Games[0]; }
  Calls Tick(std::int32_t dx, std::int32_t dy) {
    MoveDeltaX = dx;
    MoveDeltaY = dy;
    timers.TimMove_Timer();
    return os.TakeCalls();
  }
  EngineTimers timers;
};

const std::string DownL = Down(kLeft, kScanLeft, true), UpL = Up(kLeft, kScanLeft, true);
const std::string DownR = Down(kRight, kScanRight, true), UpR = Up(kRight, kScanRight, true);
const std::string DownU = Down(kUp, kScanUp, true), UpU = Up(kUp, kScanUp, true);
const std::string DownD = Down(kDown, kScanDown, true), UpD = Up(kDown, kScanDown, true);

}  // namespace

TEST_F(EngineTimersTest, EachAxisSendsTwoEventsByItsOwnThresholds) {
  EXPECT_EQ(Tick(5, 0), (Calls{DownR, UpL, UpD, UpU}));
  EXPECT_EQ(Tick(4, 0), (Calls{UpR, UpL, UpD, UpU}));
  EXPECT_EQ(Tick(-4, 0), (Calls{UpR, UpL, UpD, UpU}));
  EXPECT_EQ(Tick(-5, 0), (Calls{DownL, UpR, UpD, UpU}));
  EXPECT_EQ(Tick(0, 3), (Calls{UpR, UpL, DownD, UpU}));
  EXPECT_EQ(Tick(0, -3), (Calls{UpR, UpL, DownU, UpD}));
}

TEST_F(EngineTimersTest, OneDiagonalEventHoldsTwoKeysUntilATickWithoutMovement) {
  EXPECT_EQ(Tick(20, -20), (Calls{DownR, UpL, DownU, UpD}));
  EXPECT_TRUE(os.IsHeld(kRight) && os.IsHeld(kUp));
  EXPECT_EQ(MoveDeltaX, 0);
  EXPECT_EQ(MoveDeltaY, 0);
  timers.TimMove_Timer();
  os.TakeCalls();
  EXPECT_FALSE(os.IsHeld(kRight) || os.IsHeld(kUp) || os.IsHeld(kLeft) || os.IsHeld(kDown));
}

TEST_F(EngineTimersTest, RightAndDownWinWhenBothTestsOfAnAxisHold) {
  Game().Moves[MoveRight].Threshold = -10;  // written by another program
  Game().Moves[MoveLeft].Threshold = 0;
  EXPECT_EQ(Tick(0, 0), (Calls{UpR, UpL, UpD, UpU}));  // below 1 counts as 1: a resting mouse holds nothing
  EXPECT_EQ(Tick(1, 0)[0], DownR);
  EXPECT_EQ(Tick(-1, 0)[0], DownL);
}

TEST_F(EngineTimersTest, ARepeatingButtonAlternatesPressAndReleaseTickByTick) {
  ButtonRepeat[LeftButton] = true;
  Calls seen;
  for (int tick = 0; tick < 4; ++tick) {
    timers.TimButton_Timer();
    for (auto& call : os.TakeCalls()) seen.push_back(call);
  }
  EXPECT_EQ(seen, (Calls{Down(kA, kScanA), Up(kA, kScanA), Down(kA, kScanA), Up(kA, kScanA)}));
  EXPECT_EQ(timers.RepeatPhase, 2);
}

TEST_F(EngineTimersTest, AHeldSwitchKeySuspendsTheReleasesUntilItIsLetGo) {
  ButtonRepeat[LeftButton] = true;
  WheelRepeat[WheelForward] = true;
  os.PressKey(kShift);
  for (int tick = 0; tick < 4; ++tick) timers.TimButton_Timer();
  EXPECT_EQ(os.TakeCalls(), (Calls{Down(kA, kScanA), Down(kW, kScanW), Down(kA, kScanA), Down(kW, kScanW)}));
  os.ReleaseKey(kShift);
  timers.TimButton_Timer();
  timers.TimButton_Timer();
  EXPECT_EQ(os.TakeCalls(), (Calls{Down(kA, kScanA), Down(kW, kScanW), Up(kA, kScanA), Up(kW, kScanW)}));
}

TEST_F(EngineTimersTest, EntriesWithoutAKeyOrFlagAreSkipped) {
  ButtonRepeat = {false, true, true};  // right and middle have no key
  WheelRepeat = {false, true};
  timers.TimButton_Timer();
  EXPECT_TRUE(os.TakeCalls().empty());
  EXPECT_EQ(timers.RepeatPhase, 1);
}

TEST_F(EngineTimersTest, WithNoCurrentGameTheTicksSendNothing) {
  CurGameIndex = 3;
  ButtonRepeat[LeftButton] = true;
  MoveDeltaX = 50;
  timers.TimMove_Timer();
  timers.TimButton_Timer();
  EXPECT_TRUE(os.TakeCalls().empty());
}
