// The help menu: the two web pages and the About messages.
#include "app/WebPages.h"
#include "mainwindow/frmMain.h"
#include "platform/Platform.h"

using platform::Os;

namespace {

void OpenPage(const char* address) { Os().process.OpenDocument(address, Os().process.ExecutableDirectory()); }

}  // namespace

void frmMain::menuUseHelp_Click() { OpenPage(WebPages::UsageHelp); }

void frmMain::menuNewApp_Click() {
  Os().dialogs.ShowMessage("将转到发布页获取更新！", "更新", platform::mb::IconInformation);
  OpenPage(WebPages::Updates);
}

void frmMain::menuAbout_Click() {
  Os().dialogs.ShowMessage(VersionTag, "Tillervane", platform::mb::Ok);
  Os().dialogs.ShowMessage("若存在 BUG，请到更新发布页获取新版本！", "Tillervane", platform::mb::Ok);
}
