// A game that runs with administrator rights drops every key a program with
// fewer rights sends it: the program starts itself again with those rights,
// and the new copy carries on with the same game.
#include "mainwindow/AdminRestart.h"

#include <charconv>

#include "mainwindow/frmMain.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

using platform::Os;

std::string TakeOverArguments(std::int32_t gameIndex) {
  return std::string(kTakeOverSwitch) + " " + std::to_string(gameIndex);
}

std::optional<std::int32_t> TakeOverGame(const std::vector<std::string>& arguments) {
  if (arguments.size() != 2 || arguments[0] != kTakeOverSwitch) return std::nullopt;
  const std::string& text = arguments[1];
  std::int32_t game = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), game);
  if (error != std::errc() || end != text.data() + text.size() || game < -1) return std::nullopt;
  return game;
}

// A refused prompt changes nothing. Once the new copy starts, this one's
// control stops, so that no key stays held while two copies run.
void frmMain::menuAdmin_Click() {
  if (handingOver_ || !Os().process.StartElevatedCopy(TakeOverArguments(CurGameIndex))) return;
  handingOver_ = true;
  StopControl();
}

void frmMain::FollowHandover() {
  if (!handingOver_) return;
  switch (Os().process.ElevatedCopyState()) {
    case platform::CopyState::Up:
      Unload();
      break;
    case platform::CopyState::Ended:  // the copy went before it was up: this one stays
      handingOver_ = false;
      break;
    default:
      break;
  }
}

void frmMain::ResumeControl(std::int32_t gameIndex) {
  if (gameIndex >= 0) LstGame.SetListIndex(gameIndex);
  StartControl();
}
