#pragma once
// The settings record in the byte form of setinf.set, apart from any file, so
// that the layout can be tested and fuzzed on its own.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "settings/Settings.h"

namespace settings_codec {

// A text's byte count is stored in 16 bits.
inline constexpr std::size_t MaxTextBytes = 65535;

// The record as setinf.set holds it. UTF-8 texts go to code page 936 through
// `text`; reserved texts and blocks are written as held. A text longer than
// MaxTextBytes in code page 936 is cut to fit, between two characters.
std::vector<std::uint8_t> EncodeSettings(const AppSettings& settings, platform::Text& text);

// The record in `bytes`, which may be cut, hand-edited or hostile. Fields the
// bytes do not reach stay zero or empty; a game list whose header this program
// would never write (dimensions other than 0 or 1, a negative count, a lower
// bound other than 0) reads as empty; only the games the bytes reach are kept,
// the last of them possibly cut short. Bytes after the record are ignored.
AppSettings DecodeSettings(std::span<const std::uint8_t> bytes, platform::Text& text);

// The profile as a save and a load give it back: its texts through code page
// 936, cut to fit.
GameProfile AsStored(const GameProfile& game, platform::Text& text);

// A UTF-8 text as the file holds it, in code page 936, not yet cut to fit;
// and back. A character without a code page 936 form becomes one "?".
std::string ToFileText(const std::string& utf8, platform::Text& text);
std::string FromFileText(const std::string& cp936, platform::Text& text);

// The longest start of the code page 936 bytes `cp936` that has at most
// `limit` bytes and ends between two characters.
std::string CutCp936(std::string cp936, std::size_t limit);

}  // namespace settings_codec
