#pragma once
// The one message loop of the program's thread: the main window's and every
// modal form's. Hooks and timers are called from inside it.

#include <functional>

namespace ui::win32 {

// Gets and dispatches messages until `done` is true after a message, or until
// WM_QUIT (which is posted again for the outer loop). False when it ended by WM_QUIT.
bool RunMessagesUntil(const std::function<bool()>& done);

}  // namespace ui::win32
