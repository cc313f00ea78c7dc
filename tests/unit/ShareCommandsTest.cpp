// The game menu's export and import, and files dropped on the main window.
#include <gtest/gtest.h>

#include "keys/modGetKey.h"
#include "settings/ProfileText.h"
#include "support/MainWindowFixture.h"

namespace {

const std::string kFile = "D:\\共享\\Rally.tvgame";
const std::string kAsked = "GetSaveFileName(导出游戏配置,Tillervane 游戏配置 (*.tvgame)|*.tvgame||,1,Rally.tvgame,0x80e,";

class ShareCommandsTest : public ControlTest {
 protected:
  void Export(const std::string& to) {
    os.chosenFiles = {{to, 1}};
    window.menuExport.UserClick();
  }
  std::vector<std::string> Boxes() {
    std::vector<std::string> boxes;
    for (const auto& call : os.TakeCalls())
      if (call.rfind("MessageBox(", 0) == 0) boxes.push_back(call);
    return boxes;
  }
  void OnDiskAsText(const std::string& path, const std::string& text) { os.disk[path] = Bytes(text.begin(), text.end()); }
};

TEST_F(ShareCommandsTest, AnExportImportsAsTheSameRecordUnderAFreeNameSelectedAndSaved) {
  Rally().ReservedBytes = {0xF1, 2, 3, 4, 5, 6, 7, 8};
  Export(kFile);
  const auto calls = os.TakeCalls();
  EXPECT_EQ(calls.front(), kAsked + "C:\\Games\\Tillervane,tvgame)");
  EXPECT_EQ(calls.back(), "WriteNew(" + kFile + ")");
  EXPECT_EQ(os.disk.at(kFile), profile_text::WriteProfile(Rally(), modGetKey::KeyName));

  window.StartControl();
  os.chosenFiles = {{kFile, 1}};
  window.menuImport.UserClick();
  EXPECT_FALSE(window.TimMove.Enabled());
  os.chosenFiles = {{kFile, 1}};
  window.menuImport.UserClick();
  const AppSettings saved = SavedFile();
  ASSERT_EQ(saved.Games.size(), 5u);
  for (const auto& [index, name] : {std::pair{3, "Rally (2)"}, {4, "Rally (3)"}}) {
    GameProfile expected = Rally();
    expected.GameName = name;
    EXPECT_EQ(saved.Games[index], expected);
  }
  EXPECT_EQ(window.LstGame.ListIndex(), 4);
  EXPECT_EQ(window.LstGame.List(4), "Rally (3)");
  EXPECT_EQ(CurGameIndex, 4);
  EXPECT_EQ(Boxes(), std::vector<std::string>{});

  Export("E:\\x.tvgame");  // the next dialog opens where the last one chose
  EXPECT_EQ(os.TakeCalls().front(), "GetSaveFileName(导出游戏配置,Tillervane 游戏配置 (*.tvgame)|*.tvgame||,1,"
                                     "Rally (3).tvgame,0x80e,D:\\共享\\,tvgame)");
}

TEST_F(ShareCommandsTest, FailuresSayWhyAndChangeNothing) {
  CurGameIndex = -1;
  Export(kFile);
  CurGameIndex = 2;
  os.failures["write"] = {"磁盘已满。", false};
  Export(kFile);
  Rally().Moves[MoveLeft].VirtualKey = 300;
  Export(kFile);
  const Bytes before = os.disk.at(kPath);
  OnDiskAsText("D:\\bad.tvgame", "\xEF\xBB\xBF[Tillervane 游戏配置]\r\n格式版本 = 1\r\n左键 = A (999)\r\n");
  os.disk["D:\\big.tvgame"] = Bytes(profile_text::MaxFileBytes + 10, ' ');
  window.RaiseFilesDropped({"D:\\bad.tvgame", "D:\\big.tvgame", "D:\\none.tvgame"});
  EXPECT_EQ(Boxes(), (std::vector<std::string>{
                         "MessageBox(请选择游戏！,Tillervane,0x0)", "MessageBox(导出失败：磁盘已满。,Tillervane,0x0)",
                         "MessageBox(导出失败：“向左移动”的按键代码 300 超出范围（0 到 255）,Tillervane,0x0)",
                         "MessageBox(导入失败：第 3 行：“左键”的按键代码 999 超出范围（0 到 255）,Tillervane,0x0)",
                         "MessageBox(导入失败：文件大于 1 MiB，不是 Tillervane 游戏配置文件,Tillervane,0x0)",
                         "MessageBox(导入失败：系统找不到指定的文件。,Tillervane,0x0)"}));
  EXPECT_EQ(os.disk.at(kPath), before);
  EXPECT_EQ(window.LstGame.ListCount(), 3);
}

TEST_F(ShareCommandsTest, ADroppedFileIsImportedAndSkippedLinesAreNamed) {
  OnDiskAsText("D:\\a.tvgame", "[Tillervane 游戏配置]\n格式版本 = 1\n游戏名称 = 甲\n以后的选项 = 1\n[以后]\n");
  window.RaiseFilesDropped({"D:\\a.tvgame"});
  EXPECT_EQ(Boxes(), std::vector<std::string>{"MessageBox(已导入 甲 (2)，忽略了 2 行无法识别的内容。,Tillervane,0x0)"});
  EXPECT_EQ(SavedFile().Games.back(), Game("甲 (2)"));
}

TEST(UniqueGameName, AddsTheFirstFreeNumberAndKeepsALongNameWhole) {
  const std::string twenty = "一二三四五六七八九十一二三四五六七八九十";
  EXPECT_EQ(UniqueGameName(twenty, {Game("甲")}), twenty);
  EXPECT_EQ(UniqueGameName(twenty, {Game(twenty), Game(twenty + " (2)"), Game(twenty + " (4)")}), twenty + " (3)");
}

}  // namespace
