// Picking the game's file with the open-file dialog.
#include "editor/frmSet.h"

// The chosen path goes through the path box, whose change handler stores it.
// The dialog keeps the filter entry of the last confirmed choice for the next
// use within this opening; after a cancel it keeps the one it had.
void frmSet::GetFile_Click() {
  if (fileDialog_ == nullptr) return;
  OpenFileDialog& dialog = *fileDialog_;
  dialog.DialogTitle = "定位游戏文件";
  dialog.Filter = "*.exe|*.exe|*.bat|*.bat|所有文件（*.*）|*.*";
  dialog.FileName.clear();
  if (dialog.ShowOpen() && !dialog.FileName.empty()) TxtGame[1].SetText(dialog.FileName);
}
