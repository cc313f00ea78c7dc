// A game's profile as a .tvgame text file: written and read back exactly,
// and every file the reader cannot take refused with its line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "settings/ProfileFields.h"
#include "settings/ProfileText.h"
#include "settings/SettingsCodec.h"
#include "unit/SettingsBytes.h"

namespace {

platform::posix::IconvText cp936;

std::string Named(std::int32_t code, std::int32_t extended) { return "K" + std::to_string(code) + (extended ? "e" : ""); }

std::string WrittenText(const GameProfile& game) {
  const auto bytes = profile_text::WriteProfile(game, Named);
  return {bytes.begin(), bytes.end()};
}

profile_text::Reading Read(const std::string& text) {
  return profile_text::ReadProfile(Bytes(text.begin(), text.end()), cp936);
}

// Every field of a profile at random, through the same field list the file uses.
class RandomFields {
 public:
  explicit RandomFields(std::mt19937& random) : random_(random) {}
  void Text(const char*, std::string& field) {
    static const char* const pieces[] = {"赛车", " ", "\"", "\\", "\t", "a", "=", "(1)", "\x01", "\x10", "；", "#", "\r"};
    field.clear();
    for (auto n = random_() % 6; n > 0; --n) field += pieces[random_() % std::size(pieces)];
  }
  void Raw(const char*, RawText& field) {
    field.clear();
    for (auto n = random_() % 5; n > 0; --n) field += static_cast<char>(random_());
  }
  void Flag(const char*, Boolean16& field) {
    const Boolean16 values[] = {True16, False16, static_cast<Boolean16>(random_())};
    field = values[random_() % 3];
  }
  template <std::size_t N>
  void Block(const char*, std::array<std::uint8_t, N>& field) {
    for (auto& byte : field) byte = static_cast<std::uint8_t>(random_());
  }
  template <class... Any>
  void Option(const Any&...) {}
  template <class... Any>
  void BlockKey(const Any&...) {}
  template <class... Any>
  void BlockNumber(const Any&...) {}
  void Key(const char*, std::int32_t& code, std::int32_t& extended) {
    code = static_cast<std::int32_t>(random_() % 256);
    extended = static_cast<std::int32_t>(random_() % 2);
  }
  void Number(const char*, std::int32_t& field) { field = static_cast<std::int32_t>(random_()); }
  void Reserved(const char* name, std::int32_t& field) { Number(name, field); }
  void Mode(const char*, std::int32_t& field) {
    field = random_() % 2 ? static_cast<std::int32_t>(random_() % 5) : static_cast<std::int32_t>(random_());
  }

 private:
  std::mt19937& random_;
};

TEST(ProfileText, EveryFixtureAndRandomProfileReadsBackExactly) {
  std::vector<GameProfile> games;
  for (const auto& file : std::filesystem::directory_iterator(TILLERVANE_FIXTURES_DIR)) {
    std::ifstream in(file.path(), std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (const GameProfile& game : settings_codec::DecodeSettings(bytes, cp936).Games) games.push_back(game);
  }
  ASSERT_GT(games.size(), 10u);
  std::ifstream example(TILLERVANE_DOCS_DIR "/racing-game.tvgame", std::ios::binary);
  const std::string exampleText{std::istreambuf_iterator<char>(example), std::istreambuf_iterator<char>()};
  const auto exampleGame = Read(exampleText);
  ASSERT_FALSE(exampleGame.refusal) << "the README's example";
  EXPECT_EQ(exampleGame.skippedLines, 0);
  games.push_back(exampleGame.game);
  std::mt19937 random(25);
  RandomFields fill(random);
  for (int i = 0; i < 300; ++i) profile_fields::Fields(fill, games.emplace_back());
  for (const GameProfile& game : games) {
    const std::string text = WrittenText(game);
    const profile_text::Reading reading = Read(text);
    ASSERT_FALSE(reading.refusal) << text << reading.refusal->line << reading.refusal->reason;
    EXPECT_EQ(reading.skippedLines, 0);
    EXPECT_TRUE(reading.game == game) << text;
  }
}

TEST(ProfileText, APlayerReadsNamesWordsAndNumbersAndTheReservedComeLast) {
  GameProfile game = Game("赛车", "C:\\游戏\\赛车.exe");
  game.Buttons[LeftButton] = {0x41, 0, 0, 0x10, 0, 0, True16, 0};
  game.Moves[MoveUp] = {0x26, 1, 0, 0, 3};
  game.Wheels[WheelForward].Mode = WheelStartRepeat;
  game.ReservedText2 = "\x01\xFF";
  SetFollowsGameWindow(game, true);
  game.Buttons[RightButton].Reserved1 = -7;
  const std::string text = WrittenText(game);
  for (const char* line : {"\xEF\xBB\xBF[Tillervane 游戏配置]\r\n格式版本 = 1\r\n", "\r\n游戏名称 = 赛车\r\n",
                           "\r\n文件位置 = C:\\游戏\\赛车.exe\r\n", "\r\n左键 = K65 (65)\r\n", "\r\n左键切换键 = K16 (16)\r\n",
                           "\r\n左键按住重复 = 是\r\n", "\r\n右键 = 无 (0)\r\n", "\r\n向上移动 = K38e (38, 扩展)\r\n",
                           "\r\n向上有效移动单位 = 3\r\n", "\r\n滚轮向前方式 = 模拟重复\r\n", "\r\n仅在游戏窗口激活时控制 = 是\r\n",
                           "\r\n保留文本2 = 01 FF\r\n", "\r\n保留字节 = 01 00 00 00 00 00 00 00\r\n", "\r\n右键保留1 = -7\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " not in\n" << text;
  }
  EXPECT_LT(text.find("中键按住重复"), text.find("保留文本1"));
  EXPECT_EQ(WrittenText(Game(" 赛车\"1\" ")).find("游戏名称 = \" 赛车\\\"1\\\" \"\r\n") != std::string::npos, true);
}

TEST(ProfileText, MissingFieldsAreANewGamesUnknownOnesAreCountedAndTheOptionWinsOverItsBit) {
  const auto reading = Read(
      "[Tillervane 游戏配置]\n格式版本=1\n\n; 注释\n# 注释\n未来的选项 = 1\n"
      "保留字节 = 01 02 05 00 00 00 00 0a\n仅在游戏窗口激活时控制 = 否\n精确移动 = 是\n奔跑键 = Shift (16, 扩展)\n"
      "左键=A(65,扩展)\n[以后的部分]\n左键 = B (66)\n");
  ASSERT_FALSE(reading.refusal);
  GameProfile expected = Game("新游戏");
  expected.ReservedBytes = {0x02, 16, 5, 0, 0, 0, 0, 10};  // a flag byte of 5 stays while the line says 扩展
  expected.Buttons[LeftButton].VirtualKey = 65;
  expected.Buttons[LeftButton].Extended = 1;
  EXPECT_EQ(reading.game, expected);
  EXPECT_EQ(reading.skippedLines, 3);
  EXPECT_EQ(reading.nameLine, 0);
}

TEST(ProfileText, EveryRefusalNamesItsLine) {
  const std::string head = "\xEF\xBB\xBF[Tillervane 游戏配置]\r\n格式版本 = 1\r\n";
  const struct {
    std::string file;
    int line;
    const char* reason;
  } rows[] = {
      {"", 1, "不是 Tillervane 游戏配置文件"},
      {"[设置]\r\n格式版本 = 1\r\n", 1, "不是 Tillervane 游戏配置文件"},
      {"\xFF\xFE[\0", 1, "文件是 UTF-16"},
      {std::string(profile_text::MaxFileBytes + 1, ' '), 0, "文件大于 1 MiB"},
      {std::string(profile_text::MaxFileBytes, ' '), 1, "不是 Tillervane 游戏配置文件"},
      {"[Tillervane 游戏配置]", 2, "应为“格式版本 = 1”"},
      {"[Tillervane 游戏配置]\n格式版本 = 2\n", 2, "格式版本 2 来自更新版本"},
      {head + "左键 A\r\n", 3, "无法读取：应为“名称 = 值”"},
      {head + "游戏名称 = \xC0\x80\r\n", 3, "不是 UTF-8 文本"},
      {head + "游戏名称 = \xED\xA0\x80\r\n", 3, "不是 UTF-8 文本"},  // a surrogate
      {head + "左键 = A (256)\r\n", 3, "“左键”的按键代码 256 超出范围（0 到 255）"},
      {head + "左键 = A (-1)\r\n", 3, "超出范围"},
      {head + "\r\n左键 = A\r\n", 4, "“左键”应写作“键名 (代码)”"},
      {head + "左键 = A (65, 右)\r\n", 3, "应写作"},
      {head + "游戏名称 = a😀\r\n", 3, "GBK（代码页 936）无法保存的字符"},
      {head + "游戏名称 = " + std::string(65536, 'a') + "\r\n", 3, "“游戏名称”太长"},
      {head + "文件位置 = \"C:\\x\"\r\n", 3, "“文件位置”的引号或转义"},
      {head + "游戏名称 = 甲\r\n游戏名称 = 乙\r\n", 4, "“游戏名称”出现了两次"},
      {head + "启动后隐藏光标 = 也许\r\n", 3, "应为“是”或“否”"},
      {head + "仅在游戏窗口激活时控制 = 1\r\n", 3, "应为“是”或“否”"},
      {head + "保留字节 = 00 01\r\n", 3, "“保留字节”应为 8 个"},
      {head + "保留文本1 = 0G\r\n", 3, "两位十六进制数"},
      {head + "向左有效移动单位 = 2147483648\r\n", 3, "之间的整数"},
      {head + "奔跑阈值 = 256\r\n", 3, "“奔跑阈值”应为 0 到 255 之间的整数"},
      {head + "滚轮向后方式 = 乱按\r\n游戏名称 = \"\r\n", 3, "“滚轮向后方式”应为"},  // the earlier line wins
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file.substr(0, 80));
    const auto reading = Read(row.file);
    ASSERT_TRUE(reading.refusal);
    EXPECT_EQ(reading.refusal->line, row.line);
    EXPECT_NE(reading.refusal->reason.find(row.reason), std::string::npos) << reading.refusal->reason;
  }
}

}  // namespace
