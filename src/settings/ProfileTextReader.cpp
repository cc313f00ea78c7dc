// The profile file's reader. The file may come from anywhere, so it is read
// strictly: every line is taken apart first, then the profile's field list
// takes the value of each name it knows; what it cannot read refuses the
// whole file, naming the line.
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "settings/ProfileFields.h"
#include "settings/ProfileText.h"
#include "settings/SettingsCodec.h"

namespace profile_text {

namespace {

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Well-formed UTF-8: no stray or missing trail bytes, overlong forms or surrogates.
bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int trail = lead < 0x80 ? 0 : lead >= 0xC2 && lead <= 0xDF ? 1 : lead >= 0xE0 && lead <= 0xEF ? 2
                                                    : lead >= 0xF0 && lead <= 0xF4 ? 3 : -1;
    if (trail < 0 || static_cast<std::size_t>(trail) >= text.size() - i) return false;
    unsigned low = 0x80, high = 0xBF;  // the first trail byte's range
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
    for (int k = 1; k <= trail; ++k) {
      const auto byte = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if (byte < (k == 1 ? low : 0x80) || byte > (k == 1 ? high : 0xBF)) return false;
    }
    i += static_cast<std::size_t>(trail) + 1;
  }
  return true;
}

// A decimal integer of at most 18 digits, with an optional minus.
std::optional<long long> Integer(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.size() > 18) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

std::optional<std::int32_t> Int32(std::string_view text) {
  const auto value = Integer(text);
  if (!value || *value < INT32_MIN || *value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Two hexadecimal digits a byte, the bytes apart by blanks.
std::optional<std::string> HexBytes(std::string_view text) {
  std::string bytes;
  while (!(text = Trim(text)).empty()) {
    if (text.size() < 2 || HexDigit(text[0]) < 0 || HexDigit(text[1]) < 0 ||
        (text.size() > 2 && text[2] != ' ' && text[2] != '\t'))
      return std::nullopt;
    bytes += static_cast<char>(HexDigit(text[0]) * 16 + HexDigit(text[1]));
    text.remove_prefix(2);
  }
  return bytes;
}

// A text as it stands, or between quotes with \\, \" and \xHH.
std::optional<std::string> Unquoted(std::string_view value) {
  if (value.empty() || value.front() != '"') return std::string(value);
  if (value.size() < 2 || value.back() != '"') return std::nullopt;
  value = value.substr(1, value.size() - 2);
  std::string text;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '"') return std::nullopt;
    if (value[i] != '\\') {
      text += value[i];
    } else if (i + 1 < value.size() && (value[i + 1] == '\\' || value[i + 1] == '"')) {
      text += value[++i];
    } else if (i + 3 < value.size() && value[i + 1] == 'x' && HexDigit(value[i + 2]) >= 0 && HexDigit(value[i + 2]) < 8 &&
               HexDigit(value[i + 3]) >= 0) {
      text += static_cast<char>(HexDigit(value[i + 2]) * 16 + HexDigit(value[i + 3]));
      i += 3;
    } else {
      return std::nullopt;
    }
  }
  return text;
}

std::string Named(const char* name) { return std::string("“") + name + "”"; }

struct Entry {
  std::string value;
  int line = 0;
  bool used = false;
};
using Entries = std::map<std::string, Entry, std::less<>>;

// Takes each field's value from its line, when the file has one.
class FieldReader {
 public:
  FieldReader(Entries& entries, platform::Text& text) : entries_(entries), text_(text) {}

  void Text(const char* name, std::string& field) {
    const Entry* entry = Find(name);
    if (entry == nullptr) return;
    const auto text = Unquoted(entry->value);
    if (!text) return Refuse(*entry, Named(name) + "的引号或转义（\\\\、\\\"、\\xHH）有误");
    const std::string cp936 = settings_codec::ToFileText(*text, text_);
    if (settings_codec::FromFileText(cp936, text_) != *text)
      return Refuse(*entry, Named(name) + "中有 GBK（代码页 936）无法保存的字符");
    if (cp936.size() > settings_codec::MaxTextBytes) return Refuse(*entry, Named(name) + TooLong());
    field = *text;
  }
  void Raw(const char* name, RawText& field) {
    const Entry* entry = Find(name);
    if (entry == nullptr) return;
    const auto bytes = HexBytes(entry->value);
    if (!bytes) return Refuse(*entry, Named(name) + "应为以空格分隔的两位十六进制数");
    if (bytes->size() > settings_codec::MaxTextBytes) return Refuse(*entry, Named(name) + TooLong());
    field = *bytes;
  }
  void Flag(const char* name, Boolean16& field) {
    const Entry* entry = Find(name);
    if (entry == nullptr) return;
    const std::optional<long long> value = entry->value == words::Yes  ? True16
                                           : entry->value == words::No ? False16
                                                                       : Integer(entry->value);
    if (!value || *value < INT16_MIN || *value > INT16_MAX)
      return Refuse(*entry, Named(name) + "应为“是”或“否”");
    field = static_cast<Boolean16>(*value);
  }
  template <std::size_t N>
  void Block(const char* name, std::array<std::uint8_t, N>& field) {
    const Entry* entry = Find(name);
    if (entry == nullptr) return;
    const auto bytes = HexBytes(entry->value);
    if (!bytes || bytes->size() != N)
      return Refuse(*entry, Named(name) + "应为 " + std::to_string(N) + " 个以空格分隔的两位十六进制数");
    for (std::size_t i = 0; i < N; ++i) field[i] = static_cast<std::uint8_t>((*bytes)[i]);
  }
  // After the block it is a bit of, so that the named value wins.
  void Option(const char* name, GameProfile& game, bool (*)(const GameProfile&), void (*set)(GameProfile&, bool)) {
    const Entry* entry = Find(name);
    if (entry == nullptr) return;
    if (entry->value != words::Yes && entry->value != words::No) return Refuse(*entry, Named(name) + "应为“是”或“否”");
    set(game, entry->value == words::Yes);
  }
  // "名字 (代码)" or "名字 (代码, 扩展)": the name is for people, the code decides.
  void Key(const char* name, std::int32_t& code, std::int32_t& extended) {
    const Entry* entry = Find(name);
    if (entry == nullptr) return;
    const std::string_view value = entry->value;
    const auto open = value.rfind('(');
    const std::string_view inside = open == std::string_view::npos || !value.ends_with(')')
                                        ? std::string_view()
                                        : value.substr(open + 1, value.size() - open - 2);
    const auto comma = inside.find(',');
    const auto number = Integer(Trim(inside.substr(0, comma)));
    const bool flagOk = comma == std::string_view::npos || Trim(inside.substr(comma + 1)) == words::Extended;
    if (!number || !flagOk)
      return Refuse(*entry, Named(name) + "应写作“键名 (代码)”或“键名 (代码, 扩展)”");
    if (*number < 0 || *number > 255)
      return Refuse(*entry, Named(name) + "的按键代码 " + std::to_string(*number) + " 超出范围（0 到 255）");
    code = static_cast<std::int32_t>(*number);
    extended = comma == std::string_view::npos ? 0 : 1;
  }
  // A flag byte other than 0 or 1 that the block gave stays as long as the line says 扩展.
  void BlockKey(const char* name, std::uint8_t& code, std::uint8_t& extended) {
    std::int32_t key = code, flag = extended != 0 ? 1 : 0;
    Key(name, key, flag);
    code = static_cast<std::uint8_t>(key);
    extended = flag == 0 ? 0 : extended != 0 ? extended : 1;
  }
  void BlockNumber(const char* name, std::uint8_t& field) {
    const Entry* entry = Find(name);
    if (entry == nullptr) return;
    const auto value = Integer(entry->value);
    if (!value || *value < 0 || *value > 255) return Refuse(*entry, Named(name) + "应为 0 到 255 之间的整数");
    field = static_cast<std::uint8_t>(*value);
  }
  void Number(const char* name, std::int32_t& field) { Long(name, field); }
  void Reserved(const char* name, std::int32_t& field) { Long(name, field); }
  void Mode(const char* name, std::int32_t& field) {
    const Entry* entry = Find(name);
    if (entry == nullptr) return;
    for (std::int32_t mode = WheelPressKey; mode <= WheelStopRepeat; ++mode) {
      if (entry->value == words::Modes[mode]) return void(field = mode);
    }
    const auto value = Int32(entry->value);
    if (!value) return Refuse(*entry, Named(name) + "应为 按下按键、放开按键、只按一次、模拟重复、停止重复 之一");
    field = *value;
  }

  // The refusal of the earliest line, if any.
  std::optional<Refusal> refusal;

 private:
  static std::string TooLong() { return "太长：配置文件中一项最多 65535 字节（GBK）"; }

  Entry* Find(const char* name) {
    const auto found = entries_.find(std::string_view(name));
    if (found == entries_.end()) return nullptr;
    found->second.used = true;
    return &found->second;
  }
  void Long(const char* name, std::int32_t& field) {
    const Entry* entry = Find(name);
    if (entry == nullptr) return;
    const auto value = Int32(entry->value);
    if (!value) return Refuse(*entry, Named(name) + "应为 -2147483648 到 2147483647 之间的整数");
    field = *value;
  }
  void Refuse(const Entry& entry, std::string reason) {
    if (!refusal || entry.line < refusal->line) refusal = Refusal{entry.line, std::move(reason)};
  }

  Entries& entries_;
  platform::Text& text_;
};

// The second line: "格式版本 = 1". A later version that reads differently
// raises the number; one that only adds names does not.
std::optional<Refusal> CheckVersion(std::string_view line) {
  const auto equals = line.find('=');
  const auto version = equals == std::string_view::npos ? std::nullopt : Integer(Trim(line.substr(equals + 1)));
  if (!version || Trim(line.substr(0, equals)) != VersionName)
    return Refusal{2, std::string("应为“") + VersionName + " = " + std::to_string(FormatVersion) + "”"};
  if (*version > FormatVersion)
    return Refusal{2, "格式版本 " + std::to_string(*version) + " 来自更新版本的 Tillervane，请先更新本程序"};
  if (*version != FormatVersion) return Refusal{2, "没有格式版本 " + std::to_string(*version)};
  return std::nullopt;
}

}  // namespace

Reading ReadProfile(std::span<const std::uint8_t> bytes, platform::Text& text) {
  Reading reading;
  reading.game.GameName = "新游戏";  // as a game made by the add command
  const auto refused = [&reading](int line, std::string reason) {
    reading.refusal = Refusal{line, std::move(reason)};
    return reading;
  };
  if (bytes.size() > MaxFileBytes) return refused(0, "文件大于 1 MiB，不是 Tillervane 游戏配置文件");
  std::string_view all(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (all.starts_with("\xFF\xFE") || all.starts_with("\xFE\xFF"))
    return refused(1, "文件是 UTF-16（Unicode）编码，请在记事本中另存为 UTF-8");
  if (all.starts_with("\xEF\xBB\xBF")) all.remove_prefix(3);

  Entries entries;
  bool otherSection = false;  // a later version's: everything in it is skipped
  int number = 0;
  for (std::size_t start = 0; start <= all.size();) {
    std::size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view line = all.substr(start, end - start);
    start = end + 1;
    ++number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (!IsUtf8(line)) return refused(number, "不是 UTF-8 文本");
    line = Trim(line);
    if (number == 1) {
      if (line != Header) return refused(1, "不是 Tillervane 游戏配置文件");
      continue;
    }
    if (number == 2) {
      if (auto refusal = CheckVersion(line)) return refused(refusal->line, refusal->reason);
      entries[VersionName] = {std::string(), 2, true};
      continue;
    }
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    otherSection = otherSection || line.front() == '[';
    if (otherSection) {
      ++reading.skippedLines;
      continue;
    }
    const auto equals = line.find('=');
    const std::string_view name = Trim(line.substr(0, equals));
    if (equals == std::string_view::npos || name.empty()) return refused(number, "无法读取：应为“名称 = 值”");
    const std::string key(name);
    if (!entries.try_emplace(key, Entry{std::string(Trim(line.substr(equals + 1))), number}).second)
      return refused(number, Named(key.c_str()) + "出现了两次");
  }
  if (number < 2) return refused(2, CheckVersion({})->reason);

  FieldReader reader(entries, text);
  profile_fields::Fields(reader, reading.game);
  if (reader.refusal) return refused(reader.refusal->line, reader.refusal->reason);
  for (const auto& [name, entry] : entries) reading.skippedLines += entry.used ? 0 : 1;
  if (const auto name = entries.find(std::string_view(profile_fields::NameField)); name != entries.end())
    reading.nameLine = name->second.line;
  return reading;
}

}  // namespace profile_text
