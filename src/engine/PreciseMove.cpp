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
std::int32_t creditX = 0, creditY = 0;

bool Holds(const MoveMap& move) { return KeyMouse().Holds(move.VirtualKey, move.Extended != 0); }

AxisKey HeldOn(const MoveMap& negative, const MoveMap& positive) {
  if (Holds(positive)) return AxisKey::Positive;
  return Holds(negative) ? AxisKey::Negative : AxisKey::Neither;
}

AxisKey DecideAxis(const GameProfile& profile, std::int32_t delta, const MoveMap& negative, const MoveMap& positive,
                   std::int32_t& credit) {
  const std::int32_t low = EffectiveThreshold(negative), high = EffectiveThreshold(positive);
  if (TapsBySpeed(profile)) return TapAxis(delta, low, high, credit);
  return HoldAxis(delta, low, high, HeldOn(negative, positive));
}

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
  raw = hook = {};
  rawSeen = false;
  creditX = creditY = 0;
}

AxisKey HoldAxis(std::int32_t delta, std::int32_t negativeThreshold, std::int32_t positiveThreshold, AxisKey held) {
  const std::int32_t positiveNeed = held == AxisKey::Positive ? KeepThreshold(positiveThreshold) : positiveThreshold;
  const std::int32_t negativeNeed = held == AxisKey::Negative ? KeepThreshold(negativeThreshold) : negativeThreshold;
  if (delta >= positiveNeed) return AxisKey::Positive;
  return -delta >= negativeNeed ? AxisKey::Negative : AxisKey::Neither;
}

AxisKey TapAxis(std::int32_t delta, std::int32_t negativeThreshold, std::int32_t positiveThreshold,
                std::int32_t& credit) {
  if (delta == 0) return AxisKey::Neither;
  const bool positive = delta > 0;
  const std::int32_t threshold = positive ? positiveThreshold : negativeThreshold;
  std::int32_t owed = positive == (credit > 0) ? std::abs(credit) : 0;
  owed += std::abs(delta);
  const AxisKey key = positive ? AxisKey::Positive : AxisKey::Negative;
  AxisKey held = AxisKey::Neither;
  if (std::abs(delta) >= threshold) {
    owed = 0, held = key;
  } else if (owed >= threshold) {
    owed -= threshold, held = key;
  }
  credit = positive ? owed : -owed;
  return held;
}

bool HoldRun(std::int32_t speed, std::int32_t threshold, bool held, bool directionHeld) {
  if (!directionHeld) return false;
  return speed >= (held ? KeepThreshold(threshold) : threshold);
}

void Tick(const GameProfile& profile, std::int32_t parkedX, std::int32_t parkedY) {
  Sums moved = profile.HideCursor != 0 ? Sums{parkedX, parkedY} : rawSeen ? raw : hook;
  raw = hook = {};
  const MoveMap* moves = profile.Moves.data();
  const AxisKey x = DecideAxis(profile, moved.x, moves[MoveLeft], moves[MoveRight], creditX);
  const AxisKey y = DecideAxis(profile, moved.y, moves[MoveUp], moves[MoveDown], creditY);
  const std::int32_t runKey = RunKey(profile), runThreshold = RunThreshold(profile);
  const bool runExtended = RunKeyExtended(profile);
  const bool run = runKey != 0 && runThreshold != 0 &&
                   HoldRun(std::max(std::abs(moved.x), std::abs(moved.y)), runThreshold,
                           KeyMouse().Holds(runKey, runExtended), x != AxisKey::Neither || y != AxisKey::Neither);
  // The run key goes down before the direction it speeds up, and up after it.
  if (run) KeyMouse().KeyDown(runKey, runExtended);
  DriveAxisKeys(x, moves[MoveLeft], moves[MoveRight]);
  DriveAxisKeys(y, moves[MoveUp], moves[MoveDown]);
  if (!run) ReleaseIfHeld(runKey, runExtended);
}

}  // namespace preciseMove
