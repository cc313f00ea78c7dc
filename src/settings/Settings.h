#pragma once
// The settings records every part of the program shares, and the program's globals.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A Boolean as the settings file holds it, kept in that form in memory so that a
// value written by another program survives a load and a save: 16 bits,
// True = -1, and any non-zero value counts as true.
using Boolean16 = std::int16_t;
inline constexpr Boolean16 True16 = -1;
inline constexpr Boolean16 False16 = 0;

// Reserved texts no one reads: the file's own bytes, never converted, so they
// survive a load and a save unchanged.
using RawText = std::string;

// Index conventions of the records' arrays.
enum MouseButtonIndex : int { LeftButton = 0, RightButton = 1, MiddleButton = 2 };
enum MoveDirectionIndex : int { MoveLeft = 0, MoveRight = 1, MoveUp = 2, MoveDown = 3 };
enum WheelDirectionIndex : int { WheelForward = 0, WheelBackward = 1 };

// WheelMap::Mode, in the order of the editor's options.
enum WheelMode : std::int32_t {
  WheelPressKey = 0,
  WheelReleaseKey = 1,
  WheelPressOnce = 2,
  WheelStartRepeat = 3,
  WheelStopRepeat = 4,
};

struct HotKey {
  std::int32_t VirtualKey = 0;
  std::int32_t Extended = 0;
  std::int32_t Reserved = 0;
  bool operator==(const HotKey&) const = default;
};

struct ButtonMap {
  std::int32_t VirtualKey = 0;
  std::int32_t Extended = 0;
  std::int32_t Reserved1 = 0;
  std::int32_t SwitchKey = 0;
  std::int32_t SwitchExtended = 0;
  std::int32_t Reserved2 = 0;
  Boolean16 Repeat = False16;
  std::int32_t Reserved3 = 0;
  bool operator==(const ButtonMap&) const = default;
};

struct MoveMap {
  std::int32_t VirtualKey = 0;
  std::int32_t Extended = 0;
  std::int32_t Reserved1 = 0;
  std::int32_t Reserved2 = 0;
  std::int32_t Threshold = 0;  // pixels per pointer-move event
  bool operator==(const MoveMap&) const = default;
};

struct WheelMap {
  std::int32_t VirtualKey = 0;
  std::int32_t Extended = 0;
  std::int32_t SwitchKey = 0;
  std::int32_t SwitchExtended = 0;
  std::int32_t Mode = WheelPressKey;
  bool operator==(const WheelMap&) const = default;
};

struct GameProfile {
  std::string GameName;  // UTF-8
  std::string GamePath;  // UTF-8
  RawText ReservedText1;
  Boolean16 HideCursor = False16;
  RawText ReservedText2;
  RawText ReservedText3;
  std::array<std::uint8_t, 8> ReservedBytes{};
  std::array<ButtonMap, 3> Buttons{};
  std::array<MoveMap, 4> Moves{};
  std::array<WheelMap, 2> Wheels{};
  bool operator==(const GameProfile&) const = default;
};

struct AppSettings {
  std::string Version;  // UTF-8
  HotKey StartKey;
  HotKey StopKey;
  std::int32_t Reserved1 = 0;
  std::int32_t LastGameIndex = 0;
  Boolean16 RememberLastGame = False16;
  std::array<std::uint8_t, 20> Reserved2{};
  std::vector<GameProfile> Games;
  bool operator==(const AppSettings&) const = default;
};

extern AppSettings Settings;
extern std::string SettingsPath;   // UTF-8, the executable's folder + "\setinf.set"
extern std::string VersionTag;     // UTF-8, also the main window's title
extern std::int32_t CurGameIndex;  // -1 = no game

// The current game's profile, or nullptr when CurGameIndex names no game in the
// list (nothing selected, or the game was removed while control was on).
GameProfile* CurrentGame();

// The option "仅在游戏窗口激活时控制": bit 0 of the first reserved byte, so that
// earlier versions, which keep those bytes as read, carry it through unchanged.
bool FollowsGameWindow(const GameProfile& game);
void SetFollowsGameWindow(GameProfile& game, bool follows);

// The movement options live in the same reserved bytes, for the same reason:
// bit 1 of the first byte "精确移动" (the whole movement of a tick, in pixels per
// tick), bit 2 "按速度点按" (taps by speed); byte 1 the run key's virtual key
// (0 = none), byte 2 its extended flag, byte 3 its threshold (0 = none).
bool MovesPrecisely(const GameProfile& game);
void SetMovesPrecisely(GameProfile& game, bool precise);
bool TapsBySpeed(const GameProfile& game);
void SetTapsBySpeed(GameProfile& game, bool taps);
inline constexpr std::int32_t LowestRunThreshold = 2, HighestRunThreshold = 60;
std::int32_t RunKey(const GameProfile& game);
bool RunKeyExtended(const GameProfile& game);
// The stored byte as it counts: 0 stays none, the rest is held to 2 to 60.
std::int32_t RunThreshold(const GameProfile& game);
void StoreRunKey(GameProfile& game, std::int32_t virtualKey, bool extended, std::int32_t threshold);
