// The profile editor on the control model: loading, the working copy, the key
// buttons, the wheel modes, the sliders and the file picker.
#include <gtest/gtest.h>

#include "editor/frmSet.h"
#include "settings/SettingsCodec.h"
#include "support/EngineFixture.h"
#include "support/FakeFormHost.h"

namespace {

constexpr char kTag[] = "Tillervane（Tillervane v2.01）";
constexpr char kPath[] = "C:\\Games\\Tillervane\\setinf.set";
constexpr char kFilter[] = "*.exe|*.exe|*.bat|*.bat|所有文件（*.*）|*.*||";
constexpr std::int32_t kA = 0x41, kS = 0x53, kRight = 0x27, kShift = 0x10;

GameProfile NewGame() {
  GameProfile game;
  game.GameName = "新游戏";
  return game;
}

// Every field set, the reserved ones included, none of them zero.
GameProfile MappedGame() {
  GameProfile game;
  game.GameName = "Rally";
  game.GamePath = "D:\\Games\\Rally\\rally.exe";
  game.ReservedText1 = "r1";
  game.ReservedText2 = "r2";
  game.ReservedText3 = "r3";
  game.ReservedBytes = {0xF1, 2, 3, 4, 5, 6, 7, 8};  // bit 0: control follows the game's window
  game.HideCursor = True16;
  game.Buttons[LeftButton] = {kA, 0, 11, kShift, 0, 12, True16, 13};
  game.Buttons[RightButton] = {kS, 0, 0, 0, 0, 0, False16, 0};
  game.Moves[MoveLeft] = {kRight, 1, 21, 22, 3};
  game.Moves[MoveRight] = {kRight, 1, 0, 0, 3};
  game.Moves[MoveUp] = {kS, 0, 0, 0, 2};
  game.Moves[MoveDown] = {kA, 0, 0, 0, 2};
  game.Wheels[WheelForward] = {kA, 0, kShift, 0, WheelStartRepeat};
  game.Wheels[WheelBackward] = {kS, 0, 0, 0, WheelStopRepeat};
  return game;
}

class EditorTest : public EngineFixture {
 protected:
  EditorTest() {
    VersionTag = kTag;
    SettingsPath = kPath;
    os.keyNames = {{0x1E << 16, "A"}, {0x1F << 16, "S"}, {0x2A << 16, "Shift"}, {(0x4D << 16) | (1 << 24), "Right"}};
  }
  ~EditorTest() override {
    VersionTag.clear();
    SettingsPath.clear();
  }

  // Opens the editor on game 1, between two others.
  void Open(const GameProfile& game) {
    GameProfile before, after;
    before.GameName = "甲";
    after.GameName = "乙";
    Settings.Games = {before, game, after};
    CurGameIndex = 1;
    editor.RaiseLoad();
    os.TakeCalls();
  }
  GameProfile& Stored() { return Settings.Games[1]; }
  // The user presses a key while the "请按键" dialog is open.
  void UserPresses(std::uint32_t vk, std::uint32_t scan, std::uint32_t flags) {
    forms.userSteps.push_back([this, vk, scan, flags](ui::Form&) { os.SendKeyboard({vk, scan, flags, 0, 0}); });
  }
  bool Saved() {
    for (const auto& call : os.TakeCalls())
      if (call.rfind("WriteFromStart", 0) == 0) return true;
    return false;
  }
  AppSettings SavedFile() { return settings_codec::DecodeSettings(os.disk.at(kPath), os.text); }
  std::vector<std::string> LabelCaptions() {
    std::vector<std::string> captions;
    for (const auto& label : editor.lblRate) captions.push_back(label.Caption());
    return captions;
  }
  // In family order: SetButton, SetReplaceKey, SetMove, SetWheel, SetRepKeyWhl.
  std::vector<ui::CommandButton*> KeyButtons() {
    std::vector<ui::CommandButton*> buttons;
    for (auto* family : {&editor.SetButton, &editor.SetReplaceKey})
      for (auto& button : *family) buttons.push_back(&button);
    for (auto& button : editor.SetMove) buttons.push_back(&button);
    for (auto* family : {&editor.SetWheel, &editor.SetRepKeyWhl})
      for (auto& button : *family) buttons.push_back(&button);
    return buttons;
  }

  FakeFormHost forms;
  frmSet editor;
};

TEST_F(EditorTest, ANewGameOpensBlankWithOptionZeroAndBareLabelsAndItsThresholdsRepairedToOne) {
  Open(NewGame());
  EXPECT_EQ(editor.TxtGame[0].Text(), "新游戏");
  EXPECT_EQ(editor.TxtGame[1].Text(), "");
  for (const auto* button : KeyButtons()) {
    EXPECT_EQ(button->Caption(), "") << button->Name << button->Index;
    // The hand over every key button but the wheels' switch keys.
    EXPECT_EQ(button->MouseIcon != 0, button->Name != "SetRepKeyWhl") << button->Name << button->Index;
  }
  for (const auto& box : editor.ChkRepeat) EXPECT_EQ(box.Value(), 0);
  EXPECT_EQ(editor.ChkHideCursor.Value(), 0);
  EXPECT_EQ(editor.OptForward.Selected(), 0);
  EXPECT_EQ(editor.OptBackward.Selected(), 0);
  for (const auto& slider : editor.ScrMouseRate) EXPECT_EQ(slider.Value(), 1);
  EXPECT_EQ(LabelCaptions(), (std::vector<std::string>{"左", "右", "上", "下"}));
  for (int w = 0; w < 2; ++w) {
    EXPECT_TRUE(editor.SetWheel[w].Visible());
    EXPECT_FALSE(editor.Labc[w].Visible() || editor.SetRepKeyWhl[w].Visible());
  }
  EXPECT_EQ(editor.Working, Stored());
  editor.RaiseCloseBox();
  // The repair stays in memory without OK, and nothing is written.
  for (const auto& move : Stored().Moves) EXPECT_EQ(move.Threshold, 1);
  EXPECT_FALSE(Saved());
  EXPECT_FALSE(editor.Loaded());
}

TEST_F(EditorTest, AMappedGameOpensWithItsKeysAndStatesAndOkSavesItWhole) {
  Open(MappedGame());
  std::vector<std::string> captions;
  for (const auto* button : KeyButtons()) captions.push_back(button->Caption());
  EXPECT_EQ(captions, (std::vector<std::string>{"A", "S", "", "Shift", "", "", "Right", "Right", "S", "A", "A", "S",
                                                "Shift", ""}));
  EXPECT_EQ(editor.ChkRepeat[0].Value(), 1);
  EXPECT_EQ(editor.ChkRepeat[1].Value(), 0);
  EXPECT_EQ(editor.ChkHideCursor.Value(), 1);
  EXPECT_EQ(editor.ChkGameWindow.Value(), 1);
  EXPECT_EQ(LabelCaptions(), (std::vector<std::string>{"左:3", "右:3", "上:2", "下:2"}));
  EXPECT_EQ(editor.OptForward.Selected(), WheelStartRepeat);
  EXPECT_EQ(editor.OptBackward.Selected(), WheelStopRepeat);
  EXPECT_EQ(editor.Working, MappedGame());
  editor.SetOk.UserClick();  // no change: still a save, of the whole record
  EXPECT_TRUE(Saved());
  EXPECT_FALSE(editor.Loaded());
  EXPECT_EQ(SavedFile().Games.at(1), MappedGame());
}

TEST_F(EditorTest, EditsReachTheStoredProfileOnlyWithOk) {
  Open(MappedGame());
  editor.TxtGame[0].UserEdit("Rally 2");
  editor.TxtGame[1].UserEdit("");
  editor.ChkRepeat[0].UserToggle();
  editor.ChkHideCursor.UserToggle();
  editor.ChkGameWindow.UserToggle();
  editor.ChkRepeat[2].UserToggle();
  EXPECT_EQ(Stored(), MappedGame());
  editor.SetOk.UserClick();
  GameProfile expected = MappedGame();
  expected.GameName = "Rally 2";
  expected.GamePath = "";
  expected.Buttons[LeftButton].Repeat = False16;
  expected.Buttons[MiddleButton].Repeat = True16;
  expected.ReservedBytes[0] = 0xF0;  // only the option's bit changes
  expected.HideCursor = False16;
  EXPECT_EQ(Stored(), expected);
  EXPECT_EQ(SavedFile().Games.at(1), expected);
}

struct NameCase {
  std::string typed;
  std::string stored;
};

void PrintTo(const NameCase& row, std::ostream* out) { *out << "typed '" << row.typed << "'"; }

class Names : public EditorTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(Names, LoseOuterSpacesOnlyAndBothFieldsFollowEitherBox) {
  GameProfile game = NewGame();
  game.GamePath = "  C:\\rally.exe ";
  Open(game);
  EXPECT_EQ(editor.Working.GamePath, "  C:\\rally.exe ");  // untouched by loading
  editor.TxtGame[0].UserEdit(GetParam().typed);
  EXPECT_EQ(editor.Working.GameName, GetParam().stored);
  EXPECT_EQ(editor.Working.GamePath, "C:\\rally.exe");
}

INSTANTIATE_TEST_SUITE_P(Rows, Names,
                         ::testing::Values(NameCase{"  Rally  ", "Rally"}, NameCase{"\tRally ", "\tRally"},
                                           NameCase{"Rally\u3000", "Rally\u3000"}, NameCase{"   ", ""},
                                           NameCase{"赛 车", "赛 车"}));

struct ThresholdCase {
  std::int32_t stored;
  int slider;
  std::string label;
  std::int32_t storedAfterLoad;
};

void PrintTo(const ThresholdCase& row, std::ostream* out) { *out << "stored " << row.stored; }

class StoredThresholds : public EditorTest, public ::testing::WithParamInterface<ThresholdCase> {};

TEST_P(StoredThresholds, OpenWithTheSliderWithinOneToTen) {
  GameProfile game = NewGame();
  game.Moves[MoveLeft].Threshold = GetParam().stored;
  Open(game);
  EXPECT_EQ(editor.ScrMouseRate[MoveLeft].Value(), GetParam().slider);
  EXPECT_EQ(editor.lblRate[MoveLeft].Caption(), GetParam().label);
  EXPECT_EQ(Stored().Moves[MoveLeft].Threshold, GetParam().storedAfterLoad);
  EXPECT_EQ(editor.Working.Moves[MoveLeft].Threshold, GetParam().storedAfterLoad);
}

INSTANTIATE_TEST_SUITE_P(Rows, StoredThresholds,
                         ::testing::Values(ThresholdCase{0, 1, "左", 1}, ThresholdCase{1, 1, "左", 1},
                                           ThresholdCase{5, 5, "左:5", 5}, ThresholdCase{10, 10, "左:10", 10},
                                           ThresholdCase{15, 10, "左:10", 15}, ThresholdCase{-3, 1, "左", -3}));

TEST_F(EditorTest, ADragIsFollowedByTheLabelAndTheWorkingCopyButTheStoredValueWaitsForOk) {
  Open(MappedGame());
  ui::HScrollBar& up = editor.ScrMouseRate[MoveUp];
  for (int value = 3; value <= 7; ++value) {
    up.UserScroll(value);
    EXPECT_EQ(editor.lblRate[MoveUp].Caption(), "上:" + std::to_string(value));
    EXPECT_EQ(editor.Working.Moves[MoveUp].Threshold, value);
  }
  up.UserChange(7);
  EXPECT_EQ(editor.lblRate[MoveUp].Caption(), "上:7");
  editor.ScrMouseRate[MoveDown].UserChange(1);  // from 2 back to 1: the full label
  EXPECT_EQ(editor.lblRate[MoveDown].Caption(), "下:1");
  editor.RaiseCloseBox();
  EXPECT_EQ(Stored().Moves[MoveUp].Threshold, 2);
}

// A wheel situation: the stored modes, the option the user selects (none for
// -1), and what follows: the selected options, the working modes and which of
// SetWheel(0), its switch-key row, SetWheel(1) and its row are shown.
struct WheelCase {
  std::int32_t storedForward, storedBackward;
  int forwardClick, backwardClick;
  int forwardSelected, backwardSelected;
  std::int32_t workingForward, workingBackward;
  std::array<bool, 4> shown;
};

void PrintTo(const WheelCase& row, std::ostream* out) {
  *out << "stored " << row.storedForward << "/" << row.storedBackward << ", click " << row.forwardClick << "/"
       << row.backwardClick;
}

class WheelModes : public EditorTest, public ::testing::WithParamInterface<WheelCase> {};

TEST_P(WheelModes, CoupleTheTwoDirectionsAndShowTheirRows) {
  const WheelCase& row = GetParam();
  GameProfile game = NewGame();
  game.Wheels[WheelForward].Mode = row.storedForward;
  game.Wheels[WheelBackward].Mode = row.storedBackward;
  Open(game);
  if (row.forwardClick >= 0) editor.OptForward.UserSelect(row.forwardClick);
  if (row.backwardClick >= 0) editor.OptBackward.UserSelect(row.backwardClick);
  EXPECT_EQ(editor.OptForward.Selected(), row.forwardSelected);
  EXPECT_EQ(editor.OptBackward.Selected(), row.backwardSelected);
  EXPECT_EQ(editor.Working.Wheels[WheelForward].Mode, row.workingForward);
  EXPECT_EQ(editor.Working.Wheels[WheelBackward].Mode, row.workingBackward);
  for (int w = 0; w < 2; ++w) {
    EXPECT_EQ(editor.SetWheel[w].Visible(), row.shown[2 * w]) << "wheel " << w;
    EXPECT_EQ(editor.SetRepKeyWhl[w].Visible(), row.shown[2 * w + 1]) << "wheel " << w;
    EXPECT_EQ(editor.Labc[w].Visible(), row.shown[2 * w + 1]) << "wheel " << w;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WheelModes,
    ::testing::Values(WheelCase{3, 4, -1, 1, 0, 1, 0, 1, {true, false, true, false}},
                      WheelCase{0, 0, 3, -1, 3, 4, 3, 4, {true, true, false, false}},
                      WheelCase{4, 3, 2, -1, 2, 0, 2, 0, {true, false, true, false}},
                      WheelCase{0, 0, 4, -1, 4, 0, 4, 0, {false, false, true, false}},
                      WheelCase{3, 4, 4, -1, 4, 4, 4, 4, {false, false, false, false}},
                      WheelCase{0, 0, -1, 3, 4, 3, 4, 3, {false, false, true, true}},
                      // Stored against the coupling: loading the backward 3 moves the
                      // forward option to 4, the working copy keeps the stored 0.
                      WheelCase{0, 3, -1, -1, 4, 3, 0, 3, {false, false, true, true}},
                      // No option for a mode this editor never writes.
                      WheelCase{7, 0, -1, -1, -1, 0, 7, 0, {true, true, true, false}}));

// Each button gets a key of its own, so a button that writes another's field shows.
TEST_F(EditorTest, EveryKeyButtonStoresTheCapturedKeyInItsOwnField) {
  Open(NewGame());
  std::uint32_t vk = 0x41;  // A, B, C, ...
  for (auto* button : KeyButtons()) {
    os.scanCodes[vk] = vk;
    os.keyNames[static_cast<std::int32_t>(vk << 16)] = std::string(1, static_cast<char>(vk));
    UserPresses(vk, vk, 0);
    button->UserClick();
    EXPECT_EQ(button->Caption(), std::string(1, static_cast<char>(vk))) << button->Name << button->Index;
    EXPECT_TRUE(editor.cmdNoKey.HasFocus());
    ++vk;
  }
  GameProfile expected = NewGame();
  for (auto& move : expected.Moves) move.Threshold = 1;
  expected.Buttons = {ButtonMap{'A', 0, 0, 'D', 0, 0, False16, 0}, {'B', 0, 0, 'E', 0, 0, False16, 0},
                      {'C', 0, 0, 'F', 0, 0, False16, 0}};
  expected.Moves = {MoveMap{'G', 0, 0, 0, 1}, {'H', 0, 0, 0, 1}, {'I', 0, 0, 0, 1}, {'J', 0, 0, 0, 1}};
  expected.Wheels = {WheelMap{'K', 0, 'M', 0, WheelPressKey}, {'L', 0, 'N', 0, WheelPressKey}};
  EXPECT_EQ(editor.Working, expected);
}

TEST_F(EditorTest, ARefusedOrMissingKeyClearsTheButtonUntilOk) {
  Open(MappedGame());
  UserPresses(kRight, 0x4D, 1);
  editor.SetMove[MoveUp].UserClick();
  EXPECT_EQ(editor.Working.Moves[MoveUp].VirtualKey, kRight);
  EXPECT_EQ(editor.Working.Moves[MoveUp].Extended, 1);
  UserPresses(kA, 0, 0);  // injected: no scan code, refused with a message
  editor.SetButton[LeftButton].UserClick();
  editor.SetReplaceKey[LeftButton].UserClick();  // the capture closed without a key
  EXPECT_EQ(editor.SetButton[LeftButton].Caption(), "");
  EXPECT_EQ(editor.SetReplaceKey[LeftButton].Caption(), "");
  const ButtonMap& left = editor.Working.Buttons[LeftButton];
  EXPECT_EQ(std::vector<std::int32_t>({left.VirtualKey, left.Extended, left.SwitchKey, left.SwitchExtended}),
            std::vector<std::int32_t>(4, 0));
  EXPECT_EQ(Stored(), MappedGame());
}

TEST_F(EditorTest, KeysOfHiddenButtonsAreStoredAtOk) {
  Open(NewGame());
  editor.OptForward.UserSelect(WheelStartRepeat);
  UserPresses(kA, 0x1E, 0);
  editor.SetRepKeyWhl[0].UserClick();
  UserPresses(kS, 0x1F, 0);
  editor.SetWheel[0].UserClick();
  editor.OptForward.UserSelect(WheelStopRepeat);  // hides both
  editor.SetOk.UserClick();
  EXPECT_EQ(Stored().Wheels[WheelForward], (WheelMap{kS, 0, kA, 0, WheelStopRepeat}));
}

TEST_F(EditorTest, APathLongerThanTheFileHoldsIsCutAndTheGamesAfterItSurvive) {
  Open(NewGame());
  editor.TxtGame[1].UserEdit(std::string(70000, 'x'));
  editor.SetOk.UserClick();
  const AppSettings saved = SavedFile();
  ASSERT_EQ(saved.Games.size(), 3u);
  EXPECT_EQ(saved.Games[1].GamePath, std::string(settings_codec::MaxTextBytes, 'x'));
  EXPECT_EQ(saved.Games[2].GameName, "乙");
}

TEST_F(EditorTest, TheFilePickerFillsThePathBoxAndRemembersTheConfirmedEntryWithinAnOpening) {
  Open(MappedGame());
  editor.TxtGame[1].UserEdit("typed.exe");
  editor.GetFile.UserClick();  // cancelled
  EXPECT_EQ(editor.TxtGame[1].Text(), "typed.exe");
  os.chosenFiles = {{"C:\\Games\\Rally\\rally.exe", 3}, {"C:\\Docs\\说明.txt", 1}};
  editor.GetFile.UserClick();
  EXPECT_EQ(editor.TxtGame[1].Text(), "C:\\Games\\Rally\\rally.exe");
  EXPECT_EQ(editor.Working.GamePath, "C:\\Games\\Rally\\rally.exe");
  editor.GetFile.UserClick();
  EXPECT_EQ(editor.TxtGame[1].Text(), "C:\\Docs\\说明.txt");
  editor.GetFile.UserClick();  // cancelled: keeps the last confirmed entry
  const std::string asked = std::string("GetOpenFileName(定位游戏文件|") + kFilter + "|";
  EXPECT_EQ(os.TakeCalls(), (Calls{asked + "1||0x0)", asked + "1||0x0)", asked + "3||0x0)", asked + "1||0x0)"}));
  editor.SetOk.UserClick();
  EXPECT_EQ(Stored().GamePath, "C:\\Docs\\说明.txt");
  frmSet again;  // a new opening starts from entry 1
  again.RaiseLoad();
  os.TakeCalls();
  again.GetFile.UserClick();
  EXPECT_EQ(os.TakeCalls(), (Calls{asked + "1||0x0)"}));
}

// Each control lies inside its container and the client area (but for the
// focus holder, which lies wholly above it), and no two controls of one
// container overlap.
TEST_F(EditorTest, TheLayoutNestsEveryControlAndOverlapsNone) {
  struct Box {
    std::int32_t left, top, right, bottom;
  };
  const auto box = [](const ui::Control& c) { return Box{c.Left, c.Top, c.Left + c.Width, c.Top + c.Height}; };
  const auto name = [](const ui::Control* c) { return c->Name + "(" + std::to_string(c->Index) + ")"; };
  for (const ui::Control* control : editor.Controls) {
    const Box b = box(*control);
    const Box outer = control->Container != nullptr
                          ? Box{0, 0, control->Container->Width, control->Container->Height}
                          : Box{0, 0, editor.ClientWidthTwips, editor.ClientHeightTwips};
    if (control == &editor.cmdNoKey) {
      EXPECT_LE(b.bottom, 0);
      continue;
    }
    EXPECT_TRUE(b.left >= outer.left && b.top >= outer.top && b.right <= outer.right && b.bottom <= outer.bottom)
        << name(control) << " sticks out";
    for (const ui::Control* other : editor.Controls) {
      if (other == control || other->Container != control->Container || other == &editor.cmdNoKey) continue;
      const Box o = box(*other);
      const bool apart = b.right <= o.left || o.right <= b.left || b.bottom <= o.top || o.bottom <= b.top;
      EXPECT_TRUE(apart) << name(control) << " overlaps " << name(other);
    }
  }
  EXPECT_EQ(editor.OptForward.RowHeight * 5, editor.OptForward.Height);
}

}  // namespace
