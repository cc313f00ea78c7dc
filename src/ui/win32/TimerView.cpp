// Win32 views: timers.
#include "ui/win32/ViewSupport.h"

#include <commctrl.h>

namespace ui::win32 {

namespace {

// Timers of 10 ms and more are window timers, which also tick inside the
// system's own modal loops (message boxes). Finer ones tick from the program's
// message loop through a precise timer; while a system modal loop runs, a
// 10 ms window timer looks for their due ticks instead.
class TimerView final : public ChildView {
 public:
  TimerView(ui::Timer& model, HWND parent, UINT_PTR id)
      : ChildView(model, id), timer_(model), owner_(parent), precise_([this] { timer_.Tick(); }) {}
  ~TimerView() override {
    ::KillTimer(owner_, id_);
    precise_.Stop();
  }
  void Refresh() override {
    const int interval = timer_.Interval();
    if (!timer_.Enabled() || interval <= 0) {
      ::KillTimer(owner_, id_);
      precise_.Stop();
      return;
    }
    if (interval < USER_TIMER_MINIMUM && precise_.Start(interval)) {
      ::SetTimer(owner_, id_, USER_TIMER_MINIMUM, nullptr);
      return;
    }
    precise_.Stop();
    ::SetTimer(owner_, id_, static_cast<UINT>(interval), nullptr);
  }
  void OnTimer() override {
    if (precise_.Running()) {
      precise_.TickIfDue();
      return;
    }
    timer_.Tick();
  }

 private:
  ui::Timer& timer_;
  HWND owner_;
  PreciseTimer precise_;
};

}  // namespace

std::unique_ptr<ChildView> MakeView(ui::Timer& model, HWND parent, UINT_PTR id) {
  return std::make_unique<TimerView>(model, parent, id);
}

}  // namespace ui::win32
