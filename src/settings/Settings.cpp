#include "settings/Settings.h"

#include <algorithm>

AppSettings Settings;
std::string SettingsPath;
std::string VersionTag;
std::int32_t CurGameIndex = -1;

namespace {

constexpr unsigned kFollowBit = 1u, kPreciseBit = 2u, kTapsBit = 4u;

bool OptionBit(const GameProfile& game, unsigned bit) { return (game.ReservedBytes[0] & bit) != 0; }

// Only the one bit changes: the others may hold options of later versions.
void SetOptionBit(GameProfile& game, unsigned bit, bool on) {
  game.ReservedBytes[0] = static_cast<std::uint8_t>((game.ReservedBytes[0] & ~bit) | (on ? bit : 0u));
}

}  // namespace

bool FollowsGameWindow(const GameProfile& game) { return OptionBit(game, kFollowBit); }
void SetFollowsGameWindow(GameProfile& game, bool follows) { SetOptionBit(game, kFollowBit, follows); }
bool MovesPrecisely(const GameProfile& game) { return OptionBit(game, kPreciseBit); }
void SetMovesPrecisely(GameProfile& game, bool precise) { SetOptionBit(game, kPreciseBit, precise); }
bool TapsBySpeed(const GameProfile& game) { return OptionBit(game, kTapsBit); }
void SetTapsBySpeed(GameProfile& game, bool taps) { SetOptionBit(game, kTapsBit, taps); }

std::int32_t RunKey(const GameProfile& game) { return game.ReservedBytes[1]; }
bool RunKeyExtended(const GameProfile& game) { return game.ReservedBytes[2] != 0; }

std::int32_t RunThreshold(const GameProfile& game) {
  const std::int32_t stored = game.ReservedBytes[3];
  return stored == 0 ? 0 : std::clamp(stored, LowestRunThreshold, HighestRunThreshold);
}

void StoreRunKey(GameProfile& game, std::int32_t virtualKey, bool extended, std::int32_t threshold) {
  game.ReservedBytes[1] = static_cast<std::uint8_t>(virtualKey);
  game.ReservedBytes[2] = extended ? 1 : 0;
  game.ReservedBytes[3] = static_cast<std::uint8_t>(threshold);
}

GameProfile* CurrentGame() {
  if (CurGameIndex < 0 || static_cast<std::size_t>(CurGameIndex) >= Settings.Games.size()) return nullptr;
  return &Settings.Games[static_cast<std::size_t>(CurGameIndex)];
}
