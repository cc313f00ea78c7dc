#pragma once
// Settings records with Chinese texts for the settings file's benchmarks.

#include <string>

#include "settings/Settings.h"

inline const std::string kSampleVersionTag = "Tillervane（Tillervane v2.01）";

inline GameProfile SampleGame(const std::string& name, const std::string& path, int seed) {
  GameProfile game;
  game.GameName = name;
  game.GamePath = path;
  game.HideCursor = seed % 2 == 0 ? True16 : False16;
  game.ReservedText2 = "\xB1\xA3\xC1\xF4";  // code page 936 bytes, kept raw
  game.ReservedBytes[seed % 8] = static_cast<std::uint8_t>(seed);
  game.Buttons[LeftButton] = {0x41, 0, 0, 0x10, 0, 0, True16, seed};
  game.Buttons[RightButton] = {0x53, 0, 7, 0, 0, 7, False16, 0};
  game.Moves[MoveLeft] = {0x25, 1, 0, 0, 5 + seed % 20};
  game.Moves[MoveRight] = {0x27, 1, 0, 0, 5};
  game.Moves[MoveUp] = {0x26, 1, 0, 0, 3};
  game.Moves[MoveDown] = {0x28, 1, 0, 0, 3};
  game.Wheels[WheelForward] = {0x57, 0, 0, 0, WheelPressOnce};
  game.Wheels[WheelBackward] = {0x58, 0, 0x11, 0, WheelStopRepeat};
  return game;
}

// As a save stamps it: the tag, non-default hotkeys and three games with Chinese texts.
inline AppSettings SampleSettings() {
  AppSettings settings;
  settings.Version = kSampleVersionTag;
  settings.StartKey = {0x78, 0, 0};
  settings.StopKey = {0x2E, 1, 0};
  settings.Reserved1 = 3;
  settings.LastGameIndex = 1;
  settings.RememberLastGame = True16;
  settings.Reserved2[5] = 0x5A;
  settings.Games = {SampleGame("赛车游戏", "C:\\游戏\\赛车\\race.exe", 1),
                    SampleGame("飞行模拟 Flight", "D:\\模拟\\fly.bat", 2),
                    SampleGame("《三国志》·一", "", 3)};
  return settings;
}

inline AppSettings ManyGames(int count) {
  AppSettings settings = SampleSettings();
  settings.Games.clear();
  for (int i = 0; i < count; ++i) {
    settings.Games.push_back(SampleGame("游戏 " + std::to_string(i),
                                        "C:\\Program Files\\游戏" + std::to_string(i) + "\\game.exe", i));
  }
  return settings;
}
