// The game list, its status line and the hotkey captions.
#include "keys/modGetKey.h"
#include "mainwindow/frmMain.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

void frmMain::LoadGameList() {
  for (const GameProfile& game : Settings.Games) LstGame.AddItem(game.GameName);
  menuMem.SetChecked(Settings.RememberLastGame != 0);
  // An index that names no entry (the file was edited elsewhere) selects nothing.
  if (menuMem.Checked()) LstGame.SetListIndex(Settings.LastGameIndex);
}

void frmMain::ShowHotkeyCaptions() {
  menuStart.SetCaption("启动（热键 " + modGetKey::KeyName(Settings.StartKey.VirtualKey, Settings.StartKey.Extended) +
                       "）");
  menuStop.SetCaption("停止（热键 " + modGetKey::KeyName(Settings.StopKey.VirtualKey, Settings.StopKey.Extended) +
                      "）");
}

void frmMain::LstGame_Click() {
  CurGameIndex = LstGame.ListIndex();
  // Also run by StopControl: with nothing selected the line keeps asking for a
  // game instead of naming an empty one.
  if (CurGameIndex < 0) {
    CmdShowStart.SetCaption("请选择游戏");
    return;
  }
  CmdShowStart.SetCaption(LstGame.List(CurGameIndex) + " 按" +
                          modGetKey::KeyName(Settings.StartKey.VirtualKey, Settings.StartKey.Extended) +
                          "开始控制......");
}

// Reading every key's state discards its "pressed since the last read" bit, so
// the hotkey poll sees only presses made after this point.
void frmMain::ClearKeyLatches() {
  for (std::int32_t key = 1; key <= 255; ++key) platform::Os().input.GetAsyncKeyState(key);
}
