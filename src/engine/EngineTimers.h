#pragma once
// The bodies of the main window's two engine timers, which tick only while
// control is on: TimMove (every 8 ms) turns the latest pointer movement into held
// direction keys, TimButton (every 30 ms) presses and releases repeating keys on
// alternate ticks. The main window owns one instance for its whole life.

#include <cstdint>

class EngineTimers {
 public:
  void TimMove_Timer();
  void TimButton_Timer();

  // 1 and 2 on alternate TimButton ticks: press, then release. Kept across starts
  // and stops of control.
  std::int16_t RepeatPhase = 0;
};
