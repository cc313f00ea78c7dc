#include "editor/frmSet.h"

#include <string>
#include <vector>

#include "keys/modGetKey.h"
#include "platform/Platform.h"
#include "resources/ResourceIds.h"
#include "settings/ModFile.h"

namespace {

constexpr char kSwitchKeyTip[] =
    "降原键盘按键替换成另外一个键，适用于需要蓄力射击的游戏，即按住键盘上的这个键开始蓄力！";
constexpr char kRepeatTip[] = "按住鼠标键即表示反复按下并抬起一个键盘上的键";
constexpr char kPreciseTip[] = "把两次检测之间鼠标的全部移动加起来与阈值比较，不受屏幕边缘和鼠标回报率影响";
constexpr char kTapTip[] = "移动未达阈值时按速度的比例点按方向键，越快按住越久（需勾选精确移动）";
constexpr char kRunKeyTip[] = "鼠标移动得足够快时，除方向键外再按住这个键（需勾选精确移动）";
constexpr char kRunRateTip[] = "每 8 毫秒移动达到这么多像素时按住奔跑键，低于一半时松开";
constexpr int kLowestThreshold = 1, kHighestThreshold = 10;

// The design layout is drawn in pixels at 96 dpi and kept in twips, 15 to the
// pixel; the binding scales it with the display's DPI.
constexpr std::int32_t kTwipsPerPixel = 15;

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

// Top to bottom: the name and path rows; the mouse-button frame, a column per
// button with the key, the repeat box and the switch key; the movement frame,
// the key buttons as a cross around the arrows and the sliders to their right;
// the two wheel frames side by side, the key over the five modes and the
// switch key beside "模拟重复"; and the bottom row.
void frmSet::LayOut() {
  SetCaption("设置窗口");
  ClientWidthTwips = 6528;
  ClientHeightTwips = 8115;
  IconResource = IDI_POINTING_HAND;
  Position = ui::StartPosition::CenterScreen;
  ui::PictureBox* const buttons = &PicXP[0];
  ui::PictureBox* const moves = &PicXP[1];
  AddControls({
      {&Label1[4], "Label1", 4, nullptr, 8, 12, 60, 16, "游戏名称"},
      {&TxtGame[0], "TxtGame", 0, nullptr, 72, 8, 270, 22},
      {&Label1[5], "Label1", 5, nullptr, 8, 40, 60, 16, "文件位置"},
      {&TxtGame[1], "TxtGame", 1, nullptr, 72, 36, 270, 22},
      {&GetFile, "GetFile", -1, nullptr, 350, 35, 77, 24, "浏  览..."},
      {&Frame2, "Frame2", -1, nullptr, 8, 64, 419, 102, "鼠标按键"},
      {&PicXP[0], "PicXP", 0, &Frame2, 6, 16, 407, 80},
      {&Label1[0], "Label1", 0, buttons, 2, 4, 44, 16, "左  键"},
      {&SetButton[0], "SetButton", 0, buttons, 48, 0, 84, 23},
      {&ChkRepeat[0], "ChkRepeat", 0, buttons, 48, 28, 84, 20, "按住重复"},
      {&Label1[2], "Label1", 2, buttons, 2, 60, 44, 16, "切换键"},
      {&SetReplaceKey[0], "SetReplaceKey", 0, buttons, 48, 56, 84, 23},
      {&Label1[1], "Label1", 1, buttons, 138, 4, 44, 16, "右  键"},
      {&SetButton[1], "SetButton", 1, buttons, 184, 0, 84, 23},
      {&ChkRepeat[1], "ChkRepeat", 1, buttons, 184, 28, 84, 20, "按住重复"},
      {&Label1[3], "Label1", 3, buttons, 138, 60, 44, 16, "切换键"},
      {&SetReplaceKey[1], "SetReplaceKey", 1, buttons, 184, 56, 84, 23},
      {&Label1[6], "Label1", 6, buttons, 274, 4, 44, 16, "中  键"},
      {&SetButton[2], "SetButton", 2, buttons, 320, 0, 84, 23},
      {&ChkRepeat[2], "ChkRepeat", 2, buttons, 320, 28, 84, 20, "按住重复"},
      {&Label1[7], "Label1", 7, buttons, 274, 60, 44, 16, "切换键"},
      {&SetReplaceKey[2], "SetReplaceKey", 2, buttons, 320, 56, 84, 23},
      {&Frame1, "Frame1", -1, nullptr, 8, 172, 419, 124, "鼠标移动"},
      {&PicXP[1], "PicXP", 1, &Frame1, 6, 16, 407, 100},
      {&SetMove[MoveUp], "SetMove", MoveUp, moves, 74, 0, 70, 23},
      {&SetMove[MoveLeft], "SetMove", MoveLeft, moves, 0, 38, 70, 23},
      {&Image1, "Image1", -1, moves, 76, 27, 66, 44},
      {&SetMove[MoveRight], "SetMove", MoveRight, moves, 148, 38, 70, 23},
      {&SetMove[MoveDown], "SetMove", MoveDown, moves, 74, 76, 70, 23},
      {&lblRateCap, "lblRateCap", -1, moves, 236, 0, 160, 16, "有效移动单位："},
      {&lblRate[0], "lblRate", 0, moves, 236, 21, 40, 16, "左"},
      {&ScrMouseRate[0], "ScrMouseRate", 0, moves, 278, 20, 128, 17},
      {&lblRate[1], "lblRate", 1, moves, 236, 42, 40, 16, "右"},
      {&ScrMouseRate[1], "ScrMouseRate", 1, moves, 278, 41, 128, 17},
      {&lblRate[2], "lblRate", 2, moves, 236, 63, 40, 16, "上"},
      {&ScrMouseRate[2], "ScrMouseRate", 2, moves, 278, 62, 128, 17},
      {&lblRate[3], "lblRate", 3, moves, 236, 84, 40, 16, "下"},
      {&ScrMouseRate[3], "ScrMouseRate", 3, moves, 278, 83, 128, 17},
      {&ChkPrecise, "ChkPrecise", -1, nullptr, 10, 302, 100, 20, "精确移动"},
      {&ChkTapBySpeed, "ChkTapBySpeed", -1, nullptr, 120, 302, 120, 20, "按速度点按"},
      {&lblRunKey, "lblRunKey", -1, nullptr, 10, 331, 44, 16, "奔跑键"},
      {&SetRunKey, "SetRunKey", -1, nullptr, 56, 327, 84, 23},
      {&lblRunRate, "lblRunRate", -1, nullptr, 150, 331, 76, 16, "奔跑阈值"},
      {&ScrRunRate, "ScrRunRate", -1, nullptr, 228, 330, 199, 17},
      {&Frame4[0], "Frame4", 0, nullptr, 8, 356, 206, 150, "滚轮向前"},
      {&PicXP[2], "PicXP", 2, &Frame4[0], 6, 16, 194, 128},
      {&Label1[8], "Label1", 8, &PicXP[2], 2, 4, 54, 16, "模拟按键"},
      {&SetWheel[0], "SetWheel", 0, &PicXP[2], 58, 0, 84, 23},
      {&OptForward, "OptForward", -1, &PicXP[2], 2, 28, 80, 100},
      {&Frame3[0], "Frame3", 0, &PicXP[2], 84, 88, 44, 20},
      {&Labc[0], "Labc", 0, &Frame3[0], 0, 2, 44, 16, "切换键"},
      {&SetRepKeyWhl[0], "SetRepKeyWhl", 0, &PicXP[2], 130, 86, 62, 23},
      {&Frame4[1], "Frame4", 1, nullptr, 221, 356, 206, 150, "滚轮向后"},
      {&PicXP[3], "PicXP", 3, &Frame4[1], 6, 16, 194, 128},
      {&Label1[9], "Label1", 9, &PicXP[3], 2, 4, 54, 16, "模拟按键"},
      {&SetWheel[1], "SetWheel", 1, &PicXP[3], 58, 0, 84, 23},
      {&OptBackward, "OptBackward", -1, &PicXP[3], 2, 28, 80, 100},
      {&Frame3[1], "Frame3", 1, &PicXP[3], 84, 88, 44, 20},
      {&Labc[1], "Labc", 1, &Frame3[1], 0, 2, 44, 16, "切换键"},
      {&SetRepKeyWhl[1], "SetRepKeyWhl", 1, &PicXP[3], 130, 86, 62, 23},
      {&ChkHideCursor, "ChkHideCursor", -1, nullptr, 10, 515, 150, 20, "启动后隐藏光标"},
      {&ChkGameWindow, "ChkGameWindow", -1, nullptr, 166, 515, 176, 20, "仅在游戏窗口激活时控制"},
      {&SetOk, "SetOk", -1, nullptr, 345, 512, 82, 25, "确定"},
      {&cmdNoKey, "cmdNoKey", -1, nullptr, 0, 0, 80, 23, "Command1"}},
      kTwipsPerPixel);
  TxtGame[0].MaxLength = 20;
  for (ui::Control* label : {&Label1[2], &Label1[3], &Label1[7], &Label1[8], &Label1[9], &Labc[0], &Labc[1]}) {
    label->ToolTipText = kSwitchKeyTip;
  }
  for (auto& box : ChkRepeat) box.ToolTipText = kRepeatTip;
  Image1.Picture = IDB_ARROWS, Image1.Stretch = true;
  Image1.Width = 996, Image1.Height = 660;
  for (auto& label : lblRate) label.Tag = label.Caption();
  for (auto& slider : ScrMouseRate) {
    slider.Min = kLowestThreshold, slider.Max = kHighestThreshold, slider.SmallChange = 1, slider.LargeChange = 1;
    slider.SetValue(kLowestThreshold);
  }
  ChkPrecise.ToolTipText = kPreciseTip;
  ChkTapBySpeed.ToolTipText = kTapTip;
  lblRunKey.ToolTipText = SetRunKey.ToolTipText = kRunKeyTip;
  lblRunRate.ToolTipText = ScrRunRate.ToolTipText = kRunRateTip;
  lblRunRate.Tag = lblRunRate.Caption();
  ScrRunRate.Min = LowestRunThreshold, ScrRunRate.Max = HighestRunThreshold;
  ScrRunRate.SmallChange = 1, ScrRunRate.LargeChange = 5;
  ScrRunRate.SetValue(LowestRunThreshold);
  for (ui::OptionGroup* options : {&OptForward, &OptBackward}) {
    options->SetOptions({"按下按键", "放开按键", "只按一次", "模拟重复", "停止重复"});
    options->RowHeight = 20 * kTwipsPerPixel;
  }
  for (auto& frame : Frame3) frame.Border = false;
  cmdNoKey.Top = -1000;  // out of sight above the client area
  cmdNoKey.TabStop = false;  // Tab never lands out of sight
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
  ChkPrecise.Click = [this] { ChkPrecise_Click(); };
  ChkTapBySpeed.Click = [this] { ChkTapBySpeed_Click(); };
  SetRunKey.Click = [this] { SetRunKey_Click(); };
  ScrRunRate.Change = ScrRunRate.Scroll = [this] { ScrRunRate_Change(); };
  GetFile.Click = [this] { GetFile_Click(); };
  SetOk.Click = [this] { SetOk_Click(); };
}

void frmSet::Form_Load() {
  // The window's icon, with its hot spot on the fingertip, over every key
  // button but the wheels' switch keys.
  for (int b = 0; b < 3; ++b) SetButton[b].MouseIcon = SetReplaceKey[b].MouseIcon = IDC_POINTING_HAND;
  for (auto& button : SetMove) button.MouseIcon = IDC_POINTING_HAND;
  SetRunKey.MouseIcon = IDC_POINTING_HAND;
  for (auto& button : SetWheel) button.MouseIcon = IDC_POINTING_HAND;
  if (CurrentGame() == nullptr) {  // the main window opens the editor only on an existing game
    Unload();
    return;
  }
  LoadProfile();
}

// Fills the controls through the same handlers a user's change runs; what they
// write into the working copy is replaced by the stored profile at the end,
// but what they show (labels, wheel rows) stays.
void frmSet::LoadProfile() {
  GameProfile& stored = *CurrentGame();
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
  ChkPrecise.SetValue(MovesPrecisely(stored) ? 1 : 0);
  ChkTapBySpeed.SetValue(TapsBySpeed(stored) ? 1 : 0);
  SetRunKey.SetCaption(modGetKey::KeyName(RunKey(stored), RunKeyExtended(stored) ? 1 : 0));
  // No threshold (0) or one out of range shows as the nearer end; the stored
  // bytes stay as they are until the run key or the slider is changed.
  ScrRunRate.SetValue(stored.ReservedBytes[3]);
  ScrRunRate_Change();  // the label, also when the value did not change
  Working = stored;
}

void frmSet::CommitProfile() {
  if (GameProfile* stored = CurrentGame()) *stored = Working;
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

// The chosen path goes through the path box, whose change handler stores it.
// The dialog preselects the filter entry of the last confirmed choice within
// this opening; after a cancel it keeps the one it had.
void frmSet::GetFile_Click() {
  using namespace std::string_literals;
  platform::OpenFileRequest request{"定位游戏文件", "*.exe\0*.exe\0*.bat\0*.bat\0所有文件（*.*）\0*.*\0\0"s,
                                    fileFilter_, {}, 0, {}, {}};
  if (!platform::Os().dialogs.ShowOpenFile(request)) return;
  fileFilter_ = request.filterIndex;
  if (!request.fileName.empty()) TxtGame[1].SetText(request.fileName);
}

void frmSet::ChkRepeat_Click(int Index) { Working.Buttons[Index].Repeat = Checked(ChkRepeat[Index]); }

void frmSet::ChkHideCursor_Click() { Working.HideCursor = Checked(ChkHideCursor); }

void frmSet::ChkGameWindow_Click() { SetFollowsGameWindow(Working, ChkGameWindow.Value() != 0); }

void frmSet::ChkPrecise_Click() { SetMovesPrecisely(Working, ChkPrecise.Value() != 0); }

void frmSet::ChkTapBySpeed_Click() { SetTapsBySpeed(Working, ChkTapBySpeed.Value() != 0); }
