#pragma once
// The real Windows calls behind the platform interfaces: the pieces, one file
// each, and the text helpers they share.

#include <string>

#include "platform/Platform.h"

namespace platform::win32 {

Input& Win32Input();
Screen& Win32Screen();
Hooks& Win32Hooks();
Process& Win32Process();
Files& Win32Files();
Text& Win32Text();
Dialogs& Win32Dialogs();

// The one message pump of the program's thread: handles every message waiting
// now, the active window's keyboard navigation as in any dialog, and calls
// `betweenMessages`, when given, after each. False when WM_QUIT came, which is
// posted again for the outer loop.
bool DispatchWaitingMessages(void (*betweenMessages)() = nullptr);

// The primary display's dots per inch along LOGPIXELSX or LOGPIXELSY; 96 when
// it cannot be read.
int DisplayDpi(int axis);

// The path the system finally opens for `path`; empty when it cannot be opened.
std::wstring FinalPathOf(const std::wstring& path);

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
// The system's description of an error code, in UTF-8, without a trailing newline.
std::string DescribeError(unsigned long errorCode);

}  // namespace platform::win32
