#include <gtest/gtest.h>

#include "keys/FrmGetKey.h"
#include "support/MainWindowFixture.h"

namespace {

constexpr std::uint32_t kF10 = 0x79, kScanF10 = 0x44;

class HotkeyTest : public ControlTest {
 protected:
  HotkeyTest() {
    os.scanCodes[kF10] = kScanF10;
    os.keyNames[kScanF10 << 16] = "F10";
  }
  // The user presses this key in the capture dialog.
  void UserPresses(std::uint32_t vk, std::uint32_t scan) {
    forms.userSteps.push_back([this, vk, scan](ui::Form&) { os.SendKeyboard({vk, scan, 0, 0, 0}); });
  }
  std::vector<std::string> Boxes() { return CallsStartingWith("MessageBox"); }
  bool TimStartRanDuringCapture = true;
};

TEST_F(HotkeyTest, AConfirmedKeyIsStoredNamedInTheMenuAndSavedAndControlStaysOff) {
  window.StartControl();
  forms.userSteps.push_back([this](ui::Form&) { TimStartRanDuringCapture = window.TimStart.Enabled(); });
  UserPresses(kF10, kScanF10);
  window.menuSetStart.UserClick();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"MessageBox(你将 F10 设置为启动键？|Tillervane|0x41)"}));
  EXPECT_FALSE(TimStartRanDuringCapture);
  EXPECT_TRUE(window.TimStart.Enabled());
  EXPECT_EQ(window.menuStart.Caption(), "启动（热键 F10）");
  EXPECT_EQ(window.CmdShowStart.Caption(), "Rally 按F10开始控制......");
  EXPECT_EQ(SavedFile().StartKey, (HotKey{static_cast<std::int32_t>(kF10), 0, 0}));
  EXPECT_EQ(modHookKeyMouse::MouseHookHandle, 0u);

  os.PressKey(0x78);  // the old start key no longer starts
  window.TimStart.Tick();
  EXPECT_EQ(modHookKeyMouse::MouseHookHandle, 0u);
  os.PressKey(static_cast<int>(kF10));
  window.TimStart.Tick();
  EXPECT_NE(modHookKeyMouse::MouseHookHandle, 0u);
}

TEST_F(HotkeyTest, CancelChangesNothingAndNoKeyAsksNothing) {
  const auto fileBefore = os.disk.at(kPath);
  os.answers = {platform::answer::Cancel};
  UserPresses(kF10, kScanF10);
  window.menuSetStop.UserClick();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"MessageBox(你将 F10 设置为停止键？|Tillervane|0x41)"}));
  window.menuSetStop.UserClick();  // the capture dialog is closed without a key
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Settings.StopKey.VirtualKey, 0x7B);
  EXPECT_EQ(window.menuStop.Caption(), "停止（热键 F12）");
  EXPECT_EQ(os.disk.at(kPath), fileBefore);
  EXPECT_TRUE(window.TimStart.Enabled());
}

TEST_F(HotkeyTest, AKeyThatIsBothStartAndStopOnlyStops) {
  UserPresses(0x7B, 0x58);
  window.menuSetStart.UserClick();
  os.PressKey(0x7B);
  for (int tick = 0; tick < 3; ++tick) window.TimStart.Tick();
  EXPECT_EQ(modHookKeyMouse::MouseHookHandle, 0u);
  EXPECT_EQ(window.CmdShowStart.Caption(), "Rally 按F12开始控制......");
}

TEST_F(ControlTest, AboutNamesTheVersionAndTheUpdateCommandOpensItsPageAfterANote) {
  window.menuAbout.UserClick();
  const Calls about = os.TakeCalls();
  EXPECT_EQ(about.front(), std::string("MessageBox(") + kTag + "|Tillervane|0x0)");
  EXPECT_EQ(about.size(), 2u);  // and a note
  window.menuNewApp.UserClick();
  const Calls update = os.TakeCalls();
  EXPECT_EQ(update.back(), "OpenDocument(https://tillervane.example.com/releases|C:\\Games\\Tillervane)");
  EXPECT_EQ(update.size(), 2u);
}

// The page shipped beside the program wins over the web page, also in a drive's root.
TEST_F(ControlTest, HelpOpensTheUsagePageBesideTheProgramWhenItIsThere) {
  const struct {
    std::string folder, pageOnDisk, opened;
  } rows[] = {{"C:\\Games\\Tillervane", "C:\\Games\\Tillervane\\help.html", "C:\\Games\\Tillervane\\help.html"},
              {"D:\\", "D:\\help.html", "D:\\help.html"},
              {"C:\\Games\\Tillervane", "C:\\Games\\help.html", "https://tillervane.example.com/help"}};
  for (const auto& row : rows) {
    os.exeDirectory = row.folder;
    os.disk = {{row.pageOnDisk, {}}};
    window.menuUseHelp.UserClick();
    EXPECT_EQ(os.TakeCalls(), Calls{"OpenDocument(" + row.opened + "|" + row.folder + ")"});
  }
}

}  // namespace
