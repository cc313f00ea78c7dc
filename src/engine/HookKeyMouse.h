#pragma once
// modHookKeyMouse: the desktop-wide low-level mouse hook that is installed while
// control is on, and the engine state it shares with the timers and with the
// start and stop of control.

#include <array>
#include <cstdint>

#include "platform/Platform.h"

namespace modHookKeyMouse {

extern platform::HookHandle MouseHookHandle;  // non-zero exactly while installed
// Movement of the latest pointer-move event, in pixels, right and down positive;
// while the pointer is parked, the sum of raw input's movement instead. The
// movement timer reads and clears them.
extern std::int32_t MoveDeltaX;
extern std::int32_t MoveDeltaY;
extern std::array<bool, 3> ButtonRepeat;  // held button whose Repeat option is on
extern std::array<bool, 2> WheelRepeat;   // from a mode-3 turn until a mode-4 turn
// Control is on, but the profile follows its game's window and another one is
// active: the hook maps nothing and passes every event on, the timers send nothing.
extern bool WaitingForGame;

void InstallMouseHook();
void RemoveMouseHook();
// While control is on: installs the hook again, after the system refused it or
// removed it, unless the last try was too recent (1 s, then 2, 4 ... at most
// 30 s apart until the hook is called again). True when it tried.
bool RetryMouseHook();
std::intptr_t MouseHookProc(int code, std::uintptr_t message, std::intptr_t record);

// The system removes a low-level hook without a word when it has timed out too
// often. Raw mouse input that goes on for this long, without a pause and
// without a call of the hook, means the hook is gone.
constexpr std::uint64_t HookSilenceLimitMs = 500;
// Raw mouse input came in: true when, with the hook installed, it has come for
// HookSilenceLimitMs without the hook being called.
bool RawInputSaysHookIsGone();

}  // namespace modHookKeyMouse
