#include "keys/modGetKey.h"
#include "platform/Platform.h"
#include "platform/WinConstants.h"

namespace modGetKey {

namespace {

// The system writes at most 19 characters and a terminator.
constexpr int kNameBufferUnits = 20;

// The key-message parameter: scan code in bits 16 to 23, the extended flag in
// bit 24. Bit 25 stays clear so left and right keys keep their own names.
std::string LayoutName(std::int32_t scanCode, std::int32_t extended) {
  const std::int32_t parameter = ((scanCode & 0xFF) << 16) | ((extended != 0 ? 1 : 0) << 24);
  return platform::Os().input.KeyNameText(parameter, kNameBufferUnits);
}

}  // namespace

std::string KeyName(std::int32_t virtualKey, std::int32_t extended) {
  if (virtualKey == 0) return {};
  const auto scan = platform::Os().input.MapVirtualKeyCode(static_cast<std::uint32_t>(virtualKey),
                                                           wincode::MapVkToVsc);
  std::string name = LayoutName(static_cast<std::int32_t>(scan), extended);
  if (!name.empty()) return name;
  return virtualKey == wincode::VkRightShift ? "Right Shift" : "Undefined Key";
}

std::string ScanKeyName(std::int32_t scanCode, std::int32_t extended) {
  if (scanCode == 0) return {};
  std::string name = LayoutName(scanCode, extended);
  return name.empty() ? "Undefined Key" : name;
}

}  // namespace modGetKey
