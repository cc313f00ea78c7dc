// Control that follows the game's window: which programs count as the game,
// waiting while another window is active, and coming back.
#include <gtest/gtest.h>

#include "engine/GameWindow.h"
#include "engine/HookKeyMouse.h"
#include "platform/WinConstants.h"
#include "support/MainWindowFixture.h"

namespace {

using Calls = std::vector<std::string>;

TEST(GameWindow, IsAProgramInTheGamesFolderOrBelowWhateverTheCaseAndSlashes) {
  const std::string game = "D:\\Games\\Rally\\rally.exe";
  EXPECT_TRUE(IsInGameFolder("D:\\Games\\Rally\\rally.exe", game));
  EXPECT_TRUE(IsInGameFolder("d:\\GAMES\\rally\\bin\\Launcher.EXE", game));
  EXPECT_TRUE(IsInGameFolder("D:/Games/Rally/bin/game.exe", game));
  EXPECT_FALSE(IsInGameFolder("D:\\Games\\Rally2\\rally.exe", game));
  EXPECT_FALSE(IsInGameFolder("D:\\Games\\rally.exe", game));
  EXPECT_FALSE(IsInGameFolder("", game));
  EXPECT_FALSE(IsInGameFolder("rally.exe", "rally.exe"));  // no folder to lie in
}

class FollowGameTest : public ControlTest {
 protected:
  FollowGameTest() {
    Rally().GamePath = "D:\\Games\\Rally\\rally.exe";
    Rally().HideCursor = True16;
    SetFollowsGameWindow(Rally(), true);
    os.foregroundPath = kChat;
  }
  static constexpr char kChat[] = "C:\\Programs\\Chat\\chat.exe";
  static constexpr char kGame[] = "D:\\games\\rally\\RALLY.EXE";
  std::intptr_t Send(std::uint32_t message) { return os.SendMouse(message, {400, 300, 0, 0, 0, 0}); }
};

TEST_F(FollowGameTest, WithoutThePathOrTheOptionControlNeverWaits) {
  for (const bool withPath : {false, true}) {
    Rally().GamePath = withPath ? "D:\\Games\\Rally\\rally.exe" : "";
    SetFollowsGameWindow(Rally(), !withPath);
    EXPECT_TRUE(GameWindowActive(Rally()));
    window.StartControl();
    EXPECT_EQ(window.CmdShowStart.Caption(), "正在控制 Rally......  按F12停止!");
    window.StopControl();
  }
}

TEST_F(FollowGameTest, StartingWithAnotherWindowActiveWaitsAndPassesEveryEventOn) {
  window.StartControl();
  EXPECT_EQ(window.CmdShowStart.Caption(), "等待 Rally 的窗口激活......  按F12停止!");
  EXPECT_EQ(CallsStartingWith("mouse_event"), Calls{});  // the pointer stays free
  os.nextHookResult = 7;
  EXPECT_EQ(Send(wincode::WmLButtonDown), 7);
  modHookKeyMouse::MoveDeltaX = 50;
  window.TimMove.Tick();
  window.TimButton.Tick();
  EXPECT_EQ(CallsStartingWith("keybd_event"), Calls{});

  os.BringToFront(kGame);
  EXPECT_EQ(window.CmdShowStart.Caption(), "正在控制 Rally......  按F12停止!");
  EXPECT_EQ(CallsStartingWith("mouse_event"), (Calls{"mouse_event(0x8001,65535,32768,0,0)"}));
  EXPECT_EQ(Send(wincode::WmLButtonDown), 1);
  EXPECT_TRUE(os.IsHeld(kA));
}

TEST_F(FollowGameTest, LeavingTheGameReleasesEveryHeldKeyAndTheStopKeyStillWorks) {
  os.foregroundPath = kGame;
  window.StartControl();
  Send(wincode::WmLButtonDown);
  modHookKeyMouse::MoveDeltaX = 50;
  window.TimMove.Tick();  // the right arrow, an extended key, goes down
  os.TakeCalls();
  os.BringToFront(kChat);
  EXPECT_EQ(os.TakeCalls(), (Calls{Up(kRight, kScanRight, true), Up(kA, kScanA)}));
  EXPECT_FALSE(modHookKeyMouse::ButtonRepeat[0]);
  EXPECT_EQ(window.CmdShowStart.Caption(), "等待 Rally 的窗口激活......  按F12停止!");

  // A foreground change the hook missed is caught by the next poll tick.
  os.foregroundPath = kGame;
  window.TimStart.Tick();
  EXPECT_EQ(window.CmdShowStart.Caption(), "正在控制 Rally......  按F12停止!");

  os.foregroundPath = kChat;
  os.PressKey(0x7B);
  window.TimStart.Tick();
  EXPECT_EQ(window.CmdShowStart.Caption(), "Rally 按F9开始控制......");
  EXPECT_EQ(os.foregroundHook, nullptr);
  EXPECT_FALSE(modHookKeyMouse::WaitingForGame);
}

}  // namespace
