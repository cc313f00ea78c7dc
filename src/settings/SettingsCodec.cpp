#include "settings/SettingsCodec.h"

#include <array>
#include <utility>

#include "settings/ByteStream.h"
#include "settings/ProfileFields.h"

namespace settings_codec {

namespace {

bool IsUtf8Trail(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// The file has no names: a named field of the profile's field list is its
// plain fields in order, and what is named inside the reserved block (an
// option's bit, the run key's bytes) has no bytes of its own.
template <class Io>
class Unnamed {
 public:
  template <class T>
  void Text(const char*, T& field) { Self().Utf8(field); }
  template <class T>
  void Raw(const char*, T& field) { Self().RawBytes(field); }
  template <class... Any>
  void Option(const Any&...) {}
  template <class... Any>
  void BlockKey(const Any&...) {}
  template <class... Any>
  void BlockNumber(const Any&...) {}
  template <class... T>
  void Flag(const char*, T&... fields) { Self()(fields...); }
  template <class... T>
  void Block(const char*, T&... fields) { Self()(fields...); }
  template <class... T>
  void Key(const char*, T&... fields) { Self()(fields...); }
  template <class... T>
  void Number(const char*, T&... fields) { Self()(fields...); }
  template <class... T>
  void Reserved(const char*, T&... fields) { Self()(fields...); }
  template <class... T>
  void Mode(const char*, T&... fields) { Self()(fields...); }

 private:
  Io& Self() { return static_cast<Io&>(*this); }
};

// The two directions of the file's fields. Each takes the fields in the order
// the file holds them, so one list serves both and they cannot disagree.
class Reader : public Unnamed<Reader> {
 public:
  Reader(ByteReader& in, platform::Text& text) : in_(in), text_(text) {}
  template <class... Field>
  void operator()(Field&... fields) {
    (Read(fields), ...);
  }
  void RawBytes(RawText& field) { field = in_.Bytes(in_.UInt16()); }
  void Utf8(std::string& field) { field = FromFileText(in_.Bytes(in_.UInt16()), text_); }

 private:
  void Read(std::int32_t& field) { field = in_.Int32(); }
  void Read(std::int16_t& field) { field = in_.Int16(); }
  template <std::size_t N>
  void Read(std::array<std::uint8_t, N>& field) {
    in_.Block(field);
  }

  ByteReader& in_;
  platform::Text& text_;
};

class Writer : public Unnamed<Writer> {
 public:
  Writer(ByteWriter& out, platform::Text& text) : out_(out), text_(text) {}
  template <class... Field>
  void operator()(const Field&... fields) {
    (Write(fields), ...);
  }
  void RawBytes(std::string field) {
    const std::string cut = CutCp936(std::move(field), MaxTextBytes);
    out_.Int16(static_cast<std::int16_t>(cut.size()));
    out_.Bytes(cut);
  }
  void Utf8(const std::string& field) { RawBytes(ToFileText(field, text_)); }

 private:
  void Write(std::int32_t field) { out_.Int32(field); }
  void Write(std::int16_t field) { out_.Int16(field); }
  template <std::size_t N>
  void Write(const std::array<std::uint8_t, N>& field) {
    out_.Block(field);
  }

  ByteWriter& out_;
  platform::Text& text_;
};

// `Record` is the record itself for reading, const for writing.
template <class Io, class Record>
void KeyFields(Io& io, Record& key) {
  io(key.VirtualKey, key.Extended, key.Reserved);
}

// Everything before the game list.
template <class Io, class Record>
void HeaderFields(Io& io, Record& settings) {
  io.Utf8(settings.Version);
  KeyFields(io, settings.StartKey);
  KeyFields(io, settings.StopKey);
  io(settings.Reserved1, settings.LastGameIndex, settings.RememberLastGame, settings.Reserved2);
}

// The count in the header only bounds the loop: every game read takes bytes of
// the input, so a huge count in a small file costs nothing.
void ReadGames(ByteReader& in, std::vector<GameProfile>& games, platform::Text& text) {
  if (in.Int16() != 1) return;
  const std::int32_t count = in.Int32();
  const std::int32_t lowerBound = in.Int32();
  if (in.Failed() || count <= 0 || lowerBound != 0) return;
  Reader reader(in, text);
  for (std::int32_t i = 0; i < count && !in.Failed() && in.Remaining() > 0; ++i) {
    profile_fields::Fields(reader, games.emplace_back());
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
  Writer writer(out, text);
  HeaderFields(writer, settings);
  out.Int16(settings.Games.empty() ? 0 : 1);  // the game array's dimensions
  if (!settings.Games.empty()) {
    out.Int32(static_cast<std::int32_t>(settings.Games.size()));
    out.Int32(0);  // lower bound
    for (const GameProfile& game : settings.Games) profile_fields::Fields(writer, game);
  }
  return out.Take();
}

AppSettings DecodeSettings(std::span<const std::uint8_t> bytes, platform::Text& text) {
  ByteReader in(bytes);
  AppSettings settings;
  Reader reader(in, text);
  HeaderFields(reader, settings);
  ReadGames(in, settings.Games, text);
  return settings;
}

GameProfile AsStored(const GameProfile& game, platform::Text& text) {
  ByteWriter out;
  Writer writer(out, text);
  profile_fields::Fields(writer, game);
  const std::vector<std::uint8_t> bytes = out.Take();
  ByteReader in(bytes);
  Reader reader(in, text);
  GameProfile stored;
  profile_fields::Fields(reader, stored);
  return stored;
}

}  // namespace settings_codec
