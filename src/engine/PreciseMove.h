#pragma once
// The movement of "精确移动": all pointer movement since the last tick, summed,
// against the thresholds in pixels per tick. A held key stays down from half its
// threshold; optionally a run key goes down at a higher speed, and below the
// threshold a direction can be tapped with a share of ticks that grows with the
// speed ("按速度点按"). Neither the screen's edge nor the mouse's report rate
// changes what a hand's movement gives.

#include <cstdint>

#include "engine/EngineTimers.h"

struct GameProfile;

namespace preciseMove {

// The movement of one pointer event: from relative raw input, or from the
// hook's positions. Once raw input has given relative movement, it alone counts:
// the positions stop at the screen's edge.
void AddRawMovement(std::int32_t x, std::int32_t y);
void AddHookMovement(std::int32_t x, std::int32_t y);
// Control starts: no sums, no tap credit, raw input not yet seen.
void Reset();
// One tick of a profile that moves precisely; `parked` is the parked pointer's
// raw sum, which counts instead while the profile parks the pointer.
void Tick(const GameProfile& profile, std::int32_t parkedX, std::int32_t parkedY);

// The decisions behind a tick, apart from keys and state.

// The held threshold: half the threshold, rounded up.
constexpr std::int32_t KeepThreshold(std::int32_t threshold) { return (threshold + 1) / 2; }
// The key an axis holds: each direction goes down at its threshold and, held
// already, stays down while the tick's movement, or the mean of it and the
// tick's before (`twoTicks` is their sum), reaches half of it: a system that
// delivers a steady hand's movement unevenly does not make the key flicker.
AxisKey HoldAxis(std::int32_t delta, std::int32_t twoTicks, std::int32_t negativeThreshold,
                 std::int32_t positiveThreshold, AxisKey held);
// Taps by speed: each tick adds the movement to the direction's credit (a turn
// of direction starts it afresh), and the key is held on a tick whose credit
// reaches the threshold, which the tick then spends: the share of ticks is the
// speed over the threshold, however the movement falls into ticks, and at the
// threshold or above the key is held on every tick.
AxisKey TapAxis(std::int32_t delta, std::int32_t negativeThreshold, std::int32_t positiveThreshold,
                std::int32_t& credit);
// The run key: down while a direction key is held and the speed reaches the
// threshold; held already, it stays down as a direction key does.
bool HoldRun(std::int32_t speed, std::int32_t twoTicks, std::int32_t threshold, bool held, bool directionHeld);

}  // namespace preciseMove
