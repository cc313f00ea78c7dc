#include "mainwindow/frmMain.h"

#include "engine/KeyMouse.h"
#include "platform/Platform.h"
#include "resources/ResourceIds.h"
#include "settings/ModFile.h"
#include "settings/Settings.h"

frmMain::frmMain() {
  LayOut();
  Wire();
  Form_Initialize();
}

void frmMain::Form_Initialize() {
  SettingsPath = platform::Os().process.ExecutableDirectory() + "\\setinf.set";
  ModFile::LoadSettings();
}

// The design layout, in twips; the binding scales it with the display's DPI.
void frmMain::LayOut() {
  ClientWidthTwips = 4944;
  ClientHeightTwips = 3060;
  MinButton = true;
  IconResource = IDI_APP;
  Position = ui::StartPosition::CenterScreen;
  WantsSystemEvents = true;

  CmdShowStart.Name = "CmdShowStart";
  CmdShowStart.SetCaption("请选择游戏");
  CmdShowStart.Left = 60, CmdShowStart.Top = 0, CmdShowStart.Width = 4812, CmdShowStart.Height = 312;
  LstGame.Name = "LstGame";
  LstGame.Left = 60, LstGame.Top = 324, LstGame.Width = 4812, LstGame.Height = 2640;
  TimStart.Name = "TimStart";
  TimButton.Name = "TimButton";
  TimMove.Name = "TimMove";
  Controls = {&CmdShowStart, &LstGame, &TimStart, &TimButton, &TimMove};

  menuMouse.Items = {&menuStart, &menuStop, &menuL1, &menuEnd};
  menuMain.Items = {&menuRunGame, &menuL3, &menuSet, &menuAdd, &menuDelete};
  menuAppSet.Items = {&menuSetStart, &menuSetStop, &menuL5, &menuMem};
  menuHelp.Items = {&menuUseHelp, &menuNewApp, &menuL2, &menuAbout};
  MenuBar = {&menuMouse, &menuMain, &menuAppSet, &menuHelp};
}

void frmMain::Wire() {
  LstGame.Click = [this] { LstGame_Click(); };
  LstGame.DblClick = [this] { LstGame_DblClick(); };
  LstGame.MouseUp = [this](int button, int shift, int x, int y) { LstGame_MouseUp(button, shift, x, y); };
  TimStart.Elapsed = [this] { TimStart_Timer(); };
  TimButton.Elapsed = [this] { engine.TimButton_Timer(); };
  TimMove.Elapsed = [this] { engine.TimMove_Timer(); };
  menuStart.Click = [this] { menuStart_Click(); };
  menuStop.Click = [this] { menuStop_Click(); };
  menuEnd.Click = [this] { menuEnd_Click(); };
  menuMem.Click = [this] { menuMem_Click(); };
  menuRunGame.Click = [this] { menuRunGame_Click(); };
  menuSet.Click = [this] { menuSet_Click(); };
  menuAdd.Click = [this] { menuAdd_Click(); };
  menuDelete.Click = [this] { menuDelete_Click(); };
  menuSetStart.Click = [this] { menuSetStart_Click(); };
  menuSetStop.Click = [this] { menuSetStop_Click(); };
  menuUseHelp.Click = [this] { menuUseHelp_Click(); };
  menuNewApp.Click = [this] { menuNewApp_Click(); };
  menuAbout.Click = [this] { menuAbout_Click(); };
}

void frmMain::Form_Load() {
  SetCaption(VersionTag);
  KeyMouse().InitKeyMouse(0, 30, 0);
  TimMove.SetEnabled(false);
  TimButton.SetEnabled(false);
  TimMove.SetInterval(8);
  TimButton.SetInterval(30);
  TimStart.SetInterval(100);
  CurGameIndex = -1;
  LoadGameList();
  ShowHotkeyCaptions();
  ClearKeyLatches();
}

void frmMain::Form_Unload() {
  StopControl();
  RememberGame();
}

void frmMain::RememberGame() {
  if (!menuMem.Checked()) return;
  Settings.LastGameIndex = CurGameIndex;
  ModFile::SaveSettings(false);
}

// By now the double-clicked entry is selected and current.
void frmMain::LstGame_DblClick() { menuRunGame_Click(); }

void frmMain::LstGame_MouseUp(int Button, int, int, int) {
  if (Button == ui::RightMouse) PopupMenu(menuMain);
}

void frmMain::menuMem_Click() {
  menuMem.SetChecked(!menuMem.Checked());
  Settings.RememberLastGame = menuMem.Checked() ? True16 : False16;
  ModFile::SaveSettings(false);
}
