// The game menu's add, edit and delete commands, with the editor in between.
#include <gtest/gtest.h>

#include "editor/frmSet.h"
#include "support/MainWindowFixture.h"

namespace {

constexpr char kEditor[] = "设置窗口";
using Names = std::vector<std::string>;

class GameCommandsTest : public MainWindowTest {
 protected:
  // Opens the main window on these games, nothing selected.
  void Start(const Names& names) {
    AppSettings stored;
    for (const auto& name : names) stored.Games.push_back(Game(name));
    OnDisk(stored);
    window = std::make_unique<frmMain>();
    window->Show();
    forms.shown.clear();
    os.TakeCalls();
  }
  Names SavedNames() {
    Names names;
    for (const auto& game : SavedFile().Games) names.push_back(game.GameName);
    return names;
  }
  std::unique_ptr<frmMain> window;
};

// A new game reaches the file with the editor's OK; closed otherwise, it waits for the next save.
TEST_F(GameCommandsTest, AnAddedGameIsSelectedAndEditedAndReachesTheFileWithTheNextSave) {
  Start({});
  forms.userSteps.push_back([](ui::Form& editor) {
    EXPECT_EQ(dynamic_cast<frmSet&>(editor).TxtGame[0].Text(), "新游戏");
  });  // then the close box
  window->menuAdd.UserClick();
  EXPECT_EQ(window->CmdShowStart.Caption(), "新游戏 按F9开始控制......");
  forms.userSteps.push_back([](ui::Form& editor) {
    dynamic_cast<frmSet&>(editor).TxtGame[0].UserEdit("Rally");
    dynamic_cast<frmSet&>(editor).SetOk.UserClick();
  });
  window->menuAdd.UserClick();
  EXPECT_EQ(forms.shown, (Names{kEditor, kEditor}));
  EXPECT_EQ(SavedNames(), (Names{"新游戏", "Rally"}));
  EXPECT_EQ(window->CmdShowStart.Caption(), "Rally 按F9开始控制......");
}

TEST_F(GameCommandsTest, EditingWithoutAGameOffersToAddOneAndWithoutASelectionAsksForOne) {
  Start({});
  window->menuSet.UserClick();  // answered with OK
  EXPECT_EQ(CallsStartingWith("MessageBox"), Calls{"MessageBox(还没有游戏，添加新游戏？,Tillervane,0x41)"});
  EXPECT_EQ(forms.shown, Names{kEditor});
  Start({"甲"});
  window->menuSet.UserClick();
  EXPECT_EQ(CallsStartingWith("MessageBox"), Calls{"MessageBox(请选择要修改设置的游戏!,Tillervane,0x0)"});
  EXPECT_EQ(forms.shown, Names{});
}

// Cancel is the default button (0x100), so Enter keeps the game.
TEST_F(GameCommandsTest, DeletingNeedsASelectionAndAConfirmationAndLeavesNoCurrentGame) {
  Start({});
  window->menuDelete.UserClick();
  EXPECT_EQ(os.TakeCalls(), Calls{});
  Start({"甲", "乙", "Rally"});
  window->menuDelete.UserClick();
  EXPECT_EQ(CallsStartingWith("MessageBox"), Calls{"MessageBox(先选择游戏!,Tillervane,0x40)"});
  window->LstGame.UserSelect(1);
  os.answers = {platform::answer::Cancel};
  window->menuDelete.UserClick();
  EXPECT_EQ(os.TakeCalls(), Calls{"MessageBox(确定要删除乙吗？,Tillervane,0x141)"});
  window->menuDelete.UserClick();
  EXPECT_EQ(window->CmdShowStart.Caption(), "请选择游戏");
  EXPECT_EQ(SavedNames(), (Names{"甲", "Rally"}));
}

}  // namespace
