#include "ui/win32/MessageLoop.h"

#include <windows.h>

#include "platform/win32/Win32Parts.h"
#include "ui/win32/PreciseTimer.h"

namespace ui::win32 {

bool RunMessagesUntil(const std::function<bool()>& done) {
  HANDLE timers[MAXIMUM_WAIT_OBJECTS - 1];
  while (!done()) {
    const DWORD count = PreciseTimer::CollectHandles(timers, MAXIMUM_WAIT_OBJECTS - 1);
    const DWORD woke = ::MsgWaitForMultipleObjectsEx(count, timers, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke < WAIT_OBJECT_0 + count) {
      PreciseTimer::Fired(woke - WAIT_OBJECT_0);
    } else if (woke == WAIT_OBJECT_0 + count) {
      // A tick that falls due meanwhile waits for one message, not for the queue.
      if (!platform::win32::DispatchWaitingMessages(&PreciseTimer::TickAllDue)) return false;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace ui::win32
