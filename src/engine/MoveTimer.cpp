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
void Release(const MoveMap& move) { KeyMouse().KeyUp(move.VirtualKey, move.Extended != 0); }

// One axis: `positive` is right or down, `negative` left or up. The positive
// direction is tested first and wins when both would hold.
void TranslateAxis(std::int32_t delta, const MoveMap& negative, const MoveMap& positive) {
  if (delta >= EffectiveThreshold(positive)) {
    Press(positive);
    Release(negative);
  } else if (delta > -EffectiveThreshold(negative)) {
    Release(positive);
    Release(negative);
  } else {
    Press(negative);
    Release(positive);
  }
}

}  // namespace

void EngineTimers::TimMove_Timer() {
  const GameProfile* profile = CurrentGame();
  if (profile == nullptr || modHookKeyMouse::WaitingForGame) return;
  TranslateAxis(modHookKeyMouse::MoveDeltaX, profile->Moves[MoveLeft], profile->Moves[MoveRight]);
  TranslateAxis(modHookKeyMouse::MoveDeltaY, profile->Moves[MoveUp], profile->Moves[MoveDown]);
  modHookKeyMouse::MoveDeltaX = 0;
  modHookKeyMouse::MoveDeltaY = 0;
}
