#pragma once
// frmSet: the profile editor, shown modally on the current game. Every control
// writes its change into a working copy of the profile at once; only OK copies
// the working copy over the stored profile and saves the settings file, and
// any other way of closing drops it.

#include <array>
#include <cstdint>
#include "settings/Settings.h"
#include "ui/Controls.h"
#include "ui/Form.h"

class frmSet final : public ui::Form {
 public:
  frmSet();

  // Label1(0), (1), (6): the mouse-button column titles; (2), (3), (7): their
  // switch-key labels; (4), (5): the name and path rows; (8), (9): the wheel
  // key labels.
  std::array<ui::Label, 10> Label1;
  std::array<ui::TextBox, 2> TxtGame;  // 0 the game's name, 1 its path
  ui::CommandButton GetFile;

  ui::Frame Frame2;  // mouse buttons
  std::array<ui::CommandButton, 3> SetButton;
  std::array<ui::CheckBox, 3> ChkRepeat;
  std::array<ui::CommandButton, 3> SetReplaceKey;

  ui::Frame Frame1;  // movement
  std::array<ui::CommandButton, 4> SetMove;
  ui::Image Image1;
  ui::Label lblRateCap;
  std::array<ui::Label, 4> lblRate;  // each keeps its direction word in its Tag
  std::array<ui::HScrollBar, 4> ScrMouseRate;

  // Below the movement frame: how the movement of a tick counts.
  ui::CheckBox ChkPrecise;     // 精确移动
  ui::CheckBox ChkTapBySpeed;  // 按速度点按
  ui::Label lblRunKey;
  ui::CommandButton SetRunKey;
  ui::Label lblRunRate;  // keeps its word in its Tag, as lblRate
  ui::HScrollBar ScrRunRate;

  std::array<ui::Frame, 2> Frame4;  // wheel forward, backward
  std::array<ui::CommandButton, 2> SetWheel;
  ui::OptionGroup OptForward;   // option index = Wheels(0).Mode
  ui::OptionGroup OptBackward;  // option index = Wheels(1).Mode
  std::array<ui::Frame, 2> Frame3;  // borderless, around Labc
  std::array<ui::Label, 2> Labc;
  std::array<ui::CommandButton, 2> SetRepKeyWhl;

  std::array<ui::PictureBox, 4> PicXP;  // the inner areas of the four frames
  ui::CheckBox ChkHideCursor;
  ui::CheckBox ChkGameWindow;  // control only while the game's window is active
  ui::CommandButton SetOk;
  ui::CommandButton cmdNoKey;  // holds the focus during a key capture, above the client area

  // The profile being edited; the stored one changes only on OK.
  GameProfile Working;

  void LoadProfile();
  void CommitProfile();

  // Handlers.
  void TxtGame_Change(int Index);
  void GetFile_Click();
  void ChkRepeat_Click(int Index);
  void ChkHideCursor_Click();
  void ChkGameWindow_Click();
  void ChkPrecise_Click();
  void ChkTapBySpeed_Click();
  void SetRunKey_Click();
  void ScrRunRate_Change();
  void OptForward_Click(int Index) { WheelOption_Click(WheelForward, Index); }
  void OptBackward_Click(int Index) { WheelOption_Click(WheelBackward, Index); }
  void ScrMouseRate_Change(int Index);
  // While the thumb is dragged: the label and the working copy follow it.
  void ScrMouseRate_Scroll(int Index) { ScrMouseRate_Change(Index); }
  void SetOk_Click();

 protected:
  void Form_Load() override;

 private:
  void LayOut();
  void Wire();
  // Captures a key into one key reference of the working copy.
  void AssignKey(ui::CommandButton& button, std::int32_t& virtualKey, std::int32_t& extended);
  // The coupling of the two wheel directions and the rows each mode shows.
  void WheelOption_Click(int wheel, int mode);

  std::uint32_t fileFilter_ = 1;  // the open-file dialog's entry, from 1
};
