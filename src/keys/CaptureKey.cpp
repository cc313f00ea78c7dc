#include "keys/FrmGetKey.h"
#include "keys/modGetKey.h"
#include "platform/Platform.h"
#include "platform/WinConstants.h"

namespace modGetKey {

void CaptureKey(std::int32_t& virtualKey, std::int32_t& extended) {
  FrmGetKey dialog;
  dialog.ShowModal();
  if (CapturedKey.VirtualKey == 0) return;
  // A key whose reported scan code is not the layout's own for its virtual key
  // (a system key, or one injected by software) could not be sent back reliably.
  const auto layoutScan = platform::Os().input.MapVirtualKeyCode(
      static_cast<std::uint32_t>(CapturedKey.VirtualKey), wincode::MapVkToVsc);
  if (layoutScan == static_cast<std::uint32_t>(CapturedKey.ScanCode)) {
    virtualKey = CapturedKey.VirtualKey;
    extended = CapturedKey.Extended;
    return;
  }
  platform::Os().dialogs.ShowMessage("你按下的是 " + ScanKeyName(CapturedKey.ScanCode, CapturedKey.Extended) +
                                         ",该键为系统键，执行可能无效，未能启用！若有特殊需求请与开发者联系",
                                     "Tillervane", platform::mb::IconInformation);
}

}  // namespace modGetKey
