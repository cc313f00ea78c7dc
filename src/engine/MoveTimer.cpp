#include <algorithm>

#include "engine/EngineTimers.h"
#include "engine/HookKeyMouse.h"
#include "engine/KeyMouse.h"
#include "settings/Settings.h"

namespace {

// A threshold below 1 (never written by the editor) would make a resting mouse
// count as movement and hold the right and down keys; it counts as 1.
std::int32_t EffectiveThreshold(const MoveMap& move) { return std::max<std::int32_t>(move.Threshold, 1); }

void Press(const MoveMap& move) { KeyMouse().KeyDown(move.VirtualKey, move.Extended != 0); }
// Only a key this program holds: a key-up for any other would let go of one the
// player holds on the keyboard, and cost four injected events a tick at rest.
void Release(const MoveMap& move) {
  if (KeyMouse().Holds(move.VirtualKey, move.Extended != 0)) KeyMouse().KeyUp(move.VirtualKey, move.Extended != 0);
}

// The held key is pressed first, then the other one or both are released.
void DriveAxis(std::int32_t delta, const MoveMap& negative, const MoveMap& positive) {
  const AxisKey held = TranslateAxis(delta, EffectiveThreshold(negative), EffectiveThreshold(positive));
  if (held == AxisKey::Positive) Press(positive);
  if (held == AxisKey::Negative) Press(negative);
  if (held != AxisKey::Positive) Release(positive);
  if (held != AxisKey::Negative) Release(negative);
}

}  // namespace

AxisKey TranslateAxis(std::int32_t delta, std::int32_t negativeThreshold, std::int32_t positiveThreshold) {
  if (delta >= positiveThreshold) return AxisKey::Positive;
  return delta > -negativeThreshold ? AxisKey::Neither : AxisKey::Negative;
}

void EngineTimers::TimMove_Timer() {
  KeyMouse().ReleaseDueKeys();
  const GameProfile* profile = CurrentGame();
  if (profile == nullptr || modHookKeyMouse::WaitingForGame) return;
  DriveAxis(modHookKeyMouse::MoveDeltaX, profile->Moves[MoveLeft], profile->Moves[MoveRight]);
  DriveAxis(modHookKeyMouse::MoveDeltaY, profile->Moves[MoveUp], profile->Moves[MoveDown]);
  modHookKeyMouse::MoveDeltaX = 0;
  modHookKeyMouse::MoveDeltaY = 0;
}
