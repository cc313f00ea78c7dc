// 精确移动, the run key and taps by speed, replayed from pointer traces as the
// hook and raw input deliver them, tick by tick.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>
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

// A trace file: a line per event, "ms dx dy", # for comments; times rounded up
// to the millisecond the event counts in.
std::vector<Step> RecordedTrace(const std::string& name) {
  std::ifstream in(std::string(TILLERVANE_TRACES_DIR) + "/" + name);
  std::vector<Step> trace;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    double ms = 0;
    Step step{};
    fields >> ms >> step.dx >> step.dy;
    step.atMs = 1 + static_cast<int>(std::ceil(ms));
    trace.push_back(step);
  }
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
  // one letter: the direction held after it ('r', 'l', 'd', 'u'; '.' none),
  // upper case with the run key ('S' alone). The system moves the pointer
  // after the hook, and stops it at the screen's edge; raw input, when the
  // mouse gives it, keeps counting there.
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
      char letter = os.IsHeld(kRight) ? 'r' : os.IsHeld(kLeft) ? 'l' : os.IsHeld(kDown) ? 'd' : os.IsHeld(kUp) ? 'u' : '.';
      if (os.IsHeld(kShift)) letter = letter == '.' ? 'S' : static_cast<char>(letter - 'a' + 'A');
      held += letter;
    }
    return held;
  }
  EngineTimers timers;
};

// The same hand at 1,000 and at 125 reports a second: the same keys on the same
// ticks, held without a break until the mouse stops, and one tick after, as a
// tick without any report counts the one before once. So do a mouse whose
// events come in bursts, as Wine delivers them, and one whose reports straddle
// the ticks, leaving every other tick without a report.
TEST_F(PreciseMoveTest, TheReportRateChangesNothing) {
  const std::string expected = std::string(46, 'r') + "..";
  EXPECT_EQ(Replay(SteadyRight(1, 1, 360), 384), expected);
  EXPECT_EQ(Replay(SteadyRight(8, 1, 360), 384), expected);
  std::vector<Step> bursts;  // 1 px a ms on average, delivered 1 to 6 at a time
  for (int at = 0, burst = 0; at < 360; at += burst) {
    burst = std::min(1 + (at * 7 % 6), 360 - at);
    bursts.push_back({at + burst, burst, 0});
  }
  EXPECT_EQ(Replay(bursts, 384), expected);
  std::vector<Step> straddling;
  for (int report = 1; report <= 45; ++report) straddling.push_back({8 * report + (report % 2 ? -1 : 1), 8, 0});
  EXPECT_EQ(Replay(straddling, 384), expected);
  EXPECT_EQ(CallsStartingWith("keybd_event").size(), 4u * 47);  // 46 presses and one release a trace
}

// The moves of a steady glide as Wine delivered them on a busy machine, in
// bursts of up to nine pixels and with pauses of up to 11 ms: one press, held
// to the end.
TEST_F(PreciseMoveTest, ARecordedGlideHoldsItsKeyWithoutABreak) {
  const std::vector<Step> glide = RecordedTrace("wine-glide.txt");
  ASSERT_EQ(glide.size(), 253u);
  const std::string held = Replay(glide, glide.back().atMs + 32);
  EXPECT_TRUE(std::regex_match(held, std::regex(R"(r{50,}\.+)"))) << held;
}

// At the screen's edge the pointer stops but raw input goes on; a mouse without
// raw input has only the positions.
TEST_F(PreciseMoveTest, TheScreensEdgeDoesNotStopTheMovement) {
  os.cursor = {1000, 384};
  EXPECT_EQ(Replay(SteadyRight(1, 1, 160), 160), std::string(20, 'r'));
  preciseMove::Reset();  // as a start of control: no raw input seen yet
  os.cursor = {1000, 384};
  EXPECT_EQ(Replay(SteadyRight(1, 1, 160), 160, false), "rrrr" + std::string(16, '.'));
}

// A held key stays down from half its threshold, rounded up, in this tick or
// on average over it and the tick before; from rest that is not enough. Both
// signs.
TEST(PreciseAxis, AHeldKeyStaysFromHalfItsThreshold) {
  using preciseMove::HoldAxis;
  const struct {
    std::int32_t delta, twoTicks;
    AxisKey held, expected;
  } rows[] = {
      {4, 4, AxisKey::Neither, AxisKey::Positive},   {3, 3, AxisKey::Neither, AxisKey::Neither},
      {2, 2, AxisKey::Positive, AxisKey::Positive},  {1, 4, AxisKey::Positive, AxisKey::Positive},
      {1, 3, AxisKey::Positive, AxisKey::Neither},   {-5, -5, AxisKey::Neither, AxisKey::Neither},
      {-6, -6, AxisKey::Neither, AxisKey::Negative}, {-3, -3, AxisKey::Negative, AxisKey::Negative},
      {-2, -6, AxisKey::Negative, AxisKey::Negative}, {-2, -5, AxisKey::Negative, AxisKey::Neither},
      {-6, 2, AxisKey::Positive, AxisKey::Negative}, {3, 3, AxisKey::Negative, AxisKey::Neither},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(HoldAxis(row.delta, row.twoTicks, 6, 4, row.held), row.expected) << row.delta << "/" << row.twoTicks;
  }
}

// Walk, run, slow down, stop: the run key joins the arrow at 12 pixels a tick,
// stays down to 6 and goes with the arrow, never without one. A stored 0 means
// no running.
TEST_F(PreciseMoveTest, TheRunKeyGoesDownAtItsThresholdAndUpBelowHalfOfIt) {
  StoreRunKey(Game(), kShift, true, 12);
  std::vector<Step> trace;
  int at = 0;
  for (const int perTick : {8, 12, 6, 5, 13, 2, 0}) {
    for (int tick = 0; tick < 2; ++tick, at += 8) trace.push_back({at + 4, perTick, 0});
  }
  EXPECT_EQ(Replay(trace, at), "rrRRRRrrRRRr..");
  EXPECT_EQ(CallsStartingWith(Down(kShift, true)).size(), 7u);  // the extended key, as stored
  EXPECT_EQ(Replay({{4, 0, 8}, {12, 0, 16}}, 32), "dDD.");
  Game().Moves[MoveRight].Threshold = 10;
  StoreRunKey(Game(), kShift, false, 2);
  EXPECT_EQ(Replay(SteadyRight(8, 1, 16), 24), "...");
  Game().ReservedBytes[3] = 0;
  EXPECT_EQ(Replay(SteadyRight(8, 2, 32), 32), "rrrr");
}

// Below the threshold the key is held on a share of ticks that grows with the
// speed, and at the threshold on every tick; turning back starts afresh.
TEST_F(PreciseMoveTest, TapsBySpeedHoldTheKeyOnAShareOfTicks) {
  SetTapsBySpeed(Game(), true);
  for (auto& move : Game().Moves) move.Threshold = 10;
  // 40 ticks at a speed, the mouse reporting every `every` ticks.
  const auto taps = [&](int pixelsPerTick, int every = 1) {
    preciseMove::Reset();
    std::vector<Step> trace;
    for (int tick = every; tick <= 40; tick += every) trace.push_back({tick * 8 - 4, pixelsPerTick * every, 0});
    return Replay(trace, 320);
  };
  const auto heldTicks = [&](int pixelsPerTick, int every = 1) {
    const std::string held = taps(pixelsPerTick, every);
    return std::count(held.begin(), held.end(), 'r');
  };
  EXPECT_EQ(taps(1).substr(0, 11), ".........r.");  // from no credit at the start of control
  EXPECT_EQ(heldTicks(1), 4);
  EXPECT_EQ(heldTicks(5), 20);
  EXPECT_EQ(heldTicks(4, 2), 16);  // a report every other tick: the same share
  EXPECT_EQ(heldTicks(10), 40);
  // A burst banks less than a threshold for later: a mouse that stops taps no more.
  std::int32_t credit = 9;
  EXPECT_EQ(TapAxis(30, 10, 10, credit), AxisKey::Positive);
  EXPECT_EQ(credit, 9);
  EXPECT_EQ(TapAxis(0, 10, 10, credit), AxisKey::Neither);
  EXPECT_EQ(TapAxis(-1, 10, 10, credit), AxisKey::Neither);
  EXPECT_EQ(credit, -1);
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
