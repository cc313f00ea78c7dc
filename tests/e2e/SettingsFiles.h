#pragma once
// Settings files as the native encoder writes and reads them, for the native
// tools beside the end-to-end tests.

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/posix/IconvText.h"
#include "settings/SettingsCodec.h"

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
