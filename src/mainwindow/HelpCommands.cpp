// The help menu: the usage page, the release page and the About messages.
#include <string>

#include "app/WebPages.h"
#include "mainwindow/frmMain.h"
#include "platform/Platform.h"

using platform::Os;

namespace {

void OpenPage(const std::string& address) {
  Os().process.OpenDocument(address, Os().process.ExecutableDirectory());
}

// The page shipped beside the program works offline and always matches its
// version; a program copied out of its package falls back to the web page.
std::string UsagePage() {
  const std::string folder = Os().process.ExecutableDirectory();
  const bool root = !folder.empty() && folder.back() == '\\';  // "C:\"
  const std::string local = folder + (root ? "" : "\\") + WebPages::UsageHelpFile;
  return Os().files.Exists(local) ? local : WebPages::UsageHelp;
}

}  // namespace

void frmMain::menuUseHelp_Click() { OpenPage(UsagePage()); }

void frmMain::menuNewApp_Click() {
  Os().dialogs.ShowMessage("将转到发布页获取更新！", "更新", platform::mb::IconInformation);
  OpenPage(WebPages::Updates);
}

void frmMain::menuAbout_Click() {
  Os().dialogs.ShowMessage(VersionTag, "Tillervane", platform::mb::Ok);
  Os().dialogs.ShowMessage("若存在 BUG，请到更新发布页获取新版本！", "Tillervane", platform::mb::Ok);
}
