// Native tool for the walk-through test: the bytes the native encoder gives
// for the settings after each save the player makes.
//
//   walkthrough_settings DIR   writes DIR/after-editor.set, after-start-key.set,
//                              after-press-release.set, after-press-once.set and
//                              after-remember.set
#include <string>

#include "e2e/SettingsFiles.h"

namespace {

// A first run's settings: an empty file, loaded with its defaults, and the game
// added from the menu and mapped in the editor.
AppSettings AfterEditor() {
  AppSettings settings = SavedDefaults();
  GameProfile game;
  game.GameName = "Rally";
  game.Buttons[LeftButton] = {'A', 0, 0, 0, 0, 0, False16, 0};
  game.Buttons[RightButton] = {'S', 0, 0, 'Q', 0, 0, True16, 0};
  game.Moves[MoveLeft] = {0x25, 1, 0, 0, 1};  // thresholds repaired from 0
  game.Moves[MoveRight] = {0x27, 1, 0, 0, 1};
  game.Moves[MoveUp] = {0x26, 1, 0, 0, 1};
  game.Moves[MoveDown] = {0x28, 1, 0, 0, 1};
  game.Wheels[WheelForward] = {'Z', 0, 'C', 0, WheelStartRepeat};
  game.Wheels[WheelBackward] = {'X', 0, 0, 0, WheelStopRepeat};
  settings.Games.push_back(game);
  return settings;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string dir = argv[1];
  AppSettings settings = AfterEditor();
  bool written = WriteSettingsFile(dir + "/after-editor.set", settings);
  settings.StartKey = {0x79, 0, 0};  // F10
  written &= WriteSettingsFile(dir + "/after-start-key.set", settings);
  GameProfile& game = settings.Games[0];
  game.Wheels[WheelForward].Mode = WheelPressKey;
  game.Wheels[WheelBackward] = {'Z', 0, 0, 0, WheelReleaseKey};
  written &= WriteSettingsFile(dir + "/after-press-release.set", settings);
  game.Wheels[WheelForward].Mode = WheelPressOnce;
  written &= WriteSettingsFile(dir + "/after-press-once.set", settings);
  settings.RememberLastGame = True16;
  written &= WriteSettingsFile(dir + "/after-remember.set", settings);
  return written ? 0 : 1;
}
