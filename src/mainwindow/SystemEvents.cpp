// The machine and the session around the program: no key may stay held when
// the events that would release it can no longer come, and a hook the system
// removed behind the program's back is put back.
#include "engine/HookKeyMouse.h"
#include "mainwindow/frmMain.h"
#include "settings/Settings.h"

void frmMain::Form_SystemEvent(SystemEvent event) {
  switch (event) {
    case SystemEvent::SessionEnding:
      // As closing the window does: the program ends with the session.
      StopControl();
      RememberGame();
      break;
    case SystemEvent::Suspending:       // control stays on after the resume
    case SystemEvent::SessionSwitched:  // the buttons are let go on a desktop the hook cannot see
      ReleaseEverything();
      break;
  }
}

void frmMain::Form_RawMouseMove(std::int32_t dx, std::int32_t dy) {
  if (!TimMove.Enabled()) return;
  if (modHookKeyMouse::RawInputSaysHookIsGone()) {
    ReleaseEverything();
    modHookKeyMouse::RemoveMouseHook();
    modHookKeyMouse::InstallMouseHook();
  }
  // The parked pointer stands on the screen's right edge, where the position
  // the hook sees cannot move further right: raw counts can.
  const GameProfile* game = CurrentGame();
  if (game != nullptr && game->HideCursor != 0 && !modHookKeyMouse::WaitingForGame) {
    modHookKeyMouse::MoveDeltaX = dx;
    modHookKeyMouse::MoveDeltaY = dy;
  }
}
