// The notification area's icon: one look each for control off, on and waiting.
#include "engine/HookKeyMouse.h"
#include "mainwindow/frmMain.h"
#include "resources/ResourceIds.h"

void frmMain::ShowTrayState() {
  if (!TimMove.Enabled()) {
    Tray.Show(IDI_TRAY_OFF, "Tillervane：未启动");
  } else if (modHookKeyMouse::WaitingForGame || LstGame.ListIndex() < 0) {
    Tray.Show(IDI_TRAY_WAITING, "Tillervane：等待游戏窗口");
  } else {
    Tray.Show(IDI_TRAY_ON, "Tillervane：正在控制 " + LstGame.List(LstGame.ListIndex()));
  }
}
