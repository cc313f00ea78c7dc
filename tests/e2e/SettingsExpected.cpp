// Native tool for the settings end-to-end test: writes the bytes the native
// encoder gives for the sample record, whole and with its first game removed.
//
//   settings_expected OUT_DIR     writes OUT_DIR/sample.set and OUT_DIR/removed.set
#include <cstdio>
#include <fstream>
#include <string>

#include "e2e/SettingsSample.h"
#include "platform/posix/IconvText.h"
#include "settings/SettingsCodec.h"

namespace {

bool Write(const std::string& path, const AppSettings& settings) {
  platform::posix::IconvText text;
  const auto bytes = settings_codec::EncodeSettings(settings, text);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string dir = argv[1];
  AppSettings removed = SampleSettings();
  removed.Games.erase(removed.Games.begin());
  if (!Write(dir + "/sample.set", SampleSettings()) || !Write(dir + "/removed.set", removed)) {
    std::perror("settings_expected");
    return 1;
  }
  return 0;
}
