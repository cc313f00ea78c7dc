#include "engine/HookKeyMouse.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "engine/KeyMouse.h"
#include "engine/MouseEvent.h"
#include "engine/PreciseMove.h"
#include "platform/WinConstants.h"
#include "settings/Settings.h"

using platform::Os;

namespace modHookKeyMouse {

platform::HookHandle MouseHookHandle = 0;
std::int32_t MoveDeltaX = 0;
std::int32_t MoveDeltaY = 0;
std::array<bool, 3> ButtonRepeat{};
std::array<bool, 2> WheelRepeat{};
bool WaitingForGame = false;

namespace {
// Since when raw input has come on, with no pause, and no hook call after it;
// empty while it is answered.
std::optional<std::uint64_t> unansweredSinceMs;
std::uint64_t lastRawInputMs = 0;
// A gap this long in raw input ends a run of it: the mouse rested.
constexpr std::uint64_t RawInputPauseMs = 100;

// Tries to install the hook back off, so that a system that keeps refusing or
// removing it is not asked again and again without pause.
constexpr std::uint64_t FirstRetryMs = 1000, LongestRetryMs = 30000;
std::uint64_t retryDelayMs = FirstRetryMs;
std::uint64_t lastTryMs = 0;  // set by every install

enum class HookDecision { Swallow, PassOn };

// The press-once wheel mode holds its key this long; some games miss shorter taps.
constexpr std::uint32_t PressOnceHoldMs = 30;

void PressWheelKey(const GameProfile& profile, int direction) {
  const WheelMap& wheel = profile.Wheels[static_cast<std::size_t>(direction)];
  auto& keys = KeyMouse();
  switch (wheel.Mode) {
    case WheelPressKey:
      keys.KeyDown(wheel.VirtualKey, wheel.Extended != 0);
      break;
    case WheelReleaseKey:
      keys.KeyUp(wheel.VirtualKey, wheel.Extended != 0);
      break;
    case WheelPressOnce:
      keys.KeyTap(wheel.VirtualKey, wheel.Extended != 0, PressOnceHoldMs);
      break;
    case WheelStartRepeat:
      keys.KeyDown(wheel.VirtualKey, wheel.Extended != 0);
      WheelRepeat[static_cast<std::size_t>(direction)] = true;
      break;
    case WheelStopRepeat:
      // Stops both directions, whichever one carries the mode.
      WheelRepeat = {false, false};
      for (const WheelMap& each : profile.Wheels) keys.KeyUp(each.VirtualKey, each.Extended != 0);
      break;
    default:
      break;
  }
}

void MapEvent(const GameProfile& profile, const MouseHookEvent& event) {
  const auto button = static_cast<std::size_t>(event.button);
  switch (event.action) {
    case MouseAction::Move: {
      if (profile.HideCursor != 0) break;  // the pointer is parked: raw input alone tells the movement
      // The system has not moved the pointer for this event yet.
      platform::Point cursor;
      Os().input.GetCursorPos(cursor);
      MoveDeltaX = event.position.x - cursor.x;
      MoveDeltaY = event.position.y - cursor.y;
      preciseMove::AddHookMovement(MoveDeltaX, MoveDeltaY);
      break;
    }
    case MouseAction::ButtonDown: {
      const ButtonMap& map = profile.Buttons[button];
      KeyMouse().KeyDown(map.VirtualKey, map.Extended != 0);
      if (map.Repeat != 0) ButtonRepeat[button] = true;
      break;
    }
    case MouseAction::ButtonUp: {
      const ButtonMap& map = profile.Buttons[button];
      ButtonRepeat[button] = false;
      KeyMouse().KeyUp(map.VirtualKey, map.Extended != 0);
      break;
    }
    case MouseAction::Wheel:
      PressWheelKey(profile, event.wheelDirection);
      break;
    case MouseAction::Own:
    case MouseAction::Other:
      break;
  }
}

HookDecision Decide(int code, std::uintptr_t message, std::intptr_t record) {
  const GameProfile* profile = CurrentGame();
  if (profile == nullptr || WaitingForGame) return HookDecision::PassOn;
  if (code == wincode::HcAction) {
    platform::MouseHookRecord copy;
    std::memcpy(&copy, reinterpret_cast<const void*>(record), sizeof copy);
    const MouseHookEvent event = NormalizeMouseMessage(message, copy);
    // The program's own moves go where they were sent: the pointer gets parked.
    if (event.action == MouseAction::Own) return HookDecision::PassOn;
    MapEvent(*profile, event);
  }
  return profile->HideCursor != 0 ? HookDecision::Swallow : HookDecision::PassOn;
}

}  // namespace

void InstallMouseHook() {
  if (MouseHookHandle != 0) return;
  ButtonRepeat = {};
  WheelRepeat = {};
  preciseMove::Reset();
  Os().process.SetPriorityClass(wincode::HighPriorityClass);
  // The game in front hides this program's windows: Windows would slow its
  // timers down.
  Os().process.AllowPowerThrottling(false);
  MouseHookHandle = Os().hooks.SetMouseHook(&MouseHookProc);
  lastTryMs = Os().process.NowMs();
  unansweredSinceMs.reset();
}

bool RetryMouseHook() {
  const std::uint64_t now = Os().process.NowMs();
  if (now - lastTryMs < retryDelayMs) return false;
  retryDelayMs = std::min(retryDelayMs * 2, LongestRetryMs);
  if (MouseHookHandle != 0) Os().hooks.Unhook(MouseHookHandle);
  MouseHookHandle = 0;
  InstallMouseHook();
  return true;
}

void RemoveMouseHook() {
  Os().hooks.Unhook(MouseHookHandle);
  MouseHookHandle = 0;
  retryDelayMs = FirstRetryMs;
  Os().process.SetPriorityClass(wincode::NormalPriorityClass);
  Os().process.AllowPowerThrottling(true);
}

bool RawInputSaysHookIsGone() {
  if (MouseHookHandle == 0) return false;
  const std::uint64_t now = Os().process.NowMs();
  // One unanswered event before a pause says nothing: the run starts again.
  if (!unansweredSinceMs || now - lastRawInputMs >= RawInputPauseMs) unansweredSinceMs = now;
  lastRawInputMs = now;
  return now - *unansweredSinceMs >= HookSilenceLimitMs;
}

std::intptr_t MouseHookProc(int code, std::uintptr_t message, std::intptr_t record) {
  unansweredSinceMs.reset();
  retryDelayMs = FirstRetryMs;  // the hook works
  if (Decide(code, message, record) == HookDecision::Swallow) return 1;
  return Os().hooks.CallNextHook(MouseHookHandle, code, message, record);
}

}  // namespace modHookKeyMouse
