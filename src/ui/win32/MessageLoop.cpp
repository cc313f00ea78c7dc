#include "ui/win32/MessageLoop.h"

#include <windows.h>

#include "ui/win32/PreciseTimer.h"

namespace ui::win32 {

namespace {

// Handles every message waiting now. False when WM_QUIT came, which is posted
// again for the outer loop.
bool DispatchWaitingMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    // Tab, the arrow keys and mnemonics move between a form's controls, as
    // in any dialog.
    HWND active = ::GetActiveWindow();
    if (active == nullptr || !::IsDialogMessageW(active, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    // A tick that fell due meanwhile waits for one message, not for the queue.
    PreciseTimer::TickAllDue();
  }
  return true;
}

}  // namespace

bool RunMessagesUntil(const std::function<bool()>& done) {
  HANDLE timers[MAXIMUM_WAIT_OBJECTS - 1];
  while (!done()) {
    const DWORD count = PreciseTimer::CollectHandles(timers, MAXIMUM_WAIT_OBJECTS - 1);
    const DWORD woke = ::MsgWaitForMultipleObjectsEx(count, timers, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke < WAIT_OBJECT_0 + count) {
      PreciseTimer::Fired(woke - WAIT_OBJECT_0);
    } else if (woke == WAIT_OBJECT_0 + count) {
      if (!DispatchWaitingMessages()) return false;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace ui::win32
