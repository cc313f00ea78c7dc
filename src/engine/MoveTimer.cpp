#include <algorithm>

#include "engine/EngineTimers.h"
#include "engine/HookKeyMouse.h"
#include "engine/KeyMouse.h"
#include "engine/MoveKeys.h"
#include "engine/PreciseMove.h"
#include "settings/Settings.h"

namespace {

void DriveAxis(std::int32_t delta, const MoveMap& negative, const MoveMap& positive) {
  DriveAxisKeys(TranslateAxis(delta, EffectiveThreshold(negative), EffectiveThreshold(positive)), negative, positive);
}

}  // namespace

std::int32_t EffectiveThreshold(const MoveMap& move) { return std::max<std::int32_t>(move.Threshold, 1); }

void ReleaseIfHeld(std::int32_t virtualKey, bool extended) {
  if (KeyMouse().Holds(virtualKey, extended)) KeyMouse().KeyUp(virtualKey, extended);
}

void DriveAxisKeys(AxisKey held, const MoveMap& negative, const MoveMap& positive) {
  if (held == AxisKey::Positive) KeyMouse().KeyDown(positive.VirtualKey, positive.Extended != 0);
  if (held == AxisKey::Negative) KeyMouse().KeyDown(negative.VirtualKey, negative.Extended != 0);
  if (held != AxisKey::Positive) ReleaseIfHeld(positive.VirtualKey, positive.Extended != 0);
  if (held != AxisKey::Negative) ReleaseIfHeld(negative.VirtualKey, negative.Extended != 0);
}

AxisKey TranslateAxis(std::int32_t delta, std::int32_t negativeThreshold, std::int32_t positiveThreshold) {
  if (delta >= positiveThreshold) return AxisKey::Positive;
  return delta > -negativeThreshold ? AxisKey::Neither : AxisKey::Negative;
}

void EngineTimers::TimMove_Timer() {
  KeyMouse().ReleaseDueKeys();
  const GameProfile* profile = CurrentGame();
  if (profile == nullptr || modHookKeyMouse::WaitingForGame) {
    preciseMove::Reset();  // what came before the wait is no movement of the game's
    return;
  }
  if (MovesPrecisely(*profile)) {
    preciseMove::Tick(*profile, modHookKeyMouse::MoveDeltaX, modHookKeyMouse::MoveDeltaY);
  } else {
    DriveAxis(modHookKeyMouse::MoveDeltaX, profile->Moves[MoveLeft], profile->Moves[MoveRight]);
    DriveAxis(modHookKeyMouse::MoveDeltaY, profile->Moves[MoveUp], profile->Moves[MoveDown]);
  }
  modHookKeyMouse::MoveDeltaX = 0;
  modHookKeyMouse::MoveDeltaY = 0;
}
