#pragma once
// Real windows for the form model.

#include "ui/Form.h"

namespace ui::win32 {

FormHost& Win32FormHost();

}  // namespace ui::win32
