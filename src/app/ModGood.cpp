#include "app/ModGood.h"

#include "mainwindow/frmMain.h"
#include "platform/Platform.h"
#include "resources/Version.h"
#include "settings/Settings.h"
#include "ui/Form.h"

namespace ModGood {

std::string BuildVersionTag(int major, int minor, int revision) {
  return std::string("Tillervane（") + AppTitle + " v" + std::to_string(major) + "." + std::to_string(minor) +
         std::to_string(revision) + "）";
}

int Main() {
  auto& process = platform::Os().process;
  process.InitCommonControls(wincode::IccUserExClasses);
  VersionTag = BuildVersionTag(TILLERVANE_VERSION_MAJOR, TILLERVANE_VERSION_MINOR, TILLERVANE_VERSION_REVISION);
  // A second copy ends before it shows anything or reads the settings; the
  // title test also finds a copy started from another folder.
  if (process.IsAnotherInstanceRunning() || process.TopLevelWindowExists(VersionTag)) return 0;
  frmMain main;
  main.Show();
  ui::Host().RunUntilUnloaded(main);
  return 0;
}

}  // namespace ModGood
