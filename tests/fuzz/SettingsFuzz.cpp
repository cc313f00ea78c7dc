// libFuzzer target for the settings decoder: any bytes decode without reading
// outside them, and the record they give survives a save and a load unchanged.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/posix/IconvText.h"
#include "settings/SettingsCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static platform::posix::IconvText text;
  const AppSettings decoded = settings_codec::DecodeSettings(std::span(data, size), text);
  const std::vector<std::uint8_t> saved = settings_codec::EncodeSettings(decoded, text);
  if (!(settings_codec::DecodeSettings(saved, text) == decoded)) std::abort();
  return 0;
}
