#pragma once
// The real Windows calls behind the platform interfaces.

#include "platform/Platform.h"

namespace platform::win32 {

// The process's one Win32 platform; install it with SetOs(&Win32Platform()).
Platform& Win32Platform();

}  // namespace platform::win32
