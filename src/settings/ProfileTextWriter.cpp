// The profile file's writer: one line per field of the profile's field list,
// those the editor shows first, the reserved ones after them.
#include <array>
#include <cstdio>
#include <string>

#include "settings/ProfileFields.h"
#include "settings/ProfileText.h"

namespace profile_text {

namespace {

constexpr char kNewline[] = "\r\n";  // what Notepad of every Windows version breaks lines at
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

std::string HexBytes(const std::uint8_t* bytes, std::size_t count) {
  std::string hex;
  for (std::size_t i = 0; i < count; ++i) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
    if (i != 0) hex += ' ';
    hex += pair;
  }
  return hex;
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A text goes as it is, unless the reader, which trims the value and reads a
// leading quote as the start of a quoted text, would not give it back so.
std::string TextValue(const std::string& text) {
  bool plain = text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back()) && text.front() != '"');
  for (char c : text) plain = plain && !IsControl(c);
  if (plain) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (IsControl(c)) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(c));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

class LineWriter {
 public:
  explicit LineWriter(KeyNamer keyName) : keyName_(keyName) {}

  void Text(const char* name, const std::string& value) { Line(shown_, name, TextValue(value)); }
  void Raw(const char* name, const RawText& value) {
    Line(reserved_, name, HexBytes(reinterpret_cast<const std::uint8_t*>(value.data()), value.size()));
  }
  void Flag(const char* name, Boolean16 value) {
    Line(shown_, name, value == True16 ? words::Yes : value == False16 ? words::No : std::to_string(value));
  }
  template <std::size_t N>
  void Block(const char* name, const std::array<std::uint8_t, N>& value) {
    Line(reserved_, name, HexBytes(value.data(), N));
  }
  void Option(const char* name, const GameProfile& game, bool (*get)(const GameProfile&), void (*)(GameProfile&, bool)) {
    Line(shown_, name, get(game) ? words::Yes : words::No);
  }
  // The name for people, the code for the program: "A (65)", "Up (38, 扩展)".
  void Key(const char* name, std::int32_t code, std::int32_t extended) {
    const std::string keyName = code == 0 ? words::NoKey : keyName_(code, extended);
    std::string value = keyName.empty() ? "(" : keyName + " (";
    value += std::to_string(code);
    if (extended != 0) value += std::string(", ") + words::Extended;
    Line(shown_, name, value + ")");
  }
  void BlockKey(const char* name, std::uint8_t code, std::uint8_t extended) { Key(name, code, extended); }
  void BlockNumber(const char* name, std::uint8_t value) { Number(name, value); }
  void Number(const char* name, std::int32_t value) { Line(shown_, name, std::to_string(value)); }
  void Reserved(const char* name, std::int32_t value) { Line(reserved_, name, std::to_string(value)); }
  void Mode(const char* name, std::int32_t value) {
    const bool known = value >= WheelPressKey && value <= WheelStopRepeat;
    Line(shown_, name, known ? words::Modes[value] : std::to_string(value));
  }

  std::string Take() const {
    return shown_ + "; 以下是保留内容，供其他版本使用，请保持原样" + kNewline + reserved_;
  }

 private:
  static void Line(std::string& to, const char* name, const std::string& value) {
    to += std::string(name) + (value.empty() ? " =" : " = ") + value + kNewline;
  }

  KeyNamer keyName_;
  std::string shown_, reserved_;
};

}  // namespace

std::vector<std::uint8_t> WriteProfile(const GameProfile& game, KeyNamer keyName) {
  LineWriter writer(keyName);
  profile_fields::Fields(writer, game);
  const std::string text = std::string(kByteOrderMark) + Header + kNewline + VersionName + " = " +
                           std::to_string(FormatVersion) + kNewline +
                           "; 按键写作“键名 (代码)”，由括号中的代码决定是哪个键；“扩展”指扩展键" + kNewline +
                           writer.Take();
  return {text.begin(), text.end()};
}

}  // namespace profile_text
