// The game menu's add, edit and delete commands, with the editor in between.
#include <gtest/gtest.h>

#include "editor/frmSet.h"
#include "support/MainWindowFixture.h"

namespace {

constexpr char kEditor[] = "设置窗口";

class GameCommandsTest : public MainWindowTest {
 protected:
  // Opens the main window on these games, nothing selected.
  void Start(const std::vector<std::string>& names) {
    AppSettings stored;
    stored.Version = kTag;
    for (const auto& name : names) {
      GameProfile game;
      game.GameName = name;
      game.Buttons[LeftButton].VirtualKey = kA;
      game.Wheels[WheelForward].VirtualKey = kW;
      stored.Games.push_back(game);
    }
    os.disk[kPath] = settings_codec::EncodeSettings(stored, os.text);
    window = std::make_unique<frmMain>();
    window->Show();
    forms.shown.clear();
    os.TakeCalls();
  }
  std::vector<std::string> Entries() {
    std::vector<std::string> entries;
    for (int i = 0; i < window->LstGame.ListCount(); ++i) entries.push_back(window->LstGame.List(i));
    return entries;
  }
  // A user step in the editor.
  void InEditor(std::function<void(frmSet&)> step) {
    forms.userSteps.push_back([step](ui::Form& form) { step(dynamic_cast<frmSet&>(form)); });
  }

  std::unique_ptr<frmMain> window;
};

TEST_F(GameCommandsTest, AnAddedGameIsSelectedAndEditedAndReachesTheFileWithTheNextSave) {
  Start({});
  InEditor([](frmSet& editor) { EXPECT_EQ(editor.TxtGame[0].Text(), "新游戏"); });  // then the close box
  window->menuAdd.UserClick();
  EXPECT_EQ(Entries(), (std::vector<std::string>{"新游戏"}));
  EXPECT_EQ(window->LstGame.ListIndex(), 0);
  EXPECT_EQ(CurGameIndex, 0);
  EXPECT_EQ(window->CmdShowStart.Caption(), "新游戏 按F9开始控制......");
  EXPECT_TRUE(CallsStartingWith("WriteFromStart").empty());

  InEditor([](frmSet& editor) {
    editor.TxtGame[0].UserEdit("Rally");
    editor.SetOk.UserClick();
  });
  window->menuAdd.UserClick();
  EXPECT_EQ(Entries(), (std::vector<std::string>{"新游戏", "Rally"}));
  EXPECT_EQ(forms.shown, (std::vector<std::string>{kEditor, kEditor}));
  const AppSettings saved = SavedFile();
  ASSERT_EQ(saved.Games.size(), 2u);
  EXPECT_EQ(saved.Games[0].GameName, "新游戏");
  EXPECT_EQ(saved.Games[1].GameName, "Rally");
  EXPECT_EQ(window->CmdShowStart.Caption(), "Rally 按F9开始控制......");
}

TEST_F(GameCommandsTest, EditingShowsTheStoredNameAfterwardsWhateverTheEditorDid) {
  Start({"甲", "乙"});
  window->LstGame.UserSelect(1);
  InEditor([](frmSet& editor) { editor.TxtGame[0].UserEdit("丙"); });  // then the close box
  window->menuSet.UserClick();
  EXPECT_EQ(Entries(), (std::vector<std::string>{"甲", "乙"}));
  InEditor([](frmSet& editor) {
    editor.TxtGame[0].UserEdit("  丙 ");
    editor.SetOk.UserClick();
  });
  window->menuSet.UserClick();
  EXPECT_EQ(Entries(), (std::vector<std::string>{"甲", "丙"}));
  EXPECT_EQ(window->CmdShowStart.Caption(), "丙 按F9开始控制......");
  EXPECT_EQ(forms.shown, (std::vector<std::string>{kEditor, kEditor}));
}

struct EditCase {
  std::vector<std::string> games;
  int selected;
  std::deque<int> answers;
  std::vector<std::string> boxes;
  std::vector<std::string> shown;
  std::vector<std::string> entries;
};

void PrintTo(const EditCase& row, std::ostream* out) {
  *out << row.games.size() << " games, selected " << row.selected << ", " << row.answers.size() << " answers";
}

class Edit : public GameCommandsTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(Edit, AsksForAGameWhenThereIsNoneToEdit) {
  Start(GetParam().games);
  window->LstGame.SetListIndex(GetParam().selected);
  os.answers = GetParam().answers;
  window->menuSet.UserClick();
  EXPECT_EQ(CallsStartingWith("MessageBox"), GetParam().boxes);
  EXPECT_EQ(forms.shown, GetParam().shown);
  EXPECT_EQ(Entries(), GetParam().entries);
}

const std::string kAddQuestion = "MessageBox(还没有游戏，添加新游戏？|Tillervane|0x41)";

INSTANTIATE_TEST_SUITE_P(
    Rows, Edit,
    ::testing::Values(EditCase{{}, -1, {platform::answer::Cancel}, {kAddQuestion}, {}, {}},
                      EditCase{{}, -1, {FakePlatform::PressEnter}, {kAddQuestion}, {kEditor}, {"新游戏"}},
                      EditCase{{"甲"}, -1, {}, {"MessageBox(请选择要修改设置的游戏!|Tillervane|0x0)"}, {},
                               {"甲"}},
                      EditCase{{"甲"}, 0, {}, {}, {kEditor}, {"甲"}}));

TEST_F(GameCommandsTest, AddingWhileControlIsOnReleasesTheControlledGamesKeys) {
  Start({"甲"});
  window->LstGame.UserSelect(0);
  window->StartControl();
  os.TakeCalls();
  window->menuAdd.UserClick();
  EXPECT_EQ(CallsStartingWith("keybd_event"), (Calls{Up(kA, kScanA), Up(kW, kScanW)}));
  EXPECT_EQ(modHookKeyMouse::MouseHookHandle, 0u);
  EXPECT_EQ(CurGameIndex, 1);
}

TEST_F(GameCommandsTest, DeletingNeedsAListAndASelectionAndEnterKeepsTheGame) {
  Start({});
  window->menuDelete.UserClick();
  EXPECT_TRUE(os.TakeCalls().empty());

  Start({"甲", "乙", "Rally"});
  window->menuDelete.UserClick();
  EXPECT_EQ(CallsStartingWith("MessageBox"), (Calls{"MessageBox(先选择游戏!|Tillervane|0x40)"}));

  window->LstGame.UserSelect(1);
  os.answers = {FakePlatform::PressEnter};
  window->menuDelete.UserClick();
  EXPECT_EQ(os.TakeCalls(), (Calls{"MessageBox(确定要删除乙吗？|Tillervane|0x141)"}));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"甲", "乙", "Rally"}));
  EXPECT_EQ(CurGameIndex, 1);
}

TEST_F(GameCommandsTest, DeletingTheMiddleGameKeepsTheOrderAndLeavesNoCurrentGame) {
  Start({"甲", "乙", "Rally"});
  window->LstGame.UserSelect(1);
  window->menuDelete.UserClick();
  EXPECT_EQ(Entries(), (std::vector<std::string>{"甲", "Rally"}));
  EXPECT_EQ(window->LstGame.ListIndex(), -1);
  EXPECT_EQ(CurGameIndex, -1);
  EXPECT_EQ(window->CmdShowStart.Caption(), "请选择游戏");
  const AppSettings saved = SavedFile();
  ASSERT_EQ(saved.Games.size(), 2u);
  EXPECT_EQ(saved.Games[1].GameName, "Rally");
  os.TakeCalls();
  window->menuRunGame.UserClick();
  EXPECT_EQ(os.TakeCalls(), (Calls{"MessageBox(请选择游戏！|Tillervane|0x0)"}));
}

TEST_F(GameCommandsTest, DeletingTheControlledGameStopsControlBeforeTheGameGoes) {
  Start({"甲", "乙"});
  window->LstGame.UserSelect(1);
  window->StartControl();
  os.TakeCalls();
  window->menuDelete.UserClick();
  const auto calls = os.TakeCalls();
  const auto at = [&](const std::string& call) { return std::find(calls.begin(), calls.end(), call) - calls.begin(); };
  EXPECT_LT(at(Up(kA, kScanA)), at("Delete(" + std::string(kPath) + ")"));
  EXPECT_LT(at(Up(kW, kScanW)), at("Delete(" + std::string(kPath) + ")"));
  EXPECT_EQ(modHookKeyMouse::MouseHookHandle, 0u);
  EXPECT_FALSE(window->TimMove.Enabled() || window->TimButton.Enabled());
  EXPECT_EQ(Entries(), (std::vector<std::string>{"甲"}));
  EXPECT_EQ(CurGameIndex, -1);
}

}  // namespace
