#include "engine/EngineTimers.h"
#include "engine/HookKeyMouse.h"
#include "engine/KeyMouse.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

namespace {

// One button's or wheel's key, while it repeats.
template <class Map>
void DriveRepeat(std::int16_t phase, bool repeating, const Map& map) {
  if (!repeating || map.VirtualKey <= 0) return;
  const bool switchHeld = platform::Os().input.GetAsyncKeyState(map.SwitchKey) != 0;
  const RepeatStep step = NextRepeatStep(phase, switchHeld);
  if (step == RepeatStep::Press) KeyMouse().KeyDown(map.VirtualKey, map.Extended != 0);
  if (step == RepeatStep::Release) KeyMouse().KeyUp(map.VirtualKey, map.Extended != 0);
}

}  // namespace

RepeatStep NextRepeatStep(std::int16_t phase, bool switchHeld) {
  if (phase == 1) return RepeatStep::Press;
  return switchHeld ? RepeatStep::Keep : RepeatStep::Release;
}

void EngineTimers::TimButton_Timer() {
  if (modHookKeyMouse::WaitingForGame) return;
  RepeatPhase = static_cast<std::int16_t>(RepeatPhase % 2 + 1);
  const GameProfile* profile = CurrentGame();
  if (profile == nullptr) return;
  for (std::size_t b = 0; b < profile->Buttons.size(); ++b) {
    DriveRepeat(RepeatPhase, modHookKeyMouse::ButtonRepeat[b], profile->Buttons[b]);
  }
  for (std::size_t w = 0; w < profile->Wheels.size(); ++w) {
    DriveRepeat(RepeatPhase, modHookKeyMouse::WheelRepeat[w], profile->Wheels[w]);
  }
}
