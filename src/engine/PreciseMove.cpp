#include "engine/PreciseMove.h"

#include <algorithm>
#include <cstdlib>

#include "engine/KeyMouse.h"
#include "engine/MoveKeys.h"
#include "settings/Settings.h"

namespace preciseMove {

namespace {

struct Sums {
  std::int32_t x = 0, y = 0;
};
Sums raw, hook;
bool rawSeen = false;
Sums last;  // the movement of the tick before
std::int32_t creditX = 0, creditY = 0;

bool Holds(const MoveMap& move) { return KeyMouse().Holds(move.VirtualKey, move.Extended != 0); }

AxisKey HeldOn(const MoveMap& negative, const MoveMap& positive) {
  if (Holds(positive)) return AxisKey::Positive;
  return Holds(negative) ? AxisKey::Negative : AxisKey::Neither;
}

AxisKey DecideAxis(const GameProfile& profile, std::int32_t delta, std::int32_t previous, const MoveMap& negative,
                   const MoveMap& positive, std::int32_t& credit) {
  const std::int32_t low = EffectiveThreshold(negative), high = EffectiveThreshold(positive);
  if (TapsBySpeed(profile)) return TapAxis(delta, low, high, credit);
  return HoldAxis(delta, delta + previous, low, high, HeldOn(negative, positive));
}

std::int32_t Speed(const Sums& moved) { return std::max(std::abs(moved.x), std::abs(moved.y)); }

}  // namespace

void AddRawMovement(std::int32_t x, std::int32_t y) {
  rawSeen = true;
  raw.x += x;
  raw.y += y;
}

void AddHookMovement(std::int32_t x, std::int32_t y) {
  hook.x += x;
  hook.y += y;
}

void Reset() {
  raw = hook = last = {};
  rawSeen = false;
  creditX = creditY = 0;
}

bool Keeps(std::int32_t movement, std::int32_t twoTicks, std::int32_t threshold) {
  const std::int32_t keep = KeepThreshold(threshold);
  return movement >= keep || twoTicks >= 2 * keep;
}

AxisKey HoldAxis(std::int32_t delta, std::int32_t twoTicks, std::int32_t negativeThreshold,
                 std::int32_t positiveThreshold, AxisKey held) {
  if (delta >= positiveThreshold) return AxisKey::Positive;
  if (-delta >= negativeThreshold) return AxisKey::Negative;
  if (held == AxisKey::Positive && Keeps(delta, twoTicks, positiveThreshold)) return AxisKey::Positive;
  if (held == AxisKey::Negative && Keeps(-delta, -twoTicks, negativeThreshold)) return AxisKey::Negative;
  return AxisKey::Neither;
}

AxisKey TapAxis(std::int32_t delta, std::int32_t negativeThreshold, std::int32_t positiveThreshold,
                std::int32_t& credit) {
  if ((delta > 0 && credit < 0) || (delta < 0 && credit > 0)) credit = 0;  // a turn starts afresh
  // Never more than two thresholds: what is left after a tap stays below one,
  // so a mouse that stops taps no more.
  credit = std::clamp(credit + delta, 1 - 2 * negativeThreshold, 2 * positiveThreshold - 1);
  if (credit >= positiveThreshold) {
    credit -= positiveThreshold;
    return AxisKey::Positive;
  }
  if (-credit >= negativeThreshold) {
    credit += negativeThreshold;
    return AxisKey::Negative;
  }
  return AxisKey::Neither;
}

bool HoldRun(std::int32_t speed, std::int32_t twoTicks, std::int32_t threshold, bool held, bool directionHeld) {
  if (!directionHeld) return false;
  return speed >= threshold || (held && Keeps(speed, twoTicks, threshold));
}

void Tick(const GameProfile& profile, std::int32_t parkedX, std::int32_t parkedY) {
  const Sums moved = profile.HideCursor != 0 ? Sums{parkedX, parkedY} : rawSeen ? raw : hook;
  const Sums previous = last;
  last = moved;
  raw = hook = {};
  const MoveMap* moves = profile.Moves.data();
  const AxisKey x = DecideAxis(profile, moved.x, previous.x, moves[MoveLeft], moves[MoveRight], creditX);
  const AxisKey y = DecideAxis(profile, moved.y, previous.y, moves[MoveUp], moves[MoveDown], creditY);
  const std::int32_t runKey = RunKey(profile), runThreshold = RunThreshold(profile);
  const bool runExtended = RunKeyExtended(profile);
  const bool run = runKey != 0 && runThreshold != 0 &&
                   HoldRun(Speed(moved), Speed(moved) + Speed(previous), runThreshold,
                           KeyMouse().Holds(runKey, runExtended), x != AxisKey::Neither || y != AxisKey::Neither);
  // The run key goes down before the direction it speeds up, and up after it.
  if (run) KeyMouse().KeyDown(runKey, runExtended);
  DriveAxisKeys(x, moves[MoveLeft], moves[MoveRight]);
  DriveAxisKeys(y, moves[MoveUp], moves[MoveDown]);
  if (!run) ReleaseIfHeld(runKey, runExtended);
}

}  // namespace preciseMove
