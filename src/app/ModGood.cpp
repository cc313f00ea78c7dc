#include "app/ModGood.h"

#include "mainwindow/AdminRestart.h"
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
  // title test also finds a copy started from another folder. A copy that
  // takes over runs beside the one that started it until that one ends.
  const auto takeOver = TakeOverGame(process.CommandLineArguments());
  const bool another = process.IsAnotherInstanceRunning();  // also takes the lock for later copies
  if (!takeOver && (another || process.TopLevelWindowExists(VersionTag))) return 0;
  frmMain main;
  main.Show();
  if (takeOver) main.ResumeControl(*takeOver);
  ui::Host().RunUntilUnloaded(main);
  return 0;
}

}  // namespace ModGood
