#pragma once
// Periodic timers finer than the 10 ms that SetTimer allows: a high-resolution
// waitable timer that the program's own message loop waits on, so its ticks run
// on the one UI thread between messages and hook calls.

#include <windows.h>

#include <functional>

#include "platform/win32/Handles.h"

namespace ui::win32 {

class PreciseTimer {
 public:
  explicit PreciseTimer(std::function<void()> tick);
  ~PreciseTimer() { Stop(); }

  bool Start(int periodMs);
  void Stop();
  bool Running() const { return running_; }

  // Every tick takes one signal of the system's timer, so that a tick never
  // comes twice for one period, whoever notices the signal first.
  // True when a period had passed and its tick ran.
  bool TickIfDue();

  // For the message loop: the handles to wait on, the tick of one that fired,
  // and the ticks that are due now, checked between two messages.
  static DWORD CollectHandles(HANDLE* handles, DWORD capacity);
  static void Fired(DWORD index);
  static void TickAllDue();

 private:
  std::function<void()> tick_;
  platform::win32::KernelHandle timer_;
  bool running_ = false;
  bool coarse_ = false;  // without high resolution: the system's timer resolution is raised while it runs
};

}  // namespace ui::win32
