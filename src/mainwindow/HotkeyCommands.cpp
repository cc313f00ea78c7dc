// Reassigning the start and stop hotkeys.
#include "keys/modGetKey.h"
#include "mainwindow/frmMain.h"
#include "platform/Platform.h"
#include "settings/ModFile.h"

// Control stays off and the poll pauses while the key is chosen and confirmed,
// so only the capture dialog reacts to keys; the poll resumes on every path.
void frmMain::ReassignHotkey(HotKey& hotKey, const std::string& role) {
  StopControl();
  TimStart.SetEnabled(false);
  std::int32_t virtualKey = 0, extended = 0;
  modGetKey::CaptureKey(virtualKey, extended);
  if (virtualKey > 0) {
    const std::string question = "你将 " + modGetKey::KeyName(virtualKey, extended) + " 设置为" + role + "？";
    const int answer = platform::Os().dialogs.ShowMessage(
        question, "Tillervane", platform::mb::OkCancel | platform::mb::IconInformation);
    if (answer == platform::answer::Ok) {
      hotKey.VirtualKey = virtualKey;
      hotKey.Extended = extended;
      ShowHotkeyCaptions();
      // The idle status line names the start key too; it must not go on
      // naming the old one.
      LstGame_Click();
      ModFile::SaveSettings(false);
    }
  }
  TimStart.SetEnabled(true);
}
