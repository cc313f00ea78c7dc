// 精确移动, the run key and taps by speed, replayed from pointer traces as the
// hook and raw input deliver them, tick by tick.
#include <algorithm>
#include <string>
#include <vector>

#include "engine/EngineTimers.h"
#include "engine/PreciseMove.h"
#include "platform/WinConstants.h"
#include "support/EngineFixture.h"

namespace {

using preciseMove::TapAxis;

// One pointer event: when (ms from the start) and how far it moves.
struct Step {
  int atMs;
  std::int32_t dx, dy;
};

// A mouse reporting every `periodMs` at `pixelsPerMs` to the right, for `forMs`.
std::vector<Step> SteadyRight(int periodMs, int pixelsPerMs, int forMs) {
  std::vector<Step> trace;
  for (int at = periodMs; at <= forMs; at += periodMs) trace.push_back({at, pixelsPerMs * periodMs, 0});
  return trace;
}

class PreciseMoveTest : public EngineFixture {
 protected:
  PreciseMoveTest() {
    GameProfile& game = SelectNewGame();
    game.Moves[MoveLeft] = {kLeft, 1, 0, 0, 4};
    game.Moves[MoveRight] = {kRight, 1, 0, 0, 4};
    game.Moves[MoveUp] = {kUp, 1, 0, 0, 4};
    game.Moves[MoveDown] = {kDown, 1, 0, 0, 4};
    SetMovesPrecisely(game, true);
    modHookKeyMouse::InstallMouseHook();
    os.cursor = {500, 384};
  }
  GameProfile& Game() { return Settings.Games[0]; }

  // Replays the trace with a tick every 8 ms until `untilMs`; each tick adds
  // one letter: what is held after it ('.' nothing, 'r' right, 'l' left, 'R'
  // and 'L' with the run key). The system moves the pointer after the hook,
  // and stops it at the screen's edge; raw input, when the mouse gives it,
  // keeps counting there.
  std::string Replay(const std::vector<Step>& trace, int untilMs, bool raw = true) {
    std::string held;
    std::size_t next = 0;
    for (int ms = 1; ms <= untilMs; ++ms) {
      for (; next < trace.size() && trace[next].atMs <= ms; ++next) {
        const Step& step = trace[next];
        const platform::Point to{std::clamp(os.cursor.x + step.dx, 0, 1023), std::clamp(os.cursor.y + step.dy, 0, 767)};
        os.SendMouse(wincode::WmMouseMove, {to.x, to.y});
        if (raw) preciseMove::AddRawMovement(step.dx, step.dy);
        os.cursor = to;
      }
      if (ms % 8 != 0) continue;
      timers.TimMove_Timer();
      const bool run = os.IsHeld(kShift);
      held += os.IsHeld(kRight) ? (run ? 'R' : 'r') : os.IsHeld(kLeft) ? (run ? 'L' : 'l') : '.';
    }
    return held;
  }
  EngineTimers timers;
};

// The same hand at 1,000 and at 125 reports a second: the same keys on the same
// ticks, held without a break until the mouse stops. So does a mouse whose
// events come in bursts, as Wine delivers them.
TEST_F(PreciseMoveTest, TheReportRateChangesNothing) {
  const std::string expected = std::string(45, 'r') + "...";
  EXPECT_EQ(Replay(SteadyRight(1, 1, 360), 384), expected);
  EXPECT_EQ(Replay(SteadyRight(8, 1, 360), 384), expected);
  std::vector<Step> bursts;  // 1 px a ms on average, delivered 1 to 6 at a time
  for (int at = 0, burst = 0; at < 360; at += burst) {
    burst = std::min(1 + (at * 7 % 6), 360 - at);
    bursts.push_back({at + burst, burst, 0});
  }
  EXPECT_EQ(Replay(bursts, 384), expected);
  EXPECT_EQ(CallsStartingWith("keybd_event").size(), 3u * 46);  // 45 presses and one release a trace
}

// At the screen's edge the pointer stops but raw input goes on; a mouse without
// raw input has only the positions.
TEST_F(PreciseMoveTest, TheScreensEdgeDoesNotStopTheMovement) {
  os.cursor = {1000, 384};
  EXPECT_EQ(Replay(SteadyRight(1, 1, 160), 160), std::string(20, 'r'));
  preciseMove::Reset();  // as a start of control: no raw input seen yet
  os.cursor = {1000, 384};
  EXPECT_EQ(Replay(SteadyRight(1, 1, 160), 160, false), "rrr" + std::string(17, '.'));
}

// A held key stays down from half its threshold, rounded up; from rest that is
// not enough. Both axes, both signs.
TEST(PreciseAxis, AHeldKeyStaysFromHalfItsThreshold) {
  using preciseMove::HoldAxis;
  const struct {
    std::int32_t delta;
    AxisKey held, expected;
  } rows[] = {
      {4, AxisKey::Neither, AxisKey::Positive},  {3, AxisKey::Neither, AxisKey::Neither},
      {2, AxisKey::Positive, AxisKey::Positive}, {1, AxisKey::Positive, AxisKey::Neither},
      {-5, AxisKey::Neither, AxisKey::Neither},  {-6, AxisKey::Neither, AxisKey::Negative},
      {-3, AxisKey::Negative, AxisKey::Negative}, {-2, AxisKey::Negative, AxisKey::Neither},
      {-6, AxisKey::Positive, AxisKey::Negative}, {3, AxisKey::Negative, AxisKey::Neither},
  };
  for (const auto& row : rows) EXPECT_EQ(HoldAxis(row.delta, 6, 4, row.held), row.expected) << row.delta;
}

// Walk, run, slow down, stop: the run key joins the right arrow at 12 pixels a
// tick, stays down to 6 and goes with the arrow. A stored 0 means no running.
TEST_F(PreciseMoveTest, TheRunKeyGoesDownAtItsThresholdAndUpBelowHalfOfIt) {
  StoreRunKey(Game(), kShift, false, 12);
  std::vector<Step> trace;
  int at = 0;
  for (const int perTick : {8, 12, 6, 5, 13, 2, 0}) {
    for (int tick = 0; tick < 2; ++tick, at += 8) trace.push_back({at + 4, perTick, 0});
  }
  EXPECT_EQ(Replay(trace, at), "rrRRRRrrRRrr..");
  Game().ReservedBytes[3] = 0;
  EXPECT_EQ(Replay(SteadyRight(8, 2, 32), 32), "rrrr");
}

// Below the threshold the key is held on a share of ticks that grows with the
// speed, and at the threshold on every tick; turning back starts afresh.
TEST_F(PreciseMoveTest, TapsBySpeedHoldTheKeyOnAShareOfTicks) {
  SetTapsBySpeed(Game(), true);
  for (auto& move : Game().Moves) move.Threshold = 10;
  const auto heldTicks = [&](int pixelsPerTick) {
    preciseMove::Reset();
    std::vector<Step> trace;
    for (int tick = 1; tick <= 40; ++tick) trace.push_back({tick * 8 - 4, pixelsPerTick, 0});
    const std::string held = Replay(trace, 320);
    return std::count(held.begin(), held.end(), 'r');
  };
  EXPECT_EQ(heldTicks(1), 4);
  EXPECT_EQ(heldTicks(5), 20);
  EXPECT_EQ(heldTicks(10), 40);
  std::int32_t credit = 9;
  EXPECT_EQ(TapAxis(-1, 10, 10, credit), AxisKey::Neither);
  EXPECT_EQ(credit, -1);
  EXPECT_EQ(TapAxis(0, 10, 10, credit), AxisKey::Neither);
  EXPECT_EQ(TapAxis(-9, 10, 10, credit), AxisKey::Negative);
  EXPECT_EQ(credit, 0);
}

// The options' bits and bytes: the run threshold holds to 2 to 60, 0 stays none.
TEST(MovementOptions, TheRunThresholdCountsWithinItsRange) {
  GameProfile game;
  for (const auto& [stored, counted] : std::vector<std::pair<int, int>>{{0, 0}, {1, 2}, {2, 2}, {60, 60}, {61, 60}, {255, 60}}) {
    game.ReservedBytes[3] = static_cast<std::uint8_t>(stored);
    EXPECT_EQ(RunThreshold(game), counted) << stored;
  }
  game.ReservedBytes[0] = 0xF9;
  SetMovesPrecisely(game, true);
  SetTapsBySpeed(game, true);
  SetFollowsGameWindow(game, false);
  EXPECT_EQ(game.ReservedBytes[0], 0xFE);
}

}  // namespace
