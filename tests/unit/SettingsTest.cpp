// The settings record in its file bytes, and loading, saving and removing a game.
#include <gtest/gtest.h>

#include "settings/ModFile.h"
#include "settings/SettingsCodec.h"
#include "support/FakePlatform.h"
#include "unit/Cp936Samples.h"

using settings_codec::DecodeSettings;
using settings_codec::EncodeSettings;
using Calls = std::vector<std::string>;

namespace {

platform::posix::IconvText cp936;
const Bytes kHead = kVersionBytes + Hex("78 00*11 7B 00*11 03 00*3 00*26");  // DefaultRecord() up to its games
const Bytes kFreshGame = Hex("06 00 D0 C2 D3 CE CF B7 00*10 00*218");      // "新游戏"

AppSettings WithGames(std::vector<GameProfile> games) {
  AppSettings settings = DefaultRecord();
  settings.Games = std::move(games);
  return settings;
}

TEST(SettingsCodec, RecordsEncodeToTheirBytesAndDecodeBack) {
  AppSettings saved = DefaultRecord();
  saved.LastGameIndex = 2;
  saved.RememberLastGame = True16;
  // A ButtonMap is 30 bytes: Reserved3 follows Repeat directly. The profile's fixed tail starts at 114.
  AppSettings maps = WithGames({Game("新游戏")});
  maps.StopKey.Reserved = 5;
  maps.Reserved2[19] = 0xCD;
  GameProfile& game = maps.Games[0];
  game.ReservedBytes[7] = 8;
  game.Buttons[RightButton] = {1, 2, 3, 4, 5, 6, True16, 7};
  game.Moves[MoveUp] = {0x26, 1, 0x11, 0x22, 9};
  game.Wheels[WheelBackward] = {0x58, 0, 0x10, 1, WheelStopRepeat};
  Bytes mapBytes = kHead + Hex("01 00 01 00*3 00*4") + kFreshGame;
  for (const auto& [offset, hex] : std::vector<std::pair<long, std::string>>{
           {52, "05"}, {85, "CD"}, {114 + 7, "08"},
           {114 + 38, "01 00*3 02 00*3 03 00*3 04 00*3 05 00*3 06 00*3 FF FF 07 00*3"},
           {114 + 138, "26 00*3 01 00*3 11 00*3 22 00*3 09 00*3"},
           {114 + 198, "58 00*3 00*4 10 00*3 01 00*3 04 00*3"}}) {
    const Bytes bytes = Hex(hex);
    std::copy(bytes.begin(), bytes.end(), mapBytes.begin() + offset);
  }
  const struct {
    const char* what;
    AppSettings record;
    Bytes bytes;
  } rows[] = {
      {"no games", saved, kVersionBytes + Hex("78 00*11 7B 00*11 03 00*3 02 00*3 FF FF 00*20 00 00")},
      {"maps and reserved fields", maps, mapBytes},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(EncodeSettings(row.record, cp936), row.bytes);
    EXPECT_EQ(DecodeSettings(row.bytes, cp936), row.record);
  }
}

TEST(SettingsCodec, CutOrHostileBytesDecodeWhatIsCompleteAndLeaveTheRestEmpty) {
  AppSettings cutInStartKey;
  cutInStartKey.Version = kVersion;
  cutInStartKey.StartKey.VirtualKey = 120;
  const struct {
    const char* what;
    Bytes bytes;
    AppSettings expected;
  } rows[] = {
      {"cut in a Long", kVersionBytes + Hex("78 00 00 00 01 00"), cutInStartKey},
      {"two dimensions", kHead + Hex("02 00 01 00*3 00*4") + kFreshGame, DefaultRecord()},
      {"count 2147483647 in 100 bytes", kHead + Hex("01 00 FF FF FF 7F 00*4 02 00 41 42"), WithGames({Game("AB")})},
  };
  for (const auto& row : rows) EXPECT_EQ(DecodeSettings(row.bytes, cp936), row.expected) << row.what;
}

// A count written modulo 65536 would misplace every field after the text.
TEST(SettingsCodec, TextsTooLongForTheirCountAreCutBetweenCharacters) {
  std::string han;  // two bytes a character in code page 936
  while (han.size() < 40000 * std::string("中").size()) han += "中";
  for (const auto& [name, stored] : std::vector<std::pair<std::string, std::size_t>>{
           {std::string(65535, 'a'), 65535}, {std::string(70000, 'a'), 65535},
           {"a" + han, 65535}, {"ab" + han, 65534}}) {
    const AppSettings decoded = DecodeSettings(EncodeSettings(WithGames({Game(name, "after")}), cp936), cp936);
    ASSERT_EQ(decoded.Games.size(), 1u);
    EXPECT_EQ(cp936.Utf8ToCp936(decoded.Games[0].GameName).size(), stored);
    EXPECT_EQ(decoded.Games[0].GamePath, "after");
  }
}

TEST(SettingsCodec, TextsThroughIconvGiveTheFileBytesBothWays) {
  for (const Cp936Sample& row : Cp936Samples()) {
    EXPECT_EQ(settings_codec::ToFileText(row.utf8, cp936), HexText(row.cp936)) << row.what;
    EXPECT_EQ(settings_codec::FromFileText(HexText(row.cp936), cp936), row.back) << row.what;
  }
}

const std::string kPath = "C:\\Tillervane\\setinf.set";
const std::string kOpen = "OpenReadWrite(" + kPath + ")", kDelete = "Delete(" + kPath + ")";
const std::string kVersionBox = "MessageBox(配置文件异常！,错误,0x10)";
std::string FailureBox(const std::string& shown) { return "MessageBox(" + shown + ",Tillervane,0x0)"; }

class SettingsFile : public ::testing::Test {
 protected:
  SettingsFile() {
    SettingsPath = kPath;
    VersionTag = kVersion;
  }
  // A fresh disk holding `stored`, with nothing failing and no calls logged.
  void Store(const AppSettings& stored) {
    os.disk = {{kPath, EncodeSettings(stored, cp936)}};
    os.failures.clear();
    os.TakeCalls();
  }
  static AppSettings Numbered(int count) {
    AppSettings settings = DefaultRecord();
    for (int i = 0; i < count; ++i) settings.Games.push_back(Game("游戏" + std::to_string(i)));
    return settings;
  }

  FakePlatform os;
};

// Every step after a failure still runs; the last failure is shown once, at the end.
TEST_F(SettingsFile, FailingStepsAreReportedOnceAtTheEnd) {
  const std::string write = "WriteFromStart(" + std::to_string(EncodeSettings(Numbered(2), cp936).size()) + ")";
  const std::string rewrite = "WriteFromStart(" + std::to_string(EncodeSettings(Numbered(1), cp936).size()) + ")";
  const struct {
    void (*procedure)();
    std::vector<std::string> failing;
    Calls expected;
  } rows[] = {
      {ModFile::LoadSettings, {"open"}, {kOpen, kVersionBox, FailureBox("open failed")}},
      {ModFile::LoadSettings, {"read"}, {kOpen, "ReadAll()", "Close()", kVersionBox, FailureBox("read failed")}},
      {[] { ModFile::SaveSettings(false); }, {"open"}, {kOpen, FailureBox("open failed")}},
      {[] { ModFile::SaveSettings(false); }, {"close"}, {kOpen, write, "Close()", FailureBox("close failed")}},
      {[] { ModFile::RemoveGame(0); }, {"delete", "write"},
       {kDelete, kOpen, rewrite, "Close()", FailureBox("write failed")}},
  };
  for (const auto& row : rows) {
    Store(Numbered(2));
    Settings = Numbered(2);
    for (const auto& step : row.failing) os.failures[step] = {step + " failed"};
    row.procedure();
    EXPECT_EQ(os.TakeCalls(), row.expected);
  }
}

// Only a refusal says where the program belongs: the file beside it can never be written there.
TEST_F(SettingsFile, ARefusalAddsWhereToKeepTheProgram) {
  Store(Numbered(2));
  os.failures = {{"open", {"拒绝访问。", true}}};
  ModFile::SaveSettings(false);
  EXPECT_EQ(os.TakeCalls().back(), FailureBox("拒绝访问。\n\nTillervane 的设置保存在程序所在的文件夹中，请把整个程序文件夹放到一个可以写入的位置"
                                              "（例如 D:\\Tillervane 或“文档”中），不要放在 Program Files 等受保护的文件夹里。"));
}

// The file is never shortened: loading ignores what lies behind the record.
TEST_F(SettingsFile, ASaveStampsThisVersionOverAnOlderLongerFile) {
  Store(Numbered(3));
  Settings = Numbered(2);
  Settings.Version = "older";
  ModFile::SaveSettings(false);
  ModFile::LoadSettings();
  EXPECT_EQ(Settings, Numbered(2));
}

TEST_F(SettingsFile, RemovingAGameShiftsTheLaterOnesDownAndAnIndexOutsideTheListChangesNothing) {
  Store(Numbered(3));
  Settings = Numbered(3);
  ModFile::RemoveGame(1);
  EXPECT_EQ(Settings.Games, (std::vector<GameProfile>{Game("游戏0"), Game("游戏2")}));
  os.TakeCalls();
  for (const int outside : {-1, 2}) ModFile::RemoveGame(outside);
  EXPECT_EQ(os.TakeCalls(), Calls{});
}

}  // namespace
