// Native tool for the editor's end-to-end test: the settings file the test
// starts with, and the bytes the native encoder gives for what the test then
// does in the editor.
//
//   editor_settings start DIR            writes DIR/two-games.set
//   editor_settings mapped DIR GAMEPATH  writes DIR/mapped.set, with the game the
//                                        test maps added, and DIR/removed.set,
//                                        the same without game 1
//   editor_settings reserved FILE INDEX  prints the reserved bytes of game INDEX in hex
#include <cstdio>
#include <string>

#include "e2e/SettingsFiles.h"

namespace {

AppSettings TwoGames() {
  AppSettings settings = SavedDefaults();
  for (const char* name : {"赛车一", "飞行"}) {
    GameProfile game;
    game.GameName = name;
    settings.Games.push_back(game);
  }
  // Bytes another version may have written: the editor keeps them.
  settings.Games[0].ReservedBytes = {0xF0, 1, 2, 3, 4, 5, 6, 7};
  return settings;
}

// What the test sets in the editor, control by control.
GameProfile Mapped(const std::string& path) {
  GameProfile game;
  game.GameName = "Rally";  // typed with two spaces before and after
  game.GamePath = path;     // from the open-file dialog
  game.HideCursor = True16;
  SetFollowsGameWindow(game, true);
  game.Buttons[LeftButton] = {'A', 0, 0, 'Q', 0, 0, False16, 0};
  game.Buttons[RightButton] = {'S', 0, 0, 'W', 0, 0, True16, 0};
  game.Buttons[MiddleButton] = {'D', 0, 0, 'E', 0, 0, False16, 0};
  game.Moves[MoveLeft] = {0x25, 1, 0, 0, 2};    // one arrow click
  game.Moves[MoveRight] = {0x27, 1, 0, 0, 1};   // untouched: repaired from 0
  game.Moves[MoveUp] = {0x26, 1, 0, 0, 3};      // two arrow clicks
  game.Moves[MoveDown] = {0x28, 1, 0, 0, 10};   // dragged to the end
  game.Wheels[WheelForward] = {'Z', 0, 'C', 0, WheelStartRepeat};
  game.Wheels[WheelBackward] = {'X', 0, 0, 0, WheelStopRepeat};  // set before forward went to 3
  return game;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "start" && argc == 3) {
    return WriteSettingsFile(std::string(argv[2]) + "/two-games.set", TwoGames()) ? 0 : 1;
  }
  if (command == "mapped" && argc == 4) {
    AppSettings settings = TwoGames();
    settings.Games.push_back(Mapped(argv[3]));
    const bool mapped = WriteSettingsFile(std::string(argv[2]) + "/mapped.set", settings);
    settings.Games.erase(settings.Games.begin() + 1);
    return mapped && WriteSettingsFile(std::string(argv[2]) + "/removed.set", settings) ? 0 : 1;
  }
  if (command == "reserved" && argc == 4) {
    const AppSettings saved = ReadSettingsFile(argv[2]);
    const auto index = static_cast<std::size_t>(std::stoul(argv[3]));
    if (index >= saved.Games.size()) return 1;
    for (const std::uint8_t byte : saved.Games[index].ReservedBytes) std::printf("%02x ", byte);
    std::printf("\n");
    return 0;
  }
  return 2;
}
