// Native tool for the settings end-to-end test: writes the bytes the native
// encoder gives for the sample record, whole and with its first game removed.
//
//   settings_expected OUT_DIR     writes OUT_DIR/sample.set and OUT_DIR/removed.set
#include <cstdio>
#include <string>

#include "e2e/SettingsFiles.h"
#include "e2e/SettingsSample.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string dir = argv[1];
  AppSettings removed = SampleSettings();
  removed.Games.erase(removed.Games.begin());
  if (!WriteSettingsFile(dir + "/sample.set", SampleSettings()) || !WriteSettingsFile(dir + "/removed.set", removed)) {
    std::perror("settings_expected");
    return 1;
  }
  return 0;
}
