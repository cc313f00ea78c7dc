#pragma once
// The bodies of the main window's two engine timers, which tick only while
// control is on: TimMove (every 8 ms) turns the latest pointer movement into held
// direction keys and lets go of tapped keys whose hold is over, TimButton (every 30 ms) presses and releases repeating keys on
// alternate ticks. The main window owns one instance for its whole life.

#include <cstdint>

// The decisions behind the ticks, apart from any key or state, so that every
// case can be tried on its own.

// The key one axis holds: `Positive` is right or down, `Negative` left or up.
// The positive direction is tested first and wins when both would hold.
enum class AxisKey { Negative, Neither, Positive };
AxisKey TranslateAxis(std::int32_t delta, std::int32_t negativeThreshold, std::int32_t positiveThreshold);

// A repeating key is pressed on phase 1; on phase 2 released unless its switch
// key is held, which keeps it down.
enum class RepeatStep { Press, Release, Keep };
RepeatStep NextRepeatStep(std::int16_t phase, bool switchHeld);

class EngineTimers {
 public:
  void TimMove_Timer();
  void TimButton_Timer();

  // 1 and 2 on alternate TimButton ticks: press, then release. Kept across starts
  // and stops of control.
  std::int16_t RepeatPhase = 0;
};
