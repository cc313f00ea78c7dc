#include "keys/FrmGetKey.h"

#include <cstring>

#include "platform/WinConstants.h"
#include "resources/ResourceIds.h"

CapturedKeyRecord CapturedKey;
platform::HookHandle KeyboardHookHandle = 0;

namespace {
// The dialog the hook closes; the hook exists only while it is loaded.
FrmGetKey* openDialog = nullptr;
}  // namespace

FrmGetKey::FrmGetKey() {
  SetCaption("请按键");
  ClientWidthTwips = 3024;
  ClientHeightTwips = 1404;
  IconResource = IDI_GETKEY;
  Position = ui::StartPosition::CenterOwner;
}

void FrmGetKey::Form_Load() {
  openDialog = this;
  if (KeyboardHookHandle != 0) return;
  CapturedKey = {};
  KeyboardHookHandle = platform::Os().hooks.SetKeyboardHook(&KeyboardHookProc);
}

void FrmGetKey::Form_Unload() {
  platform::Os().hooks.Unhook(KeyboardHookHandle);
  KeyboardHookHandle = 0;
  openDialog = nullptr;
}

// Reached only when the hook could not be installed: the capture ends empty.
void FrmGetKey::Form_KeyUp(int, int) { Unload(); }

std::intptr_t KeyboardHookProc(int code, std::uintptr_t, std::intptr_t record) {
  if (code == wincode::HcAction) {
    platform::KeyboardHookRecord event;
    std::memcpy(&event, reinterpret_cast<const void*>(record), sizeof event);
    CapturedKey.VirtualKey = static_cast<std::int32_t>(event.vkCode);
    CapturedKey.ScanCode = static_cast<std::int32_t>(event.scanCode);
    CapturedKey.Extended = static_cast<std::int32_t>(event.flags & 1);
  }
  if (openDialog != nullptr) openDialog->Unload();
  // Swallowed: the key reaches neither later hooks nor any window.
  return 1;
}
