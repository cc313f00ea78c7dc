// The key buttons, the wheel modes and the movement thresholds of the editor.
#include "editor/frmSet.h"
#include "keys/modGetKey.h"

// A capture that ends without a key, or with a refused one, clears the
// assignment: it is the only way to clear a key. Keys are not compared with
// the other assignments; one key may serve several functions.
void frmSet::AssignKey(ui::CommandButton& button, std::int32_t& virtualKey, std::int32_t& extended) {
  // No visible button keeps the focus, so the captured key's release cannot
  // press one.
  cmdNoKey.SetFocus();
  std::int32_t key = 0, keyExtended = 0;
  modGetKey::CaptureKey(key, keyExtended);
  virtualKey = key;
  extended = keyExtended;
  button.SetCaption(modGetKey::KeyName(key, keyExtended));
}

// When one direction starts repeating, the other one stops it: choosing mode 3
// moves the partner to 4, and leaving 3 for 0, 1 or 2 while the partner is in
// 3 moves the partner to 0. Selecting the partner's option runs its own
// handler. A hidden key stays in the profile.
void frmSet::WheelOption_Click(int wheel, int mode) {
  ui::OptionGroup& partner = wheel == WheelForward ? OptBackward : OptForward;
  Working.Wheels[wheel].Mode = mode;
  const bool keyShown = mode != WheelStopRepeat, switchKeyShown = mode == WheelStartRepeat;
  Labc[wheel].SetVisible(switchKeyShown);
  SetRepKeyWhl[wheel].SetVisible(switchKeyShown);
  SetWheel[wheel].SetVisible(keyShown);
  if (mode == WheelStartRepeat) {
    partner.Select(WheelStopRepeat);
  } else if (mode != WheelStopRepeat && partner.Selected() == WheelStartRepeat) {
    partner.Select(WheelPressKey);
  }
}

// The label shows the direction word kept in its tag, a colon and the value,
// also when the value comes back to 1.
void frmSet::ScrMouseRate_Change(int Index) {
  Working.Moves[Index].Threshold = ScrMouseRate[Index].Value();
  lblRate[Index].SetCaption(lblRate[Index].Tag + ":" + std::to_string(Working.Moves[Index].Threshold));
}

// The run key and its threshold are stored together: a new key takes the
// threshold the slider shows.
void frmSet::SetRunKey_Click() {
  std::int32_t key = 0, extended = 0;
  AssignKey(SetRunKey, key, extended);
  StoreRunKey(Working, key, extended != 0, ScrRunRate.Value());
}

void frmSet::ScrRunRate_Change() {
  lblRunRate.SetCaption(lblRunRate.Tag + ":" + std::to_string(ScrRunRate.Value()));
  StoreRunKey(Working, RunKey(Working), RunKeyExtended(Working), ScrRunRate.Value());
}
