#pragma once
// FrmGetKey: the small modal "请按键" dialog. While it is loaded a desktop-wide
// low-level keyboard hook takes the very first keyboard event, records its key,
// swallows it and closes the dialog.

#include <cstdint>

#include "platform/Platform.h"
#include "ui/Form.h"

struct CapturedKeyRecord {
  std::int32_t VirtualKey = 0;
  std::int32_t ScanCode = 0;
  std::int32_t Extended = 0;  // 1 when the event carried the extended-key flag
};

// The key of the latest capture; cleared whenever the hook is installed, so a
// capture never reports the key of an earlier one.
extern CapturedKeyRecord CapturedKey;
extern platform::HookHandle KeyboardHookHandle;  // 0 = none

class FrmGetKey final : public ui::Form {
 public:
  FrmGetKey();

 protected:
  void Form_Load() override;
  void Form_Unload() override;
  void Form_KeyUp(int KeyCode, int Shift) override;
};

std::intptr_t KeyboardHookProc(int code, std::uintptr_t message, std::intptr_t record);
