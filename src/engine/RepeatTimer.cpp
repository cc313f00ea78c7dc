#include "engine/EngineTimers.h"
#include "engine/HookKeyMouse.h"
#include "engine/KeyMouse.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

namespace {

void DriveRepeat(std::int16_t phase, std::int32_t virtualKey, std::int32_t extended,
                 std::int32_t switchKey) {
  if (virtualKey <= 0) return;
  const bool switchHeld = platform::Os().input.GetAsyncKeyState(switchKey) != 0;
  const RepeatStep step = NextRepeatStep(phase, switchHeld);
  if (step == RepeatStep::Press) KeyMouse().KeyDown(virtualKey, extended != 0);
  if (step == RepeatStep::Release) KeyMouse().KeyUp(virtualKey, extended != 0);
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
    const ButtonMap& button = profile->Buttons[b];
    if (modHookKeyMouse::ButtonRepeat[b]) {
      DriveRepeat(RepeatPhase, button.VirtualKey, button.Extended, button.SwitchKey);
    }
  }
  for (std::size_t w = 0; w < profile->Wheels.size(); ++w) {
    const WheelMap& wheel = profile->Wheels[w];
    if (modHookKeyMouse::WheelRepeat[w]) {
      DriveRepeat(RepeatPhase, wheel.VirtualKey, wheel.Extended, wheel.SwitchKey);
    }
  }
}
