// The program in front choosing the game, the notification area's icon, and
// the new start with administrator rights.
#include <gtest/gtest.h>

#include "app/ModGood.h"
#include "engine/GameWindow.h"
#include "mainwindow/AdminRestart.h"
#include "platform/WinConstants.h"
#include "resources/ResourceIds.h"
#include "support/MainWindowFixture.h"

namespace {

// Folders that hold the program: the deepest wins, the first on a tie; case
// and slashes do not matter, and a game without a file never matches.
TEST(GameOfProgram, TheDeepestFolderWinsAndTheFirstOnATie) {
  const std::vector<std::string> games = {"D:\\Games\\Jia\\jia.exe", "", "d:/games/jia/rally/rally.exe",
                                          "D:\\Games\\Jia\\other.exe"};
  const std::pair<std::string, int> rows[] = {
      {"D:\\Games\\Jia\\Rally\\bin\\launcher.exe", 2}, {"D:\\GAMES\\JIA\\jia.exe", 0},
      {"D:\\Games\\Jia2\\jia.exe", -1},                {"rally.exe", -1},
  };
  for (const auto& [program, game] : rows) EXPECT_EQ(GameOfProgram(games, program), game) << program;
}

TEST(TakeOverSwitch, NamesItsGameOnlyWhenWellFormed) {
  EXPECT_EQ(TakeOverArguments(2), "/takeover 2");
  const std::pair<std::vector<std::string>, std::optional<std::int32_t>> rows[] = {
      {{"/takeover", "2"}, 2},          {{"/takeover", "-1"}, -1},           {{"/takeover", "-2"}, std::nullopt},
      {{"/takeover", "2x"}, std::nullopt}, {{"/takeover", "2", "3"}, std::nullopt}, {{"/other", "2"}, std::nullopt},
      {{}, std::nullopt}};
  for (const auto& [arguments, game] : rows) EXPECT_EQ(TakeOverGame(arguments), game) << arguments.size();
}

// 甲 in D:\Games\Jia (left button D), Rally below it through a SUBST drive, 乙
// without a file; the option on, nothing selected, a chat program in front.
class AutoGameTest : public ControlTest {
 protected:
  AutoGameTest() {
    Settings.Games[0].GamePath = "D:\\Games\\Jia\\jia.exe";
    Settings.Games[0].Buttons[LeftButton] = {kD, 0, 0, 0, 0, 0, False16, 0};
    Rally().GamePath = "G:\\rally.exe";
    os.finalPaths[Rally().GamePath] = "D:\\Games\\Jia\\Rally\\rally.exe";
    Settings.Reserved2[0] = 0xF0;
    Settings.Reserved2[19] = 7;
    window.menuAutoGame.UserClick();
    window.LstGame.SetListIndex(-1);
    window.LstGame_Click();
    os.foregroundPath = "C:\\Chat\\chat.exe";
    os.TakeCalls();
  }
  std::intptr_t Click() { return os.SendMouse(wincode::WmLButtonDown, {400, 300}); }
  const std::string kWaiting = "等待游戏窗口激活......  按F12停止!";
};

TEST_F(AutoGameTest, TheOptionIsBitZeroOfTheHeadersFirstReservedByteSavedAtOnce) {
  EXPECT_EQ(window.menuAppSet.Items.back(), &window.menuAutoGame);  // right below 使用记录
  EXPECT_TRUE(window.menuAutoGame.Checked());
  EXPECT_EQ(SavedFile().Reserved2[0], 0xF1);
  window.menuAutoGame.UserClick();
  const AppSettings saved = SavedFile();
  EXPECT_EQ(saved.Reserved2[0], 0xF0);
  EXPECT_EQ(saved.Reserved2[19], 7);
}

TEST_F(AutoGameTest, TheProgramInFrontChoosesTheGameReleasingThePreviousOnesKeysAndNoGameMakesControlWait) {
  window.StartControl();  // nothing selected, but games have files
  EXPECT_EQ(window.CmdShowStart.Caption(), kWaiting);
  EXPECT_EQ(window.Tray.Icon(), IDI_TRAY_WAITING);
  EXPECT_EQ(window.Tray.Tip(), "Tillervane：等待游戏窗口");
  os.BringToFront("D:\\Games\\Jia\\Rally\\rally.exe");  // both folders hold it: the deeper wins
  EXPECT_EQ(window.LstGame.ListIndex(), 2);
  EXPECT_EQ(window.CmdShowStart.Caption(), kControlling);
  EXPECT_EQ(window.Tray.Tip(), "Tillervane：正在控制 Rally");
  Click();
  os.TakeCalls();
  os.BringToFront("D:\\Games\\Jia\\jia.exe");
  EXPECT_EQ(CallsStartingWith("keybd_event"), Calls{Up(kA)});  // released for Rally, not for 甲
  EXPECT_EQ(CurGameIndex, 0);
  EXPECT_EQ(window.CmdShowStart.Caption(), "正在控制 甲......  按F12停止!");
  EXPECT_EQ(window.Tray.Icon(), IDI_TRAY_ON);
  Click();
  EXPECT_TRUE(os.IsHeld(kD));
  os.BringToFront("");  // a program whose path cannot be read changes nothing
  EXPECT_TRUE(os.IsHeld(kD));
  os.BringToFront("C:\\Chat\\chat.exe");
  EXPECT_FALSE(os.IsHeld(kD));
  EXPECT_EQ(window.CmdShowStart.Caption(), kWaiting);
  EXPECT_EQ(Click(), 0);  // passed on
  os.PressKey(kF12);
  window.TimStart.Tick();
  EXPECT_EQ(window.LstGame.ListIndex(), 0);  // stopping leaves the last game selected
  EXPECT_EQ(window.Tray.Tip(), "Tillervane：未启动");
  EXPECT_EQ(window.Tray.Icon(), IDI_TRAY_OFF);
}

TEST_F(AutoGameTest, TurningTheOptionWhileControlIsOnTakesEffectAtOnce) {
  window.StartControl();
  window.menuAutoGame.UserClick();  // off, with no game to control
  EXPECT_FALSE(window.TimMove.Enabled());
  window.LstGame.SetListIndex(2);
  window.StartControl();
  EXPECT_EQ(window.CmdShowStart.Caption(), kControlling);
  window.menuAutoGame.UserClick();  // on: the chat in front belongs to no game
  EXPECT_EQ(window.CmdShowStart.Caption(), kWaiting);
}

TEST_F(AutoGameTest, WithoutAnyGameFileTheStartStillAsksForAGame) {
  for (GameProfile& game : Settings.Games) game.GamePath.clear();
  window.StartControl();
  EXPECT_EQ(CallsStartingWith("MessageBox"), Calls{"MessageBox(请选择游戏再开始！,Tillervane,0x1040)"});
  EXPECT_FALSE(window.TimMove.Enabled());
}

TEST_F(ControlTest, TheTrayIconBringsTheWindowUpAndItsMenuRunsTheMainMenusCommands) {
  EXPECT_EQ(window.Tray.Icon(), IDI_TRAY_OFF);
  window.Tray.UserClick();
  EXPECT_EQ(forms.broughtToFront, std::vector<std::string>{kVersion});
  window.Tray.UserRightClick();
  EXPECT_EQ(forms.popups, std::vector<std::string>{"menuTray"});
  EXPECT_EQ(window.menuTrayStart.Caption(), "启动（热键 F9）");
  EXPECT_EQ(window.menuTrayStop.Caption(), "停止（热键 F12）");
  window.menuTrayStart.UserClick();
  EXPECT_EQ(window.Tray.Icon(), IDI_TRAY_ON);
  window.menuTrayEnd.UserClick();
  EXPECT_FALSE(window.Loaded());
  EXPECT_FALSE(window.TimMove.Enabled());
}

// A refused prompt changes nothing; once the copy is up, this one ends.
TEST_F(ControlTest, TheNewStartWithHigherRightsIsOfferedOnlyForSuchAGameAndHandsOverOnceTheCopyIsUp) {
  EXPECT_FALSE(window.menuAdmin.Enabled());
  os.foregroundElevated = true;
  window.StartControl();
  EXPECT_TRUE(window.menuAdmin.Enabled());
  os.elevationAllowed = false;
  window.menuAdmin.UserClick();
  EXPECT_EQ(CallsStartingWith("StartElevatedCopy"), Calls{"StartElevatedCopy(/takeover 2)"});
  EXPECT_TRUE(window.TimMove.Enabled());
  os.elevationAllowed = true;
  window.menuAdmin.UserClick();
  EXPECT_FALSE(window.TimMove.Enabled());
  EXPECT_FALSE(window.menuAdmin.Enabled());
  os.elevatedCopy = platform::CopyState::Starting;
  window.TimStart.Tick();
  EXPECT_TRUE(window.Loaded());
  os.elevatedCopy = platform::CopyState::Up;
  window.TimStart.Tick();
  EXPECT_FALSE(window.Loaded());
}

TEST_F(RallyOnDisk, ACopyThatTakesOverRunsBesideTheFirstAndControlsTheGameItNames) {
  os.anotherInstance = true;
  os.otherWindow = kVersion;
  os.arguments = {"/takeover", "0"};
  ModGood::Main();
  EXPECT_EQ(forms.ranUntilUnloaded, std::vector<std::string>{kVersion});
  EXPECT_EQ(CurGameIndex, 0);
  EXPECT_NE(modHookKeyMouse::MouseHookHandle, 0u);
}

}  // namespace
