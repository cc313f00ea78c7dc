#pragma once
// One game's profile as a file people can read, mail and fix in Notepad (a
// .tvgame file): UTF-8 with a byte-order mark, a section header naming the
// program, the format's version, then one "名称 = 值" line per field of the
// profile's field list, the reserved ones last, in hexadecimal.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "settings/Settings.h"

namespace profile_text {

inline constexpr char Header[] = "[Tillervane 游戏配置]";
inline constexpr char VersionName[] = "格式版本";
inline constexpr int FormatVersion = 1;
// Far above any file this program writes; a larger one is no game file.
inline constexpr std::size_t MaxFileBytes = 1u << 20;

// The words of the values, shared by the writer and the reader.
namespace words {
inline constexpr char Yes[] = "是";
inline constexpr char No[] = "否";
inline constexpr char Extended[] = "扩展";  // after a key's code: the extended-key flag
inline constexpr char NoKey[] = "无";
// By WheelMode.
inline constexpr const char* Modes[] = {"按下按键", "放开按键", "只按一次", "模拟重复", "停止重复"};
}  // namespace words

// The layout's name for a key, as the editor shows it; empty for no key.
using KeyNamer = std::string (*)(std::int32_t virtualKey, std::int32_t extended);

// The file's bytes for `game`, whose texts are UTF-8 with a code page 936 form.
std::vector<std::uint8_t> WriteProfile(const GameProfile& game, KeyNamer keyName);

// Why a file was refused: its line (from 1; 0 for the file as a whole) and the reason.
struct Refusal {
  int line = 0;
  std::string reason;
};

struct Reading {
  GameProfile game;          // fields the file leaves out are those of a new game
  int skippedLines = 0;      // lines of names this version does not know
  int nameLine = 0;          // the line of the game's name; 0 when it has none
  std::optional<Refusal> refusal;  // set: nothing of the file is to be used
};

// Reads untrusted bytes strictly: whatever it cannot read refuses the whole
// file; only lines of unknown names (a later version's) are skipped.
Reading ReadProfile(std::span<const std::uint8_t> bytes, platform::Text& text);

}  // namespace profile_text
