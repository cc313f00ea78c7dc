#pragma once
// Byte vectors written the way the file's layout is read: "1E 00 54*3 00*20"
// is 1E, 00, three 54s and twenty zeros.

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "settings/Settings.h"

using Bytes = std::vector<std::uint8_t>;

inline Bytes Hex(const std::string& text) {
  Bytes bytes;
  std::istringstream in(text);
  for (std::string token; in >> token;) {
    const auto star = token.find('*');
    const auto value = static_cast<std::uint8_t>(std::stoul(token.substr(0, star), nullptr, 16));
    const std::size_t count = star == std::string::npos ? 1 : std::stoul(token.substr(star + 1));
    bytes.insert(bytes.end(), count, value);
  }
  return bytes;
}

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline const std::string kVersion = "Tillervane（Tillervane v2.01）";
// kVersion in code page 936 with its count.
inline const Bytes kVersionBytes =
    Hex("1E 00 54 69 6C 6C 65 72 76 61 6E 65 A3 A8 54 69 6C 6C 65 72 76 61 6E 65 20 76 32 2E 30 31 A3 A9");

// The saved record with the default hotkeys and no games.
inline AppSettings DefaultRecord() {
  AppSettings settings;
  settings.Version = kVersion;
  settings.StartKey.VirtualKey = 120;
  settings.StopKey.VirtualKey = 123;
  settings.Reserved1 = 3;
  return settings;
}
