// The profile editor: loading, the working copy, the key buttons, the wheel modes and the file picker.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/frmSet.h"
#include "support/MainWindowFixture.h"

namespace {

using Texts = std::vector<std::string>;

// Every field set, the reserved ones included.
GameProfile MappedGame() {
  GameProfile game = Game("Rally");
  game.GamePath = "D:\\Games\\Rally\\rally.exe";
  game.ReservedText1 = game.ReservedText2 = game.ReservedText3 = "r";
  game.ReservedBytes = {0xF1, 2, 3, 4, 5, 6, 7, 8};  // bit 0: control follows the game's window
  game.HideCursor = True16;
  game.Buttons[LeftButton] = {kA, 0, 11, kShift, 0, 12, True16, 13};
  game.Buttons[RightButton] = {kS, 0, 0, 0, 0, 0, False16, 0};
  game.Moves = {MoveMap{kRight, 1, 21, 22, 3}, {kRight, 1, 0, 0, 3}, {kS, 0, 0, 0, 2}, {kA, 0, 0, 0, 2}};
  game.Wheels = {WheelMap{kA, 0, kShift, 0, WheelStartRepeat}, {kS, 0, 0, 0, WheelStopRepeat}};
  return game;
}

class EditorTest : public MainWindowTest {
 protected:
  EditorTest() {
    SettingsPath = kPath;
    os.keyNames = {{0x1E << 16, "A"}, {0x1F << 16, "S"}, {0x2A << 16, "Shift"}, {(0x4D << 16) | (1 << 24), "Right"}};
  }
  ~EditorTest() override { SettingsPath.clear(); }

  // Opens the editor on game 1, between two others.
  void Open(const GameProfile& game) {
    Settings.Games = {Game("甲"), game, Game("乙")};
    CurGameIndex = 1;
    editor.RaiseLoad();
    os.TakeCalls();
  }
  GameProfile& Stored() { return Settings.Games[1]; }
  // The user presses a key while the "请按键" dialog is open.
  void UserPresses(std::uint32_t vk, std::uint32_t scan, std::uint32_t flags) {
    forms.userSteps.push_back([=, this](ui::Form&) { os.SendKeyboard({vk, scan, flags}); });
  }
  // In design order: per mouse button its key and switch key, moves up, left, right, down, per wheel the same.
  std::vector<ui::CommandButton*> KeyButtons() {
    std::vector<ui::CommandButton*> buttons;
    for (auto* control : editor.Controls)
      if (control->Name.rfind("Set", 0) == 0 && control != &editor.SetOk)
        buttons.push_back(dynamic_cast<ui::CommandButton*>(control));
    return buttons;
  }
  Texts RateLabels() {
    Texts captions;
    for (const auto& label : editor.lblRate) captions.push_back(label.Caption());
    return captions;
  }

  frmSet editor;
};

TEST_F(EditorTest, AMappedGameOpensWithItsKeysAndStatesAndOkSavesTheEditsAndClearedKeys) {
  Open(MappedGame());
  Texts captions;
  for (const auto* button : KeyButtons()) captions.push_back(button->Caption());
  EXPECT_EQ(captions, (Texts{"A", "Shift", "S", "", "", "", "S", "Right", "Right", "A", "Undefined Key", "A", "Shift", "S", ""}));
  EXPECT_EQ(RateLabels(), (Texts{"左:3", "右:3", "上:2", "下:2"}));
  EXPECT_EQ((std::vector<int>{editor.ChkRepeat[0].Value(), editor.ChkRepeat[1].Value(), editor.ChkHideCursor.Value(),
                              editor.ChkGameWindow.Value(), editor.OptForward.Selected(), editor.OptBackward.Selected()}),
            (std::vector<int>{1, 0, 1, 1, WheelStartRepeat, WheelStopRepeat}));
  editor.TxtGame[0].UserEdit("Rally 2");
  editor.TxtGame[1].UserEdit("");
  for (auto* box : {&editor.ChkRepeat[0], &editor.ChkRepeat[2], &editor.ChkHideCursor, &editor.ChkGameWindow})
    box->UserToggle();
  UserPresses(kA, 0, 0);  // injected: no scan code, refused with a message, so the key is cleared
  editor.SetButton[LeftButton].UserClick();
  editor.SetReplaceKey[LeftButton].UserClick();  // the capture closed without a key clears it too
  editor.SetOk.UserClick();
  GameProfile expected = MappedGame();
  expected.Buttons[LeftButton].VirtualKey = expected.Buttons[LeftButton].SwitchKey = 0;
  expected.GameName = "Rally 2";
  expected.GamePath = "";
  expected.Buttons[LeftButton].Repeat = False16;
  expected.Buttons[MiddleButton].Repeat = True16;
  expected.ReservedBytes[0] = 0xF0;  // only the option's bit changes
  expected.HideCursor = False16;
  EXPECT_EQ(SavedFile().Games.at(1), expected);
  EXPECT_FALSE(editor.Loaded());
}

// Only the space character is trimmed, and both fields follow whichever box changed.
TEST_F(EditorTest, NamesAndPathsLoseOuterSpacesOnly) {
  GameProfile game = Game("新游戏");
  game.GamePath = "  C:\\rally.exe ";
  for (const auto& [typed, stored] : std::vector<std::pair<std::string, std::string>>{
           {"  Rally  ", "Rally"}, {"\tRally\u3000 ", "\tRally\u3000"}}) {
    Open(game);
    editor.TxtGame[0].UserEdit(typed);
    EXPECT_EQ(editor.Working.GameName, stored);
    EXPECT_EQ(editor.Working.GamePath, "C:\\rally.exe");
  }
}

// Out of the slider's range a stored threshold shows as the nearer end and stays, but 0 becomes 1.
TEST_F(EditorTest, ANewGameOpensUncheckedWithTheSlidersWithinOneToTenAndBareLabelsForUnsetThresholds) {
  GameProfile game = Game("新游戏");
  game.Moves[MoveRight].Threshold = 15;
  Open(game);
  // The hand over every key button but the wheels' switch keys.
  for (const auto* button : KeyButtons()) EXPECT_EQ(button->MouseIcon != 0, button->Name != "SetRepKeyWhl");
  EXPECT_EQ(editor.ChkHideCursor.Value() + editor.ChkRepeat[0].Value() + editor.ChkGameWindow.Value(), 0);
  EXPECT_EQ(RateLabels(), (Texts{"左", "右:10", "上", "下"}));
  EXPECT_EQ(std::make_pair(editor.ScrMouseRate[MoveLeft].Value(), Stored().Moves[MoveLeft].Threshold),
            std::make_pair(1, 1));
  EXPECT_EQ(std::make_pair(editor.ScrMouseRate[MoveRight].Value(), Stored().Moves[MoveRight].Threshold),
            std::make_pair(10, 15));
  editor.ScrMouseRate[MoveUp].UserScroll(7);  // the label follows a drag
  EXPECT_EQ(editor.lblRate[MoveUp].Caption(), "上:7");
}

// Starting a repeat in one direction stops it in the other. Shown: SetWheel(0), its switch-key row, the same of 1.
TEST_F(EditorTest, TheWheelModesCoupleTheTwoDirectionsAndShowTheirRows) {
  const struct {
    std::array<std::int32_t, 2> stored;
    std::array<int, 2> clicked, selected;
    std::array<std::int32_t, 2> working;
    std::array<bool, 4> shown;
  } rows[] = {{{3, 4}, {-1, 1}, {0, 1}, {0, 1}, {true, false, true, false}},
              {{0, 0}, {3, -1}, {3, 4}, {3, 4}, {true, true, false, false}},
              {{0, 0}, {4, -1}, {4, 0}, {4, 0}, {false, false, true, false}},
              {{0, 3}, {-1, -1}, {4, 3}, {0, 3}, {false, false, true, true}},  // the working copy keeps what is stored
              {{7, 0}, {-1, -1}, {-1, 0}, {7, 0}, {true, true, true, false}}};  // no option for a mode never written
  for (const auto& row : rows) {
    GameProfile game = Game("新游戏");
    game.Wheels[WheelForward].Mode = row.stored[0];
    game.Wheels[WheelBackward].Mode = row.stored[1];
    Settings.Games = {game};
    CurGameIndex = 0;
    frmSet opened;
    opened.RaiseLoad();
    ui::OptionGroup* options[] = {&opened.OptForward, &opened.OptBackward};
    for (int w = 0; w < 2; ++w)
      if (row.clicked[w] >= 0) options[w]->UserSelect(row.clicked[w]);
    for (int w = 0; w < 2; ++w) {
      SCOPED_TRACE(testing::Message() << "stored " << row.stored[0] << "/" << row.stored[1] << ", wheel " << w);
      EXPECT_EQ(options[w]->Selected(), row.selected[w]);
      EXPECT_EQ(opened.Working.Wheels[w].Mode, row.working[w]);
      EXPECT_EQ(opened.SetWheel[w].Visible(), row.shown[2 * w]);
      EXPECT_EQ(opened.SetRepKeyWhl[w].Visible(), row.shown[2 * w + 1]);
      EXPECT_EQ(opened.Labc[w].Visible(), row.shown[2 * w + 1]);
    }
  }
}

// Each button gets a key of its own, so a button that writes another's field shows.
TEST_F(EditorTest, EveryKeyButtonStoresTheCapturedKeyInItsOwnField) {
  Open(Game("新游戏"));
  std::uint32_t vk = 'A';
  for (auto* button : KeyButtons()) {
    os.scanCodes[vk] = vk;
    os.keyNames[static_cast<std::int32_t>(vk << 16)] = std::string(1, static_cast<char>(vk));
    UserPresses(vk, vk, 0);
    button->UserClick();
    ++vk;
    EXPECT_TRUE(editor.cmdNoKey.HasFocus());  // the key's release presses no visible button
  }
  GameProfile expected = Game("新游戏");
  expected.Buttons = {ButtonMap{'A', 0, 0, 'B', 0, 0, False16, 0}, {'C', 0, 0, 'D', 0, 0, False16, 0},
                      {'E', 0, 0, 'F', 0, 0, False16, 0}};
  expected.Moves = {MoveMap{'H', 0, 0, 0, 1}, {'I', 0, 0, 0, 1}, {'G', 0, 0, 0, 1}, {'J', 0, 0, 0, 1}};
  StoreRunKey(expected, 'K', false, LowestRunThreshold);  // a new run key takes the threshold shown
  expected.Wheels = {WheelMap{'L', 0, 'M', 0, WheelPressKey}, {'N', 0, 'O', 0, WheelPressKey}};
  EXPECT_EQ(editor.Working, expected);
}

// The movement options change their own bits; the run key's bytes stay as loaded, an unset or
// out-of-range threshold too, until the run key or its slider is changed.
TEST_F(EditorTest, TheMovementOptionsStoreTheirBitsAndKeepTheRunBytesUntilChanged) {
  GameProfile game = Game("Rally");
  game.ReservedBytes = {0x81, 0, 0, 0, 5, 6, 7, 8};
  Open(game);
  EXPECT_EQ(editor.ChkPrecise.Value() + editor.ChkTapBySpeed.Value(), 0);
  EXPECT_EQ(editor.lblRunRate.Caption(), "奔跑阈值:2");
  editor.ChkPrecise.UserToggle();
  editor.ChkTapBySpeed.UserToggle();
  editor.SetOk.UserClick();
  EXPECT_EQ(Stored().ReservedBytes, (std::array<std::uint8_t, 8>{0x87, 0, 0, 0, 5, 6, 7, 8}));

  Stored().ReservedBytes = {0x06, kA, 9, 99, 5, 6, 7, 8};
  editor.RaiseLoad();
  EXPECT_EQ(editor.ChkPrecise.Value() + editor.ChkTapBySpeed.Value(), 2);
  EXPECT_EQ(editor.lblRunRate.Caption(), "奔跑阈值:60");
  editor.ChkPrecise.UserToggle();
  editor.SetOk.UserClick();
  EXPECT_EQ(Stored().ReservedBytes, (std::array<std::uint8_t, 8>{0x04, kA, 9, 99, 5, 6, 7, 8}));

  editor.RaiseLoad();
  editor.ScrRunRate.UserScroll(30);
  EXPECT_EQ(editor.lblRunRate.Caption(), "奔跑阈值:30");
  EXPECT_EQ(editor.Working.ReservedBytes, (std::array<std::uint8_t, 8>{0x04, kA, 1, 30, 5, 6, 7, 8}));
  UserPresses(kShift, 0x2A, 0);
  editor.SetRunKey.UserClick();
  EXPECT_EQ(editor.SetRunKey.Caption(), "Shift");
  EXPECT_EQ(editor.Working.ReservedBytes, (std::array<std::uint8_t, 8>{0x04, kShift, 0, 30, 5, 6, 7, 8}));
}

TEST_F(EditorTest, TheFilePickerFillsThePathBoxAndRemembersTheConfirmedEntryWithinAnOpening) {
  Open(MappedGame());
  editor.GetFile.UserClick();  // cancelled
  os.chosenFiles = {{"C:\\Games\\Rally\\rally.exe", 3}, {"C:\\Docs\\说明.txt", 1}};
  editor.GetFile.UserClick();
  EXPECT_EQ(editor.Working.GamePath, "C:\\Games\\Rally\\rally.exe");
  editor.GetFile.UserClick();
  editor.GetFile.UserClick();  // cancelled: keeps the last confirmed entry
  const std::string asked = "GetOpenFileName(定位游戏文件,*.exe|*.exe|*.bat|*.bat|所有文件（*.*）|*.*||,";
  EXPECT_EQ(os.TakeCalls(), (Calls{asked + "1,,0x0)", asked + "1,,0x0)", asked + "3,,0x0)", asked + "1,,0x0)"}));
}

// Each control has a size, lies inside its container (a control of the form) and overlaps no sibling.
TEST_F(EditorTest, TheLayoutNestsEveryControlAndOverlapsNone) {
  const auto& controls = editor.Controls;
  const auto name = [](const ui::Control* c) { return c->Name + "(" + std::to_string(c->Index) + ")"; };
  for (const ui::Control* c : controls) {
    EXPECT_TRUE(c->Width > 0 && c->Height > 0) << name(c) << " has no size";
    const bool onForm = c->Container == nullptr;
    EXPECT_TRUE(onForm || std::find(controls.begin(), controls.end(), c->Container) != controls.end())
        << name(c) << " lies in no control of the form";
    if (c == &editor.cmdNoKey) continue;
    const std::int32_t width = onForm ? editor.ClientWidthTwips : c->Container->Width,
                       height = onForm ? editor.ClientHeightTwips : c->Container->Height;
    EXPECT_TRUE(c->Left >= 0 && c->Top >= 0 && c->Left + c->Width <= width && c->Top + c->Height <= height)
        << name(c) << " sticks out";
    for (const ui::Control* o : controls)
      EXPECT_TRUE(o == c || o->Container != c->Container || o == &editor.cmdNoKey || c->Left + c->Width <= o->Left ||
                  o->Left + o->Width <= c->Left || c->Top + c->Height <= o->Top || o->Top + o->Height <= c->Top)
          << name(c) << " overlaps " << name(o);
  }
  EXPECT_EQ(editor.OptForward.RowHeight * 5, editor.OptForward.Height);
}

}  // namespace
