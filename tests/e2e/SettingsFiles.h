#pragma once
// Settings files as the native encoder writes and reads them, for the native
// tools beside the end-to-end tests.

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/posix/IconvText.h"
#include "settings/SettingsCodec.h"

// A record as this version saves it with the default hotkeys and no games.
inline AppSettings SavedDefaults() {
  AppSettings settings;
  settings.Version = "Tillervane（Tillervane v2.01）";
  settings.StartKey = {0x78, 0, 0};
  settings.StopKey = {0x7B, 0, 0};
  settings.Reserved1 = 3;
  return settings;
}

inline bool WriteSettingsFile(const std::string& path, const AppSettings& settings) {
  platform::posix::IconvText text;
  const auto bytes = settings_codec::EncodeSettings(settings, text);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

inline AppSettings ReadSettingsFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  platform::posix::IconvText text;
  return settings_codec::DecodeSettings(bytes, text);
}
