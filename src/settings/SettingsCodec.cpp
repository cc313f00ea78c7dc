#include "settings/SettingsCodec.h"

#include <utility>

#include "settings/ByteStream.h"

namespace settings_codec {

namespace {

bool IsUtf8Trail(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

void WriteText(ByteWriter& out, std::string cp936) {
  cp936 = CutCp936(std::move(cp936), MaxTextBytes);
  out.Int16(static_cast<std::int16_t>(cp936.size()));
  out.Bytes(cp936);
}

void WriteUtf8Text(ByteWriter& out, const std::string& utf8, platform::Text& text) {
  WriteText(out, ToFileText(utf8, text));
}

std::string ReadText(ByteReader& in) { return in.Bytes(in.UInt16()); }

std::string ReadUtf8Text(ByteReader& in, platform::Text& text) { return FromFileText(ReadText(in), text); }

void WriteHotKey(ByteWriter& out, const HotKey& key) {
  out.Int32(key.VirtualKey);
  out.Int32(key.Extended);
  out.Int32(key.Reserved);
}

void ReadHotKey(ByteReader& in, HotKey& key) {
  key.VirtualKey = in.Int32();
  key.Extended = in.Int32();
  key.Reserved = in.Int32();
}

void WriteProfile(ByteWriter& out, const GameProfile& game, platform::Text& text) {
  WriteUtf8Text(out, game.GameName, text);
  WriteUtf8Text(out, game.GamePath, text);
  WriteText(out, game.ReservedText1);
  out.Int16(game.HideCursor);
  WriteText(out, game.ReservedText2);
  WriteText(out, game.ReservedText3);
  out.Block(game.ReservedBytes);
  for (const ButtonMap& button : game.Buttons) {
    out.Int32(button.VirtualKey);
    out.Int32(button.Extended);
    out.Int32(button.Reserved1);
    out.Int32(button.SwitchKey);
    out.Int32(button.SwitchExtended);
    out.Int32(button.Reserved2);
    out.Int16(button.Repeat);  // the next field follows directly: 30 bytes, not 32
    out.Int32(button.Reserved3);
  }
  for (const MoveMap& move : game.Moves) {
    out.Int32(move.VirtualKey);
    out.Int32(move.Extended);
    out.Int32(move.Reserved1);
    out.Int32(move.Reserved2);
    out.Int32(move.Threshold);
  }
  for (const WheelMap& wheel : game.Wheels) {
    out.Int32(wheel.VirtualKey);
    out.Int32(wheel.Extended);
    out.Int32(wheel.SwitchKey);
    out.Int32(wheel.SwitchExtended);
    out.Int32(wheel.Mode);
  }
}

GameProfile ReadProfile(ByteReader& in, platform::Text& text) {
  GameProfile game;
  game.GameName = ReadUtf8Text(in, text);
  game.GamePath = ReadUtf8Text(in, text);
  game.ReservedText1 = ReadText(in);
  game.HideCursor = in.Int16();
  game.ReservedText2 = ReadText(in);
  game.ReservedText3 = ReadText(in);
  in.Block(game.ReservedBytes);
  for (ButtonMap& button : game.Buttons) {
    button.VirtualKey = in.Int32();
    button.Extended = in.Int32();
    button.Reserved1 = in.Int32();
    button.SwitchKey = in.Int32();
    button.SwitchExtended = in.Int32();
    button.Reserved2 = in.Int32();
    button.Repeat = in.Int16();
    button.Reserved3 = in.Int32();
  }
  for (MoveMap& move : game.Moves) {
    move.VirtualKey = in.Int32();
    move.Extended = in.Int32();
    move.Reserved1 = in.Int32();
    move.Reserved2 = in.Int32();
    move.Threshold = in.Int32();
  }
  for (WheelMap& wheel : game.Wheels) {
    wheel.VirtualKey = in.Int32();
    wheel.Extended = in.Int32();
    wheel.SwitchKey = in.Int32();
    wheel.SwitchExtended = in.Int32();
    wheel.Mode = in.Int32();
  }
  return game;
}

// The count in the header only bounds the loop: every game read takes bytes of
// the input, so a huge count in a small file costs nothing.
void ReadGames(ByteReader& in, std::vector<GameProfile>& games, platform::Text& text) {
  if (in.Int16() != 1) return;
  const std::int32_t count = in.Int32();
  const std::int32_t lowerBound = in.Int32();
  if (in.Failed() || count <= 0 || lowerBound != 0) return;
  for (std::int32_t i = 0; i < count && !in.Failed() && in.Remaining() > 0; ++i) {
    games.push_back(ReadProfile(in, text));
  }
}

}  // namespace

// Characters beyond the Basic Multilingual Plane (four UTF-8 bytes) have no code
// page 936 form. They become "?" here, one each, because a conversion through
// UTF-16 may write one "?" per surrogate (Wine does), and the file must not
// depend on which system wrote it.
std::string ToFileText(const std::string& utf8, platform::Text& text) {
  if (utf8.empty()) return {};  // most texts; a conversion costs a system call
  std::string planeZero;
  planeZero.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    if (static_cast<unsigned char>(utf8[i]) < 0xF0) {
      planeZero.push_back(utf8[i++]);
      continue;
    }
    planeZero.push_back('?');
    ++i;
    for (int trail = 0; trail < 3 && i < utf8.size() && IsUtf8Trail(utf8[i]); ++trail) ++i;
  }
  return text.Utf8ToCp936(planeZero);
}

std::string FromFileText(const std::string& cp936, platform::Text& text) {
  return cp936.empty() ? std::string() : text.Cp936ToUtf8(cp936);
}

std::string CutCp936(std::string cp936, std::size_t limit) {
  if (cp936.size() <= limit) return cp936;
  std::size_t end = 0;
  while (end < cp936.size()) {
    const auto lead = static_cast<unsigned char>(cp936[end]);
    const std::size_t length = lead >= 0x81 && lead <= 0xFE ? 2 : 1;
    if (length > limit - end) break;
    end += length;
  }
  cp936.resize(end);
  return cp936;
}

std::vector<std::uint8_t> EncodeSettings(const AppSettings& settings, platform::Text& text) {
  ByteWriter out;
  WriteUtf8Text(out, settings.Version, text);
  WriteHotKey(out, settings.StartKey);
  WriteHotKey(out, settings.StopKey);
  out.Int32(settings.Reserved1);
  out.Int32(settings.LastGameIndex);
  out.Int16(settings.RememberLastGame);
  out.Block(settings.Reserved2);
  if (settings.Games.empty()) {
    out.Int16(0);
  } else {
    out.Int16(1);
    out.Int32(static_cast<std::int32_t>(settings.Games.size()));
    out.Int32(0);  // lower bound
    for (const GameProfile& game : settings.Games) WriteProfile(out, game, text);
  }
  return out.Take();
}

AppSettings DecodeSettings(std::span<const std::uint8_t> bytes, platform::Text& text) {
  ByteReader in(bytes);
  AppSettings settings;
  settings.Version = ReadUtf8Text(in, text);
  ReadHotKey(in, settings.StartKey);
  ReadHotKey(in, settings.StopKey);
  settings.Reserved1 = in.Int32();
  settings.LastGameIndex = in.Int32();
  settings.RememberLastGame = in.Int16();
  in.Block(settings.Reserved2);
  ReadGames(in, settings.Games, text);
  return settings;
}

}  // namespace settings_codec
