#include "settings/Settings.h"

AppSettings Settings;
std::string SettingsPath;
std::string VersionTag;
std::int32_t CurGameIndex = -1;

const GameProfile* CurrentGame() {
  if (CurGameIndex < 0 || static_cast<std::size_t>(CurGameIndex) >= Settings.Games.size()) {
    return nullptr;
  }
  return &Settings.Games[static_cast<std::size_t>(CurGameIndex)];
}
