// The window itself: its controls, loading and unloading, the game list with
// its status line, and the hotkey captions.
#include "mainwindow/frmMain.h"

#include <utility>

#include "engine/KeyMouse.h"
#include "resources/ResourceIds.h"
#include "settings/ModFile.h"

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
  AcceptsDroppedFiles = true;

  AddControls({{&CmdShowStart, "CmdShowStart", -1, nullptr, 60, 0, 4812, 312, "请选择游戏"},
               {&LstGame, "LstGame", -1, nullptr, 60, 324, 4812, 2640},
               {&TimStart, "TimStart", -1, nullptr, 0, 0, 0, 0},
               {&TimButton, "TimButton", -1, nullptr, 0, 0, 0, 0},
               {&TimMove, "TimMove", -1, nullptr, 0, 0, 0, 0}});

  menuMouse.Items = {&menuStart, &menuStop, &menuAdmin, &menuL1, &menuEnd};
  menuMain.Items = {&menuRunGame, &menuL3, &menuSet, &menuAdd, &menuDelete, &menuExport, &menuImport};
  menuAppSet.Items = {&menuSetStart, &menuSetStop, &menuL5, &menuMem, &menuAutoGame};
  menuHelp.Items = {&menuUseHelp, &menuNewApp, &menuL2, &menuAbout};
  MenuBar = {&menuMouse, &menuMain, &menuAppSet, &menuHelp};
  menuTray.Items = {&menuTrayStart, &menuTrayStop, &menuTrayShow, &menuTrayEnd};
  PopupMenus = {&menuTray};
  TrayIcon = &Tray;
}

void frmMain::Wire() {
  LstGame.Click = [this] { LstGame_Click(); };
  LstGame.DblClick = [this] { LstGame_DblClick(); };
  LstGame.MouseUp = [this](int button, int shift, int x, int y) { LstGame_MouseUp(button, shift, x, y); };
  TimStart.Elapsed = [this] { TimStart_Timer(); };
  TimButton.Elapsed = [this] { engine.TimButton_Timer(); };
  TimMove.Elapsed = [this] { engine.TimMove_Timer(); };
  const std::pair<ui::MenuItem*, void (frmMain::*)()> commands[] = {
      {&menuStart, &frmMain::menuStart_Click},       {&menuStop, &frmMain::menuStop_Click},
      {&menuEnd, &frmMain::menuEnd_Click},           {&menuMem, &frmMain::menuMem_Click},
      {&menuRunGame, &frmMain::menuRunGame_Click},   {&menuSet, &frmMain::menuSet_Click},
      {&menuAdd, &frmMain::menuAdd_Click},           {&menuDelete, &frmMain::menuDelete_Click},
      {&menuExport, &frmMain::menuExport_Click},     {&menuImport, &frmMain::menuImport_Click},
      {&menuSetStart, &frmMain::menuSetStart_Click}, {&menuSetStop, &frmMain::menuSetStop_Click},
      {&menuUseHelp, &frmMain::menuUseHelp_Click},   {&menuNewApp, &frmMain::menuNewApp_Click},
      {&menuAbout, &frmMain::menuAbout_Click},       {&menuAutoGame, &frmMain::menuAutoGame_Click},
      {&menuAdmin, &frmMain::menuAdmin_Click},       {&menuTrayStart, &frmMain::menuStart_Click},
      {&menuTrayStop, &frmMain::menuStop_Click},     {&menuTrayShow, &frmMain::Tray_Click},
      {&menuTrayEnd, &frmMain::menuEnd_Click}};
  for (const auto& [item, handler] : commands) item->Click = [this, handler] { (this->*handler)(); };
  Tray.Click = [this] { Tray_Click(); };
  Tray.RightClick = [this] { Tray_RightClick(); };
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
  // Only a game with higher rights in front makes a new start of use.
  menuAdmin.SetEnabled(false);
  LoadGameList();
  ShowHotkeyCaptions();
  ClearKeyLatches();
  ShowTrayState();
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

void frmMain::LoadGameList() {
  for (const GameProfile& game : Settings.Games) LstGame.AddItem(game.GameName);
  menuMem.SetChecked(Settings.RememberLastGame != 0);
  menuAutoGame.SetChecked(AutoSwitchesGame(Settings));
  // An index that names no entry (the file was edited elsewhere) selects nothing.
  if (menuMem.Checked()) LstGame.SetListIndex(Settings.LastGameIndex);
}

void frmMain::ShowHotkeyCaptions() {
  menuStart.SetCaption("启动（热键 " + HotkeyName(Settings.StartKey) + "）");
  menuStop.SetCaption("停止（热键 " + HotkeyName(Settings.StopKey) + "）");
  menuTrayStart.SetCaption(menuStart.Caption());
  menuTrayStop.SetCaption(menuStop.Caption());
}

void frmMain::LstGame_Click() {
  CurGameIndex = LstGame.ListIndex();
  // Also run by StopControl: with nothing selected the line keeps asking for a
  // game instead of naming an empty one.
  if (CurGameIndex < 0) {
    CmdShowStart.SetCaption("请选择游戏");
    return;
  }
  CmdShowStart.SetCaption(LstGame.List(CurGameIndex) + " 按" + HotkeyName(Settings.StartKey) + "开始控制......");
}

// Reading every key's state discards its "pressed since the last read" bit, so
// the hotkey poll sees only presses made after this point.
void frmMain::ClearKeyLatches() {
  for (std::int32_t key = 1; key <= 255; ++key) platform::Os().input.GetAsyncKeyState(key);
}
