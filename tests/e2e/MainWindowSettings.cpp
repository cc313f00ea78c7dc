// Native tool for the main window's end-to-end test: writes the settings files
// the test starts Tillervane with, and reads back what it saved.
//
//   main_window_settings write DIR   writes DIR/three-games.set, DIR/hidden.set and
//                                    DIR/sensitive.set (Rally's thresholds at 1)
//   main_window_settings follow DIR GAMEPATH
//                                    writes DIR/follow.set: Rally at GAMEPATH,
//                                    controlled only while its window is active
//   main_window_settings last FILE   prints the file's LastGameIndex
//   main_window_settings forget FILE sets the file's LastGameIndex to 0
//   main_window_settings keys FILE   prints its hotkeys: "start VK EXT stop VK EXT"
#include <cstdio>
#include <string>

#include "e2e/SettingsFiles.h"

namespace {

// Three games, remembering game 2, "Rally", whose left button is A and whose
// movement holds the arrow keys from 5 pixels on.
AppSettings ThreeGames(bool hideCursor, std::int32_t threshold = 5) {
  AppSettings settings = SavedDefaults();
  settings.RememberLastGame = True16;
  settings.LastGameIndex = 2;
  for (const char* name : {"赛车一", "飞行", "Rally"}) {
    GameProfile game;
    game.GameName = name;
    settings.Games.push_back(game);
  }
  GameProfile& rally = settings.Games[2];
  rally.HideCursor = hideCursor ? True16 : False16;
  rally.Buttons[LeftButton] = {0x41, 0, 0, 0, 0, 0, False16, 0};
  rally.Moves[MoveLeft] = {0x25, 1, 0, 0, threshold};
  rally.Moves[MoveRight] = {0x27, 1, 0, 0, threshold};
  rally.Moves[MoveUp] = {0x26, 1, 0, 0, threshold};
  rally.Moves[MoveDown] = {0x28, 1, 0, 0, threshold};
  return settings;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "follow") {
    AppSettings settings = ThreeGames(false);
    settings.Games[2].GamePath = argv[3];
    SetFollowsGameWindow(settings.Games[2], true);
    return WriteSettingsFile(std::string(argv[2]) + "/follow.set", settings) ? 0 : 1;
  }
  if (argc != 3) return 2;
  const std::string command = argv[1], path = argv[2];
  if (command == "write") {
    return WriteSettingsFile(path + "/three-games.set", ThreeGames(false)) &&
                   WriteSettingsFile(path + "/hidden.set", ThreeGames(true)) &&
                   WriteSettingsFile(path + "/sensitive.set", ThreeGames(false, 1))
               ? 0
               : 1;
  }
  if (command == "forget") {
    AppSettings saved = ReadSettingsFile(path);
    saved.LastGameIndex = 0;
    return WriteSettingsFile(path, saved) ? 0 : 1;
  }
  if (command == "last" || command == "keys") {
    const AppSettings saved = ReadSettingsFile(path);
    if (command == "last") {
      std::printf("%d\n", static_cast<int>(saved.LastGameIndex));
    } else {
      std::printf("start %d %d stop %d %d\n", static_cast<int>(saved.StartKey.VirtualKey),
                  static_cast<int>(saved.StartKey.Extended), static_cast<int>(saved.StopKey.VirtualKey),
                  static_cast<int>(saved.StopKey.Extended));
    }
    return 0;
  }
  return 2;
}
