#pragma once
// Periodic timers finer than the 10 ms that SetTimer allows: a high-resolution
// waitable timer that the program's own message loop waits on, so its ticks run
// on the one UI thread between messages and hook calls.

#include <windows.h>

#include <functional>

namespace ui::win32 {

class PreciseTimer {
 public:
  explicit PreciseTimer(std::function<void()> tick);
  ~PreciseTimer();
  PreciseTimer(const PreciseTimer&) = delete;
  PreciseTimer& operator=(const PreciseTimer&) = delete;

  bool Start(int periodMs);
  void Stop();
  bool Running() const { return running_; }

  // For the message loop: the handles to wait on, and the tick of one that fired.
  static DWORD CollectHandles(HANDLE* handles, DWORD capacity);
  static void Fired(DWORD index);

 private:
  std::function<void()> tick_;
  HANDLE timer_ = nullptr;
  bool running_ = false;
};

}  // namespace ui::win32
