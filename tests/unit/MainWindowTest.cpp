// The main window: starting up, control on and off, the hotkeys, launching the game and the help menu.
#include <gtest/gtest.h>

#include "app/ModGood.h"
#include "support/MainWindowFixture.h"

namespace {

using modHookKeyMouse::MouseHookHandle;

TEST_F(MainWindowTest, AFirstRunWarnsOnceAndShowsAnEmptyListWithTheDefaultHotkeys) {
  os.PressKey(kF9);
  os.ReleaseKey(kF9);
  frmMain window;
  window.Show();
  EXPECT_EQ(CallsStartingWith("MessageBox"), Calls{"MessageBox(配置文件异常！,错误,0x10)"});
  EXPECT_EQ(CurGameIndex, -1);
  EXPECT_EQ(window.CmdShowStart.Caption(), "请选择游戏");
  EXPECT_EQ(window.menuStop.Caption(), "停止（热键 F12）");
  EXPECT_FALSE(window.TimMove.Enabled() || window.TimButton.Enabled());
  EXPECT_EQ(os.GetAsyncKeyState(kF9), 0);  // the tap before the window loaded no longer reads as a press
}

// A second copy ends before it reads anything; the title test also finds one started elsewhere.
TEST_F(MainWindowTest, OnlyTheFirstCopyShowsItsWindow) {
  os.anotherInstance = true;
  EXPECT_EQ(ModGood::Main(), 0);
  os.anotherInstance = false;
  os.otherWindow = kVersion;
  ModGood::Main();
  os.otherWindow.clear();
  ModGood::Main();
  EXPECT_EQ(forms.ranUntilUnloaded, std::vector<std::string>{kVersion});
  EXPECT_EQ(ModGood::BuildVersionTag(2, 0, 1), "Tillervane（Tillervane v2.01）");  // minor and revision joined
}

// The hotkey poll runs inside the system-modal box, so a held start key comes back while it is open.
TEST_F(ControlTest, StartingWithNothingSelectedOnlyAsksAndNeverWithASecondBox) {
  window.LstGame.SetListIndex(-1);
  os.whileMessageShown = [this] { window.StartControl(); };
  window.StartControl();
  EXPECT_EQ(os.TakeCalls(), Calls{"MessageBox(请选择游戏再开始！,Tillervane,0x1040)"});
  window.StartControl();  // once closed, a new start asks again
  EXPECT_EQ(CallsStartingWith("MessageBox").size(), 1u);
}

TEST_F(ControlTest, StartingAgainKeepsTheRepeatFlagsAndTheTimersDriveTheEngine) {
  window.menuStart.UserClick();
  modHookKeyMouse::ButtonRepeat[0] = true;
  window.StartControl();
  EXPECT_FALSE(window.LstGame.Enabled());
  window.TimButton.Tick();
  modHookKeyMouse::MoveDeltaX = 9;
  window.TimMove.Tick();
  EXPECT_EQ(CallsStartingWith("keybd_event"), (Calls{Down(kA), Down(kRight, true)}));
}

TEST_F(ControlTest, StoppingReleasesProfileKeysInOrderClearsLatchesAndCentresThePointerOfTheGameStillCurrent) {
  Rally().HideCursor = True16;
  window.StartControl();
  EXPECT_EQ(CallsStartingWith("mouse_event"), Calls{"mouse_event(0x8001,65535,32768,0," + kOwn + ")"});
  os.PressKey(kS);
  const auto hook = std::to_string(MouseHookHandle);
  window.menuStop.UserClick();
  EXPECT_EQ(os.TakeCalls(), (Calls{"UnhookWindowsHookEx(" + hook + ")", "SetPriorityClass(0x20)",
                                   "PowerThrottling(allowed)", Up(kA), Up(kShift), Up(kS), Up(kLeft, true),
                                   Up(kRight, true), Up(kW), "PumpPendingMessages()",
                                   "mouse_event(0x8001,32768,32768,0," + kOwn + ")"}));
  EXPECT_EQ(os.GetAsyncKeyState(kS), 0);  // released and its latch discarded
  EXPECT_TRUE(window.LstGame.Enabled());
  EXPECT_FALSE(window.TimMove.Enabled() || window.TimButton.Enabled());
  // Commands run by the pump may add or delete games; the pointer follows the profile current after it.
  window.StartControl();
  os.TakeCalls();
  os.whilePumping = [this] {
    window.menuAdd_Click();
    window.menuAdd_Click();
  };
  window.StopControl();
  EXPECT_EQ(CallsStartingWith("mouse_event"), Calls{});
  window.LstGame.SetListIndex(2);
  os.whilePumping = [this] { window.menuDelete_Click(); };
  window.StopControl();
  EXPECT_EQ(CurGameIndex, -1);
}

TEST_F(ControlTest, EditingTheGameStopsControl) {
  window.StartControl();
  window.menuSet.UserClick();
  EXPECT_EQ(forms.shown.back(), "设置窗口");
  EXPECT_EQ(MouseHookHandle, 0u);
}

TEST_F(ControlTest, TheRememberOptionSavesOnEveryToggleAndUnloadSavesOnlyWhileItIsOn) {
  window.menuMem.UserClick();
  EXPECT_EQ(SavedFile().RememberLastGame, False16);
  window.menuMem.UserClick();
  window.LstGame.SetListIndex(1);
  window.StartControl();
  window.menuEnd.UserClick();
  EXPECT_EQ(MouseHookHandle, 0u);  // control stopped first
  EXPECT_EQ(SavedFile().LastGameIndex, 1);
}

TEST_F(ControlTest, OnlyARightButtonReleaseOverTheListOpensTheGameMenu) {
  window.LstGame.UserMouseUp(ui::LeftMouse, 0, 10, 10);
  window.LstGame.UserMouseUp(ui::MiddleMouse, 0, 10, 10);
  window.LstGame.UserMouseUp(ui::RightMouse, 0, 10, 10);
  EXPECT_EQ(forms.popups, std::vector<std::string>{"menuMain"});
}

// Every step runs even after one failed; a failure is reported once and the editor opens on the game.
TEST_F(ControlTest, LaunchingStartsTheGameInItsOwnFolder) {
  const struct {
    std::string path, missing;
    Calls expected;
  } rows[] = {{"D:\\Games\\Rally\\rally.exe", "",
               {"ChangeDirectory(D:)", "ChangeDirectory(D:\\Games\\Rally\\)", "StartProgram(D:\\Games\\Rally\\rally.exe)"}},
              {"", "", {"MessageBox(游戏文件位置未指定！请手动启动游戏再控制,Tillervane,0x0)"}},
              {"rally.bat", "rally.bat",
               {"ChangeDirectory()", "StartProgram(rally.bat)", "MessageBox(游戏文件位置错误!,Tillervane,0x40)"}}};
  for (const auto& row : rows) {
    Rally().GamePath = row.path;
    os.missing = {row.missing};
    forms.shown.clear();
    window.LstGame.UserDoubleClick();
    Calls calls = os.TakeCalls();
    calls.resize(std::min(calls.size(), row.expected.size()));
    EXPECT_EQ(calls, row.expected);
    EXPECT_EQ(forms.shown.size(), row.missing.empty() ? 0u : 1u) << row.path;
  }
  window.LstGame.SetListIndex(-1);
  CurGameIndex = -1;  // as before the first selection
  window.menuRunGame_Click();
  EXPECT_EQ(os.TakeCalls(), Calls{"MessageBox(请选择游戏！,Tillervane,0x0)"});
}

TEST_F(ControlTest, AConfirmedHotkeyIsStoredNamedAndSavedAndControlStaysOffWhileItIsChosen) {
  bool pollRanDuringCapture = true;
  window.StartControl();
  forms.userSteps.push_back([&](ui::Form&) { pollRanDuringCapture = window.TimStart.Enabled(); });
  forms.userSteps.push_back([this](ui::Form&) { os.SendKeyboard({kF10, 0x44}); });
  window.menuSetStart.UserClick();
  EXPECT_FALSE(pollRanDuringCapture);
  EXPECT_EQ(window.menuStart.Caption(), "启动（热键 F10）");
  EXPECT_EQ(window.CmdShowStart.Caption(), "Rally 按F10开始控制......");
  EXPECT_EQ(SavedFile().StartKey, (HotKey{kF10, 0, 0}));
  os.PressKey(kF9);  // the old start key no longer starts
  window.TimStart.Tick();
  EXPECT_EQ(MouseHookHandle, 0u);
  os.PressKey(kF10);
  window.TimStart.Tick();
  EXPECT_NE(MouseHookHandle, 0u);
}

TEST_F(ControlTest, ACancelledHotkeyChangesNothingAndNoKeyAsksNothing) {
  os.answers = {platform::answer::Cancel};
  forms.userSteps.push_back([this](ui::Form&) { os.SendKeyboard({kF10, 0x44}); });
  window.menuSetStop.UserClick();
  EXPECT_EQ(CallsStartingWith("MessageBox"), Calls{"MessageBox(你将 F10 设置为停止键？,Tillervane,0x41)"});
  window.menuSetStop.UserClick();  // the capture dialog is closed without a key
  EXPECT_EQ(window.menuStop.Caption(), "停止（热键 F12）");
}

TEST_F(ControlTest, AboutNamesTheVersionUpdateOpensItsPageAndHelpThePageBesideTheProgramWhenThere) {
  window.menuAbout.UserClick();
  const Calls about = os.TakeCalls();
  EXPECT_EQ(about.front(), std::string("MessageBox(") + kVersion + ",Tillervane,0x0)");
  EXPECT_EQ(about.size(), 2u);  // and a note
  window.menuNewApp.UserClick();
  const Calls update = os.TakeCalls();
  EXPECT_EQ(update.back(), "OpenDocument(https://tillervane.example.com/releases,C:\\Games\\Tillervane)");
  EXPECT_EQ(update.size(), 2u);
  // The page shipped beside the program wins over the web page, also in a drive's root.
  for (const auto& [folder, pageOnDisk, opened] : std::vector<std::array<std::string, 3>>{
           {"C:\\Games\\Tillervane", "C:\\Games\\Tillervane\\help.html", "C:\\Games\\Tillervane\\help.html"},
           {"D:\\", "D:\\help.html", "D:\\help.html"},
           {"C:\\Games\\Tillervane", "C:\\Games\\help.html", "https://tillervane.example.com/help"}}) {
    os.exeDirectory = folder;
    os.disk = {{pageOnDisk, {}}};
    window.menuUseHelp.UserClick();
    EXPECT_EQ(os.TakeCalls(), Calls{"OpenDocument(" + opened + "," + folder + ")"});
  }
}

}  // namespace
