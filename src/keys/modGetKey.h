#pragma once
// modGetKey: the names the keyboard layout gives keys, and choosing a key by
// pressing it.

#include <cstdint>
#include <string>

namespace modGetKey {

// The layout's name for a stored key reference; empty for no key (0).
std::string KeyName(std::int32_t virtualKey, std::int32_t extended);
// The layout's name for a scan code as the keyboard reported it; empty for 0.
std::string ScanKeyName(std::int32_t scanCode, std::int32_t extended);

// Asks for a key with the "请按键" dialog. On acceptance writes the key into the
// two variables; a cancelled capture or a refused system key leaves them as
// they are.
void CaptureKey(std::int32_t& virtualKey, std::int32_t& extended);

}  // namespace modGetKey
