// The settings files the end-to-end tests start from and compare with live in
// tests/e2e/fixtures; each must be exactly what the encoder writes for the
// record it stands for, so the two cannot drift apart. With
// TILLERVANE_WRITE_FIXTURES=1 the test writes them instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include "platform/posix/IconvText.h"
#include "settings/SettingsCodec.h"
#include "support/MainWindowFixture.h"
#include "unit/Cp936Samples.h"
#include "unit/SettingsBytes.h"

namespace {

// Three games, remembering "Rally", whose left button is A and whose movement
// holds the arrow keys from 5 pixels on.
AppSettings ThreeGames() {
  AppSettings settings = DefaultRecord();
  settings.RememberLastGame = True16;
  settings.LastGameIndex = 2;
  settings.Games = {Game("赛车一"), Game("飞行"), Game("Rally")};
  GameProfile& rally = settings.Games[2];
  rally.Buttons[LeftButton] = {'A', 0, 0, 0, 0, 0, False16, 0};
  rally.Moves = {MoveMap{0x25, 1, 0, 0, 5}, MoveMap{0x27, 1, 0, 0, 5}, MoveMap{0x26, 1, 0, 0, 5},
                 MoveMap{0x28, 1, 0, 0, 5}};
  return settings;
}

AppSettings TwoGames() {
  AppSettings settings = DefaultRecord();
  settings.Games = {Game("赛车一"), Game("飞行")};
  settings.Games[0].ReservedBytes = {0xF0, 1, 2, 3, 4, 5, 6, 7};  // another version's bytes
  return settings;
}

// What the editor's test maps control by control.
GameProfile Mapped() {
  GameProfile game = Game("Rally");  // typed with two spaces before and after
  game.GamePath = "C:\\game folder\\rally.exe";
  game.HideCursor = True16;
  SetFollowsGameWindow(game, true);
  game.Buttons = {ButtonMap{'A', 0, 0, 'Q', 0, 0, False16, 0}, ButtonMap{'S', 0, 0, 'W', 0, 0, True16, 0},
                  ButtonMap{'D', 0, 0, 'E', 0, 0, False16, 0}};
  game.Moves = {MoveMap{0x25, 1, 0, 0, 2}, MoveMap{0x27, 1, 0, 0, 1}, MoveMap{0x26, 1, 0, 0, 3},
                MoveMap{0x28, 1, 0, 0, 10}};
  game.Wheels = {WheelMap{'Z', 0, 'C', 0, WheelStartRepeat}, WheelMap{'X', 0, 0, 0, WheelStopRepeat}};
  return game;
}

// The walk-through's game as a first run's editor leaves it.
AppSettings WalkedThrough() {
  AppSettings settings = DefaultRecord();
  GameProfile game = Game("Rally");
  game.Buttons[LeftButton] = {'A', 0, 0, 0, 0, 0, False16, 0};
  game.Buttons[RightButton] = {'S', 0, 0, 'Q', 0, 0, True16, 0};
  game.Moves = {MoveMap{0x25, 1, 0, 0, 1}, MoveMap{0x27, 1, 0, 0, 1}, MoveMap{0x26, 1, 0, 0, 1},
                MoveMap{0x28, 1, 0, 0, 1}};
  game.Wheels = {WheelMap{'Z', 0, 'C', 0, WheelStartRepeat}, WheelMap{'X', 0, 0, 0, WheelStopRepeat}};
  settings.Games = {game};
  return settings;
}

std::map<std::string, AppSettings> Fixtures() {
  std::map<std::string, AppSettings> files;
  files["three-games"] = ThreeGames();
  files["three-games-last0"] = ThreeGames();
  files["three-games-last0"].LastGameIndex = 0;
  files["hidden"] = ThreeGames();
  files["hidden"].Games[2].HideCursor = True16;
  files["follow"] = ThreeGames();
  files["follow"].Games[2].GamePath = "C:\\follow\\rally.exe";
  SetFollowsGameWindow(files["follow"].Games[2], true);

  files["two-games"] = TwoGames();
  files["mapped"] = TwoGames();
  files["mapped"].Games.push_back(Mapped());
  files["removed"] = files["mapped"];
  files["removed"].Games.erase(files["removed"].Games.begin() + 1);

  AppSettings walk = WalkedThrough();
  files["after-editor"] = walk;
  walk.StartKey.VirtualKey = 0x79;  // F10
  files["after-start-key"] = walk;
  walk.Games[0].Wheels = {WheelMap{'Z', 0, 'C', 0, WheelPressKey}, WheelMap{'Z', 0, 0, 0, WheelReleaseKey}};
  files["after-press-release"] = walk;
  walk.Games[0].Wheels[WheelForward].Mode = WheelPressOnce;
  files["after-press-once"] = walk;
  walk.RememberLastGame = True16;
  files["after-remember"] = walk;

  // Each code page 936 sample as a game's name, the second one remembered.
  AppSettings samples = DefaultRecord();
  for (const Cp936Sample& sample : Cp936Samples()) samples.Games.push_back(Game(sample.back));
  samples.RememberLastGame = True16, samples.LastGameIndex = 1;
  files["cp936"] = samples;
  return files;
}

TEST(Fixtures, HoldWhatTheEncoderWritesForTheirRecords) {
  platform::posix::IconvText text;
  const bool write = std::getenv("TILLERVANE_WRITE_FIXTURES") != nullptr;
  for (const auto& [name, record] : Fixtures()) {
    const std::string path = std::string(TILLERVANE_FIXTURES_DIR) + "/" + name + ".set";
    const Bytes encoded = settings_codec::EncodeSettings(record, text);
    if (write) std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(encoded.data()),
                                                          static_cast<std::streamsize>(encoded.size()));
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), encoded) << path;
  }
}

}  // namespace
