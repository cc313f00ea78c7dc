#pragma once
// Byte vectors written the way the file's layout is read: "1E 00 54*3 00*20"
// is 1E, 00, three 54s and twenty zeros.

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "app/ModGood.h"
#include "platform/posix/IconvText.h"
#include "resources/Version.h"
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

// This build's version tag as the program makes it, and in code page 936 with its count.
inline const std::string kVersion =
    ModGood::BuildVersionTag(TILLERVANE_VERSION_MAJOR, TILLERVANE_VERSION_MINOR, TILLERVANE_VERSION_REVISION);
inline const Bytes kVersionBytes = [] {
  const std::string cp936 = platform::posix::IconvText().Utf8ToCp936(kVersion);
  return Bytes{static_cast<std::uint8_t>(cp936.size()), 0} + Bytes(cp936.begin(), cp936.end());
}();

inline GameProfile Game(const std::string& name, const std::string& path = "") {
  GameProfile game;
  game.GameName = name, game.GamePath = path;
  return game;
}

// The saved record with the default hotkeys and no games.
inline AppSettings DefaultRecord() {
  AppSettings settings;
  settings.Version = kVersion;
  settings.StartKey.VirtualKey = 120;
  settings.StopKey.VirtualKey = 123;
  settings.Reserved1 = 3;
  return settings;
}
