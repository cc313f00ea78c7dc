#include "settings/Settings.h"

AppSettings Settings;
std::string SettingsPath;
std::string VersionTag;
std::int32_t CurGameIndex = -1;

bool FollowsGameWindow(const GameProfile& game) { return (game.ReservedBytes[0] & 1u) != 0; }

void SetFollowsGameWindow(GameProfile& game, bool follows) {
  game.ReservedBytes[0] = static_cast<std::uint8_t>((game.ReservedBytes[0] & ~1u) | (follows ? 1u : 0u));
}

GameProfile* CurrentGame() {
  if (CurGameIndex < 0 || static_cast<std::size_t>(CurGameIndex) >= Settings.Games.size()) return nullptr;
  return &Settings.Games[static_cast<std::size_t>(CurGameIndex)];
}

bool AutoSwitchesGame(const AppSettings& settings) { return (settings.Reserved2[0] & 1u) != 0; }

void SetAutoSwitchesGame(AppSettings& settings, bool switches) {
  settings.Reserved2[0] = static_cast<std::uint8_t>((settings.Reserved2[0] & ~1u) | (switches ? 1u : 0u));
}
