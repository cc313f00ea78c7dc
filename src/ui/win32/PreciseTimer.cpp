#include "ui/win32/PreciseTimer.h"

#include <mmsystem.h>

#include <algorithm>
#include <vector>

namespace ui::win32 {

namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

std::vector<PreciseTimer*>& RunningTimers() {
  static std::vector<PreciseTimer*> timers;
  return timers;
}

// High resolution where the system offers it (Windows 10 1803 on), plain elsewhere.
platform::win32::KernelHandle CreatePeriodicTimer(bool& coarse) {
  HANDLE timer = ::CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
  coarse = timer == nullptr;
  if (coarse) timer = ::CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
  return platform::win32::KernelHandle(timer);
}

}  // namespace

PreciseTimer::PreciseTimer(std::function<void()> tick) : tick_(std::move(tick)) {}

bool PreciseTimer::Start(int periodMs) {
  if (timer_.get() == nullptr) timer_ = CreatePeriodicTimer(coarse_);
  if (timer_.get() == nullptr) return false;
  LARGE_INTEGER due{};
  due.QuadPart = -10000LL * periodMs;  // relative, in 100 ns units
  if (!::SetWaitableTimer(timer_.get(), &due, periodMs, nullptr, nullptr, FALSE)) return false;
  if (!running_) {
    RunningTimers().push_back(this);
    // A plain timer ticks at the system clock, every 15.6 ms, unless it is
    // asked to tick finer; the system's own resolution comes back at Stop.
    if (coarse_) ::timeBeginPeriod(1);
  }
  running_ = true;
  return true;
}

void PreciseTimer::Stop() {
  if (!running_) return;
  ::CancelWaitableTimer(timer_.get());
  if (coarse_) ::timeEndPeriod(1);
  auto& timers = RunningTimers();
  timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
  running_ = false;
}

DWORD PreciseTimer::CollectHandles(HANDLE* handles, DWORD capacity) {
  DWORD count = 0;
  for (PreciseTimer* timer : RunningTimers()) {
    if (count == capacity) break;
    handles[count++] = timer->timer_.get();
  }
  return count;
}

bool PreciseTimer::TickIfDue() {
  if (!running_ || ::WaitForSingleObject(timer_.get(), 0) != WAIT_OBJECT_0) return false;
  tick_();
  return true;
}

// The wait that reported the signal has taken it already.
void PreciseTimer::Fired(DWORD index) {
  auto& timers = RunningTimers();
  if (index < timers.size()) timers[index]->tick_();
}

// Runs between every two messages, so it copies nothing. From the back: a
// tick that stops timers only moves those not yet looked at, and a timer
// looked at twice has no signal left to tick on.
void PreciseTimer::TickAllDue() {
  const auto& timers = RunningTimers();
  for (std::size_t i = timers.size(); i-- > 0;) {
    if (i < timers.size()) timers[i]->TickIfDue();
  }
}

}  // namespace ui::win32
