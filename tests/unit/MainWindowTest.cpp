#include <gtest/gtest.h>

#include "app/ModGood.h"
#include "support/MainWindowFixture.h"

namespace {

TEST_F(MainWindowTest, AFirstRunWarnsOnceAndShowsAnEmptyListWithTheDefaultHotkeys) {
  os.PressKey(0x78);
  os.ReleaseKey(0x78);
  frmMain window;
  window.Show();
  EXPECT_EQ(CallsStartingWith("MessageBox"), (std::vector<std::string>{"MessageBox(配置文件异常！|错误|0x10)"}));
  EXPECT_EQ(SettingsPath, kPath);
  EXPECT_EQ(window.Caption(), kTag);
  EXPECT_EQ(window.LstGame.ListCount(), 0);
  EXPECT_EQ(CurGameIndex, -1);
  EXPECT_EQ(window.CmdShowStart.Caption(), "请选择游戏");
  EXPECT_EQ(window.menuStart.Caption(), "启动（热键 F9）");
  EXPECT_EQ(window.menuStop.Caption(), "停止（热键 F12）");
  EXPECT_FALSE(window.menuMem.Checked());
  EXPECT_TRUE(window.TimStart.Enabled());
  EXPECT_FALSE(window.TimMove.Enabled() || window.TimButton.Enabled());
  // The F9 tap before the window loaded no longer reads as a press.
  EXPECT_EQ(os.GetAsyncKeyState(0x78), 0);
}

struct RememberCase {
  Boolean16 remember;
  std::int32_t lastGame;
  int selected;
  std::string status;
};

void PrintTo(const RememberCase& row, std::ostream* out) { *out << "remember " << row.remember << ", last " << row.lastGame; }

class RememberedGame : public MainWindowTest, public ::testing::WithParamInterface<RememberCase> {};

TEST_P(RememberedGame, IsSelectedOnlyWhenItNamesAnEntry) {
  AppSettings stored = ThreeGamesRemembering(GetParam().lastGame);
  stored.RememberLastGame = GetParam().remember;
  OnDisk(stored);
  frmMain window;
  window.Show();
  EXPECT_EQ(window.LstGame.ListCount(), 3);
  EXPECT_EQ(window.LstGame.ListIndex(), GetParam().selected);
  EXPECT_EQ(CurGameIndex, GetParam().selected);
  EXPECT_EQ(window.CmdShowStart.Caption(), GetParam().status);
  EXPECT_EQ(window.menuMem.Checked(), GetParam().remember != 0);
  EXPECT_TRUE(CallsStartingWith("MessageBox").empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, RememberedGame,
                         ::testing::Values(RememberCase{True16, 2, 2, "Rally 按F9开始控制......"},
                                           RememberCase{True16, -1, -1, "请选择游戏"},
                                           RememberCase{True16, 3, -1, "请选择游戏"},
                                           RememberCase{True16, -7, -1, "请选择游戏"},
                                           RememberCase{False16, 1, -1, "请选择游戏"}));

TEST_F(ControlTest, StartingWithNothingSelectedOnlyAsks) {
  window.LstGame.SetListIndex(-1);
  const std::string status = window.CmdShowStart.Caption();
  window.StartControl();
  EXPECT_EQ(os.TakeCalls(), (Calls{"MessageBox(请选择游戏再开始！|Tillervane|0x1040)"}));
  EXPECT_TRUE(window.LstGame.Enabled());
  EXPECT_EQ(window.CmdShowStart.Caption(), status);
  EXPECT_EQ(modHookKeyMouse::MouseHookHandle, 0u);
}

// The poll runs inside the system-modal box, so a held start key comes back
// while it is open.
TEST_F(ControlTest, AStartWhileTheSelectAGameBoxIsOpenShowsNoSecondBox) {
  window.LstGame.SetListIndex(-1);
  os.whileMessageShown = [this] { window.StartControl(); };
  window.StartControl();
  EXPECT_EQ(CallsStartingWith("MessageBox").size(), 1u);
  window.StartControl();  // once closed, a new start asks again
  EXPECT_EQ(CallsStartingWith("MessageBox").size(), 1u);
}

// Commands run by the pump may reallocate the game list and change the
// current game; the pointer follows the profile that is current afterwards.
TEST_F(ControlTest, StoppingLooksUpTheProfileAgainAfterPendingMessagesRun) {
  Rally().HideCursor = True16;
  window.StartControl();
  os.TakeCalls();
  os.whilePumping = [this] {
    window.menuAdd_Click();
    window.menuAdd_Click();
  };
  window.StopControl();
  EXPECT_EQ(CurGameIndex, 4);
  EXPECT_EQ(CallsStartingWith("mouse_event"), (std::vector<std::string>{}));

  window.LstGame.SetListIndex(2);
  os.whilePumping = [this] { window.menuDelete_Click(); };
  window.StopControl();
  EXPECT_EQ(CurGameIndex, -1);
  EXPECT_EQ(CallsStartingWith("mouse_event"), (std::vector<std::string>{}));
}

TEST_F(ControlTest, StartingTwiceKeepsOneHookAndItsRepeatFlags) {
  window.menuStart.UserClick();
  const auto hook = modHookKeyMouse::MouseHookHandle;
  modHookKeyMouse::ButtonRepeat[0] = true;
  window.StartControl();
  EXPECT_EQ(modHookKeyMouse::MouseHookHandle, hook);
  EXPECT_TRUE(modHookKeyMouse::ButtonRepeat[0]);
  EXPECT_EQ(CallsStartingWith("SetWindowsHookEx").size(), 1u);
  EXPECT_EQ(window.CmdShowStart.Caption(), "正在控制 Rally......  按F12停止!");
  EXPECT_FALSE(window.LstGame.Enabled());
  EXPECT_TRUE(window.TimMove.Enabled() && window.TimButton.Enabled());
}

TEST_F(ControlTest, StoppingReleasesEveryProfileKeyInOrderThenClearsLatchesAndCentresAHiddenPointer) {
  Rally().HideCursor = True16;
  window.StartControl();
  EXPECT_EQ(CallsStartingWith("mouse_event"), (std::vector<std::string>{"mouse_event(0x8001,65535,32768,0,0)"}));
  os.PressKey(kS);
  const auto hook = std::to_string(modHookKeyMouse::MouseHookHandle);
  window.menuStop.UserClick();
  EXPECT_EQ(os.TakeCalls(),
            (Calls{"UnhookWindowsHookEx(" + hook + ")", "SetPriorityClass(0x20)", "PowerThrottling(allowed)",
                   Up(kA, kScanA), Up(kShift, kScanShift),
                   Up(kS, kScanS), Up(kLeft, kScanLeft, true), Up(kRight, kScanRight, true), Up(kW, kScanW),
                   "PumpPendingMessages", "mouse_event(0x8001,32768,32768,0,1)"}));
  EXPECT_EQ(os.GetAsyncKeyState(kS), 0);  // released and its latch discarded
  EXPECT_EQ(window.CmdShowStart.Caption(), "Rally 按F9开始控制......");
  EXPECT_TRUE(window.LstGame.Enabled());
  EXPECT_FALSE(window.TimMove.Enabled() || window.TimButton.Enabled());
}

TEST_F(ControlTest, StoppingWithNoGameCurrentEndsQuietlyAfterTheHookAndTimers) {
  window.LstGame.SetListIndex(-1);
  os.PressKey(kA);
  window.StopControl();
  EXPECT_EQ(os.TakeCalls(), (Calls{"UnhookWindowsHookEx(0)", "SetPriorityClass(0x20)", "PowerThrottling(allowed)"}));
  EXPECT_TRUE(window.LstGame.Enabled());
  EXPECT_EQ(window.CmdShowStart.Caption(), "请选择游戏");
  EXPECT_EQ(os.GetAsyncKeyState(kA) & 1, 1);  // latches were left alone
}

TEST_F(ControlTest, TheHotkeyPollStopsFirstAndHeldKeysRunTheirProcedureEveryTick) {
  os.PressKey(0x78);
  window.TimStart.Tick();
  window.TimStart.Tick();  // still held: started again, same hook
  EXPECT_NE(modHookKeyMouse::MouseHookHandle, 0u);
  EXPECT_EQ(CallsStartingWith("SetWindowsHookEx").size(), 1u);
  os.PressKey(0x7B);  // both held: stop wins
  window.TimStart.Tick();
  EXPECT_EQ(modHookKeyMouse::MouseHookHandle, 0u);
  os.ReleaseKey(0x7B);
  os.ReleaseKey(0x78);
  os.GetAsyncKeyState(0x78);
  Settings.StartKey.VirtualKey = 0;  // a zero hotkey never fires
  window.TimStart.Tick();
  EXPECT_EQ(modHookKeyMouse::MouseHookHandle, 0u);
}

TEST_F(ControlTest, TheRememberOptionSavesOnEveryToggleAndUnloadSavesOnlyWhileItIsOn) {
  window.menuMem.UserClick();
  EXPECT_FALSE(window.menuMem.Checked());
  EXPECT_EQ(SavedFile().RememberLastGame, False16);
  window.menuMem.UserClick();
  EXPECT_EQ(SavedFile().RememberLastGame, True16);
  EXPECT_EQ(CallsStartingWith("WriteFromStart").size(), 2u);

  window.LstGame.SetListIndex(1);
  window.StartControl();
  window.menuEnd.UserClick();
  EXPECT_EQ(modHookKeyMouse::MouseHookHandle, 0u);  // control stopped first
  EXPECT_EQ(SavedFile().LastGameIndex, 1);
  EXPECT_FALSE(window.Loaded());
}

TEST_F(ControlTest, ClosingWithRememberingOffWritesNothing) {
  window.menuMem.SetChecked(false);
  os.TakeCalls();
  window.RaiseCloseBox();
  EXPECT_TRUE(CallsStartingWith("WriteFromStart").empty());
}

TEST_F(ControlTest, OnlyARightButtonReleaseOverTheListOpensTheGameMenu) {
  window.LstGame.UserMouseUp(ui::LeftMouse, 0, 10, 10);
  window.LstGame.UserMouseUp(ui::RightMouse, 0, 10, 10);
  EXPECT_EQ(forms.popups, (std::vector<std::string>{"menuMain"}));
}

struct LaunchCase {
  std::string path;
  std::vector<std::string> missing;
  Calls expected;
  bool editorOpens = false;  // after a failure: control stopped, then the editor
};

void PrintTo(const LaunchCase& row, std::ostream* out) { *out << "path '" << row.path << "'"; }

class Launch : public ControlTest, public ::testing::WithParamInterface<LaunchCase> {};

TEST_P(Launch, StartsTheGameInItsOwnFolderAndReportsAnyFailedStepOnce) {
  Rally().GamePath = GetParam().path;
  os.missingPaths = GetParam().missing;
  forms.shown.clear();
  window.LstGame.UserDoubleClick();
  const Calls calls = os.TakeCalls();
  const Calls& expected = GetParam().expected;
  ASSERT_GE(calls.size(), expected.size());
  EXPECT_EQ(Calls(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
  EXPECT_EQ(forms.shown, GetParam().editorOpens ? std::vector<std::string>{"设置窗口"} : std::vector<std::string>{});
  if (GetParam().editorOpens) EXPECT_EQ(calls[expected.size()].rfind("UnhookWindowsHookEx", 0), 0u);
  else EXPECT_EQ(calls.size(), expected.size());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Launch,
    ::testing::Values(
        LaunchCase{"D:\\Games\\Rally\\rally.exe", {},
                   {"ChangeDirectory(D:)", "ChangeDirectory(D:\\Games\\Rally\\)", "StartProgram(D:\\Games\\Rally\\rally.exe)"}},
        LaunchCase{"", {}, {"MessageBox(游戏文件位置未指定！请手动启动游戏再控制|Tillervane|0x0)"}},
        LaunchCase{"rally.bat", {"rally.bat"},
                   {"ChangeDirectory()", "StartProgram(rally.bat)", "MessageBox(游戏文件位置错误!|Tillervane|0x40)"},
                   true},
        LaunchCase{"E:\\gone\\x.exe", {"E:"},
                   {"ChangeDirectory(E:)", "ChangeDirectory(E:\\gone\\)", "StartProgram(E:\\gone\\x.exe)",
                    "MessageBox(游戏文件位置错误!|Tillervane|0x40)"},
                   true}));

TEST_F(ControlTest, LaunchingWithNothingSelectedAsksForAGame) {
  window.LstGame.SetListIndex(-1);
  CurGameIndex = -1;  // as before the first selection
  window.menuRunGame_Click();
  EXPECT_EQ(os.TakeCalls(), (Calls{"MessageBox(请选择游戏！|Tillervane|0x0)"}));
}

TEST(VersionTag, JoinsMinorAndRevision) {
  EXPECT_EQ(ModGood::BuildVersionTag(2, 0, 1), "Tillervane（Tillervane v2.01）");
  EXPECT_EQ(ModGood::BuildVersionTag(2, 10, 5), "Tillervane（Tillervane v2.105）");
}

TEST_F(MainWindowTest, ASecondCopyEndsWithoutAWindowOrTouchingTheSettings) {
  os.anotherInstance = true;
  EXPECT_EQ(ModGood::Main(), 0);
  os.anotherInstance = false;
  os.topLevelWindows = {kTag};
  EXPECT_EQ(ModGood::Main(), 0);
  EXPECT_TRUE(forms.shown.empty());
  EXPECT_TRUE(os.TakeCalls().empty());
}

}  // namespace
