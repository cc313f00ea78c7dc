#include "editor/frmSet.h"

#include <string>
#include <vector>

#include "keys/modGetKey.h"
#include "resources/ResourceIds.h"
#include "settings/ModFile.h"

namespace {

constexpr char kSwitchKeyTip[] =
    "降原键盘按键替换成另外一个键，适用于需要蓄力射击的游戏，即按住键盘上的这个键开始蓄力！";
constexpr char kRepeatTip[] = "按住鼠标键即表示反复按下并抬起一个键盘上的键";
constexpr int kLowestThreshold = 1, kHighestThreshold = 10;

// The design layout is drawn in pixels at 96 dpi and kept in twips, 15 to the
// pixel; the binding scales it with the display's DPI.
constexpr std::int32_t kTwipsPerPixel = 15;

void Place(ui::Control& control, ui::Control* container, int left, int top, int width, int height) {
  control.Container = container;
  control.Left = left * kTwipsPerPixel;
  control.Top = top * kTwipsPerPixel;
  control.Width = width * kTwipsPerPixel;
  control.Height = height * kTwipsPerPixel;
}

template <typename Control>
void Name(Control& control, const char* name, int index = -1) {
  control.Name = name;
  control.Index = index;
}

// Only the space character: tabs and other blanks stay.
std::string TrimSpaces(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

Boolean16 Checked(const ui::CheckBox& box) { return box.Value() != 0 ? True16 : False16; }

}  // namespace

frmSet::frmSet() {
  LayOut();
  Wire();
}

// Top to bottom: the name and path rows, the mouse-button frame, the movement
// frame, the two wheel frames side by side, and the bottom row.
void frmSet::LayOut() {
  SetCaption("设置窗口");
  ClientWidthTwips = 6528;
  ClientHeightTwips = 7308;
  IconResource = IDI_POINTING_HAND;
  Position = ui::StartPosition::CenterScreen;

  Name(Label1[4], "Label1", 4), Label1[4].SetCaption("游戏名称"), Place(Label1[4], nullptr, 8, 12, 60, 16);
  Name(TxtGame[0], "TxtGame", 0), TxtGame[0].MaxLength = 20, Place(TxtGame[0], nullptr, 72, 8, 270, 22);
  Name(Label1[5], "Label1", 5), Label1[5].SetCaption("文件位置"), Place(Label1[5], nullptr, 8, 40, 60, 16);
  Name(TxtGame[1], "TxtGame", 1), Place(TxtGame[1], nullptr, 72, 36, 270, 22);
  Name(GetFile, "GetFile"), GetFile.SetCaption("浏  览..."), Place(GetFile, nullptr, 350, 35, 77, 24);
  Controls = {&Label1[4], &TxtGame[0], &Label1[5], &TxtGame[1], &GetFile};

  // Mouse buttons: a column each, left to right, with the key on the first row,
  // the repeat box under it and the switch key on the third row.
  Name(Frame2, "Frame2"), Frame2.SetCaption("鼠标按键"), Place(Frame2, nullptr, 8, 64, 419, 102);
  Name(PicXP[0], "PicXP", 0), Place(PicXP[0], &Frame2, 6, 16, 407, 80);
  Controls.insert(Controls.end(), {&Frame2, &PicXP[0]});
  constexpr int kTitles[] = {0, 1, 6}, kSwitchLabels[] = {2, 3, 7};
  const char* const columnTitles[] = {"左  键", "右  键", "中  键"};
  for (int b = 0; b < 3; ++b) {
    const int x = b * 136;
    ui::Label& title = Label1[kTitles[b]];
    ui::Label& switchLabel = Label1[kSwitchLabels[b]];
    Name(title, "Label1", kTitles[b]), title.SetCaption(columnTitles[b]), Place(title, &PicXP[0], x + 2, 4, 44, 16);
    Name(SetButton[b], "SetButton", b), Place(SetButton[b], &PicXP[0], x + 48, 0, 84, 23);
    Name(ChkRepeat[b], "ChkRepeat", b), ChkRepeat[b].SetCaption("按住重复"), ChkRepeat[b].ToolTipText = kRepeatTip;
    Place(ChkRepeat[b], &PicXP[0], x + 48, 28, 84, 20);
    Name(switchLabel, "Label1", kSwitchLabels[b]), switchLabel.SetCaption("切换键");
    switchLabel.ToolTipText = kSwitchKeyTip;
    Place(switchLabel, &PicXP[0], x + 2, 60, 44, 16);
    Name(SetReplaceKey[b], "SetReplaceKey", b), Place(SetReplaceKey[b], &PicXP[0], x + 48, 56, 84, 23);
    Controls.insert(Controls.end(), {&title, &SetButton[b], &ChkRepeat[b], &switchLabel, &SetReplaceKey[b]});
  }

  // Movement: the key buttons as a cross around the arrows, the sliders to
  // their right, left, right, up and down from the top.
  Name(Frame1, "Frame1"), Frame1.SetCaption("鼠标移动"), Place(Frame1, nullptr, 8, 172, 419, 124);
  Name(PicXP[1], "PicXP", 1), Place(PicXP[1], &Frame1, 6, 16, 407, 100);
  Controls.insert(Controls.end(), {&Frame1, &PicXP[1]});
  for (int d = 0; d < 4; ++d) Name(SetMove[d], "SetMove", d);
  Place(SetMove[MoveUp], &PicXP[1], 74, 0, 70, 23);
  Place(SetMove[MoveLeft], &PicXP[1], 0, 38, 70, 23);
  Place(SetMove[MoveRight], &PicXP[1], 148, 38, 70, 23);
  Place(SetMove[MoveDown], &PicXP[1], 74, 76, 70, 23);
  Name(Image1, "Image1"), Image1.Picture = IDB_ARROWS, Image1.Stretch = true;
  Place(Image1, &PicXP[1], 76, 27, 66, 44);
  Image1.Width = 996, Image1.Height = 660;
  Name(lblRateCap, "lblRateCap"), lblRateCap.SetCaption("有效移动单位：");
  Place(lblRateCap, &PicXP[1], 236, 0, 160, 16);
  Controls.insert(Controls.end(), {&SetMove[MoveUp], &SetMove[MoveLeft], &Image1, &SetMove[MoveRight],
                                   &SetMove[MoveDown], &lblRateCap});
  const char* const directions[] = {"左", "右", "上", "下"};
  for (int d = 0; d < 4; ++d) {
    const int y = 20 + d * 21;
    Name(lblRate[d], "lblRate", d), lblRate[d].SetCaption(directions[d]), lblRate[d].Tag = directions[d];
    Place(lblRate[d], &PicXP[1], 236, y + 1, 40, 16);
    ui::HScrollBar& slider = ScrMouseRate[d];
    Name(slider, "ScrMouseRate", d), Place(slider, &PicXP[1], 278, y, 128, 17);
    slider.Min = kLowestThreshold, slider.Max = kHighestThreshold, slider.SmallChange = 1, slider.LargeChange = 1;
    slider.SetValue(kLowestThreshold);
    Controls.insert(Controls.end(), {&lblRate[d], &slider});
  }

  // The wheel: the key on the top row, the five modes under it, and the switch
  // key beside "模拟重复".
  const char* const wheelTitles[] = {"滚轮向前", "滚轮向后"};
  const std::vector<std::string> modes = {"按下按键", "放开按键", "只按一次", "模拟重复", "停止重复"};
  for (int w = 0; w < 2; ++w) {
    ui::Label& keyLabel = Label1[8 + w];
    ui::OptionGroup& options = w == WheelForward ? OptForward : OptBackward;
    Name(Frame4[w], "Frame4", w), Frame4[w].SetCaption(wheelTitles[w]);
    Place(Frame4[w], nullptr, 8 + w * 213, 302, 206, 150);
    Name(PicXP[2 + w], "PicXP", 2 + w), Place(PicXP[2 + w], &Frame4[w], 6, 16, 194, 128);
    Name(keyLabel, "Label1", 8 + w), keyLabel.SetCaption("模拟按键"), keyLabel.ToolTipText = kSwitchKeyTip;
    Place(keyLabel, &PicXP[2 + w], 2, 4, 54, 16);
    Name(SetWheel[w], "SetWheel", w), Place(SetWheel[w], &PicXP[2 + w], 58, 0, 84, 23);
    Name(options, w == WheelForward ? "OptForward" : "OptBackward"), options.SetOptions(modes);
    options.RowHeight = 20 * kTwipsPerPixel;
    Place(options, &PicXP[2 + w], 2, 28, 80, 100);
    Name(Frame3[w], "Frame3", w), Frame3[w].Border = false, Place(Frame3[w], &PicXP[2 + w], 84, 88, 44, 20);
    Name(Labc[w], "Labc", w), Labc[w].SetCaption("切换键"), Labc[w].ToolTipText = kSwitchKeyTip;
    Place(Labc[w], &Frame3[w], 0, 2, 44, 16);
    Name(SetRepKeyWhl[w], "SetRepKeyWhl", w), Place(SetRepKeyWhl[w], &PicXP[2 + w], 130, 86, 62, 23);
    Controls.insert(Controls.end(), {&Frame4[w], &PicXP[2 + w], &keyLabel, &SetWheel[w], &options, &Frame3[w], &Labc[w],
                                     &SetRepKeyWhl[w]});
  }

  Name(ChkHideCursor, "ChkHideCursor"), ChkHideCursor.SetCaption("启动后隐藏光标");
  Place(ChkHideCursor, nullptr, 10, 461, 150, 20);
  Name(ChkGameWindow, "ChkGameWindow"), ChkGameWindow.SetCaption("仅在游戏窗口激活时控制");
  Place(ChkGameWindow, nullptr, 166, 461, 176, 20);
  Name(SetOk, "SetOk"), SetOk.SetCaption("确定"), Place(SetOk, nullptr, 345, 458, 82, 25);
  Name(cmdNoKey, "cmdNoKey"), cmdNoKey.SetCaption("Command1"), Place(cmdNoKey, nullptr, 0, 0, 80, 23);
  cmdNoKey.Top = -1000;  // out of sight above the client area
  cmdNoKey.TabStop = false;  // Tab never lands out of sight
  Controls.insert(Controls.end(), {&ChkHideCursor, &ChkGameWindow, &SetOk, &cmdNoKey});
}

void frmSet::Wire() {
  // Every key button captures into its own two fields of the working copy,
  // which lives as long as the form.
  const auto keyButton = [this](ui::CommandButton& button, std::int32_t& key, std::int32_t& extended) {
    button.Click = [this, &button, &key, &extended] { AssignKey(button, key, extended); };
  };
  for (int i = 0; i < 2; ++i) {
    TxtGame[i].Change = [this, i] { TxtGame_Change(i); };
    keyButton(SetWheel[i], Working.Wheels[i].VirtualKey, Working.Wheels[i].Extended);
    keyButton(SetRepKeyWhl[i], Working.Wheels[i].SwitchKey, Working.Wheels[i].SwitchExtended);
  }
  for (int i = 0; i < 3; ++i) {
    keyButton(SetButton[i], Working.Buttons[i].VirtualKey, Working.Buttons[i].Extended);
    keyButton(SetReplaceKey[i], Working.Buttons[i].SwitchKey, Working.Buttons[i].SwitchExtended);
    ChkRepeat[i].Click = [this, i] { ChkRepeat_Click(i); };
  }
  for (int i = 0; i < 4; ++i) {
    keyButton(SetMove[i], Working.Moves[i].VirtualKey, Working.Moves[i].Extended);
    ScrMouseRate[i].Change = [this, i] { ScrMouseRate_Change(i); };
    ScrMouseRate[i].Scroll = [this, i] { ScrMouseRate_Scroll(i); };
  }
  OptForward.Click = [this](int index) { OptForward_Click(index); };
  OptBackward.Click = [this](int index) { OptBackward_Click(index); };
  ChkHideCursor.Click = [this] { ChkHideCursor_Click(); };
  ChkGameWindow.Click = [this] { ChkGameWindow_Click(); };
  GetFile.Click = [this] { GetFile_Click(); };
  SetOk.Click = [this] { SetOk_Click(); };
}

GameProfile* frmSet::Stored() {
  if (CurGameIndex < 0 || static_cast<std::size_t>(CurGameIndex) >= Settings.Games.size()) return nullptr;
  return &Settings.Games[static_cast<std::size_t>(CurGameIndex)];
}

void frmSet::Form_Load() {
  // The window's icon, with its hot spot on the fingertip, over every key
  // button but the wheels' switch keys.
  for (int b = 0; b < 3; ++b) SetButton[b].MouseIcon = SetReplaceKey[b].MouseIcon = IDC_POINTING_HAND;
  for (auto& button : SetMove) button.MouseIcon = IDC_POINTING_HAND;
  for (auto& button : SetWheel) button.MouseIcon = IDC_POINTING_HAND;
  if (Stored() == nullptr) {  // the main window opens the editor only on an existing game
    Unload();
    return;
  }
  LoadProfile();
  fileDialog_ = std::make_unique<OpenFileDialog>();
}

void frmSet::Form_Unload() { fileDialog_.reset(); }

// Fills the controls through the same handlers a user's change runs; what they
// write into the working copy is replaced by the stored profile at the end,
// but what they show (labels, wheel rows) stays.
void frmSet::LoadProfile() {
  GameProfile& stored = *Stored();
  TxtGame[0].SetText(stored.GameName);
  TxtGame[1].SetText(stored.GamePath);
  for (int b = 0; b < 3; ++b) {
    const ButtonMap& button = stored.Buttons[b];
    SetButton[b].SetCaption(modGetKey::KeyName(button.VirtualKey, button.Extended));
    SetReplaceKey[b].SetCaption(modGetKey::KeyName(button.SwitchKey, button.SwitchExtended));
    ChkRepeat[b].SetValue(button.Repeat != 0 ? 1 : 0);
  }
  for (int d = 0; d < 4; ++d) {
    MoveMap& move = stored.Moves[d];
    SetMove[d].SetCaption(modGetKey::KeyName(move.VirtualKey, move.Extended));
    if (move.Threshold == 0) move.Threshold = kLowestThreshold;
    // A threshold outside the slider's range (never written here) shows as
    // the nearer end and stays stored until the slider is moved.
    ScrMouseRate[d].SetValue(move.Threshold);
  }
  for (int w = 0; w < 2; ++w) {
    const WheelMap& wheel = stored.Wheels[w];
    SetWheel[w].SetCaption(modGetKey::KeyName(wheel.VirtualKey, wheel.Extended));
    SetRepKeyWhl[w].SetCaption(modGetKey::KeyName(wheel.SwitchKey, wheel.SwitchExtended));
  }
  // A mode outside 0 to 4 (never written here) selects no option.
  OptForward.Select(stored.Wheels[WheelForward].Mode);
  OptBackward.Select(stored.Wheels[WheelBackward].Mode);
  ChkHideCursor.SetValue(stored.HideCursor != 0 ? 1 : 0);
  ChkGameWindow.SetValue(FollowsGameWindow(stored) ? 1 : 0);
  Working = stored;
}

void frmSet::CommitProfile() {
  if (GameProfile* stored = Stored()) *stored = Working;
}

// Both fields follow the boxes, whichever changed.
void frmSet::TxtGame_Change(int) {
  Working.GameName = TrimSpaces(TxtGame[0].Text());
  Working.GamePath = TrimSpaces(TxtGame[1].Text());
}

// Nothing is checked first: an empty name or a missing file is stored as it is.
void frmSet::SetOk_Click() {
  CommitProfile();
  ModFile::SaveSettings(false);
  Unload();
}

void frmSet::ChkRepeat_Click(int Index) { Working.Buttons[Index].Repeat = Checked(ChkRepeat[Index]); }

void frmSet::ChkHideCursor_Click() { Working.HideCursor = Checked(ChkHideCursor); }

void frmSet::ChkGameWindow_Click() { SetFollowsGameWindow(Working, ChkGameWindow.Value() != 0); }
