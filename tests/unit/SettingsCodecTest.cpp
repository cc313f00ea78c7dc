#include <gtest/gtest.h>

#include <random>

#include "platform/posix/IconvText.h"
#include "settings/SettingsCodec.h"
#include "unit/Cp936Samples.h"

using settings_codec::DecodeSettings;
using settings_codec::EncodeSettings;

namespace {

platform::posix::IconvText cp936;
const Bytes kHead =
    kVersionBytes + Hex("78 00*11 7B 00*11 03 00*3 00*26");            // DefaultRecord() up to its games
const Bytes kFreshGame = Hex("06 00 D0 C2 D3 CE CF B7 00*10 00*218");  // "新游戏"

GameProfile Named(const std::string& name, const std::string& path = "") {
  GameProfile game;
  game.GameName = name;
  game.GamePath = path;
  return game;
}

AppSettings WithGames(std::vector<GameProfile> games) {
  AppSettings settings = DefaultRecord();
  settings.Games = std::move(games);
  return settings;
}

TEST(SettingsCodec, RecordsEncodeToTheirBytesAndDecodeBack) {
  AppSettings saved = DefaultRecord();
  saved.LastGameIndex = 2;
  saved.RememberLastGame = True16;
  // Fields at their offsets: the reserved ones, and a ButtonMap of 30 bytes whose
  // Reserved3 follows Repeat directly. The profile's fixed tail starts at 114.
  AppSettings maps = WithGames({Named("新游戏")});
  maps.StopKey.Reserved = 5;
  maps.Reserved2[19] = 0xCD;
  GameProfile& game = maps.Games[0];
  game.ReservedBytes[7] = 8;
  game.Buttons[RightButton] = {1, 2, 3, 4, 5, 6, True16, 7};
  game.Moves[MoveUp] = {0x26, 1, 0x11, 0x22, 9};
  game.Wheels[WheelBackward] = {0x58, 0, 0x10, 1, WheelStopRepeat};
  Bytes mapBytes = kHead + Hex("01 00 01 00*3 00*4") + kFreshGame;
  const auto patch = [&](std::size_t offset, const std::string& hex) {
    const Bytes bytes = Hex(hex);
    std::copy(bytes.begin(), bytes.end(), mapBytes.begin() + static_cast<long>(offset));
  };
  patch(52, "05");
  patch(85, "CD");
  patch(114 + 7, "08");
  patch(114 + 38, "01 00*3 02 00*3 03 00*3 04 00*3 05 00*3 06 00*3 FF FF 07 00*3");
  patch(114 + 138, "26 00*3 01 00*3 11 00*3 22 00*3 09 00*3");
  patch(114 + 198, "58 00*3 00*4 10 00*3 01 00*3 04 00*3");
  const struct {
    const char* what;
    AppSettings record;
    Bytes bytes;
    std::size_t size;
  } rows[] = {
      {"no games", saved, kVersionBytes + Hex("78 00*11 7B 00*11 03 00*3 02 00*3 FF FF 00*20 00 00"), 88},
      {"one fresh game", WithGames({Named("新游戏")}), kHead + Hex("01 00 01 00*3 00*4") + kFreshGame,
       86 + 10 + 236},
      {"maps and reserved fields", maps, mapBytes, 86 + 10 + 236},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.bytes.size(), row.size);
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
      {"empty", {}, {}},
      {"cut in the version's count", Hex("1E"), {}},
      {"cut in the version", Bytes(kVersionBytes.begin(), kVersionBytes.begin() + 9), {}},
      {"cut in a Long", kVersionBytes + Hex("78 00 00 00 01 00"), cutInStartKey},
      {"trailing bytes", kHead + Hex("00 00 DE AD"), DefaultRecord()},
      {"two dimensions", kHead + Hex("02 00 01 00*3 00*4") + kFreshGame, DefaultRecord()},
      {"negative count", kHead + Hex("01 00 FF FF FF FF 00*4") + kFreshGame, DefaultRecord()},
      {"count zero", kHead + Hex("01 00 00*4 00*4") + kFreshGame, DefaultRecord()},
      {"lower bound 1", kHead + Hex("01 00 01 00*3 01 00*3") + kFreshGame, DefaultRecord()},
      {"count 2147483647 in 100 bytes", kHead + Hex("01 00 FF FF FF 7F 00*4 02 00 41 42"),
       WithGames({Named("AB")})},
      {"count beyond the games", kHead + Hex("01 00 03 00*3 00*4") + kFreshGame + kFreshGame,
       WithGames({Named("新游戏"), Named("新游戏")})},
      {"cut in a game's text", kHead + Hex("01 00 02 00*3 00*4") + kFreshGame + Hex("02 00 41 42 09 00 43"),
       WithGames({Named("新游戏"), Named("AB")})},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(DecodeSettings(row.bytes, cp936), row.expected);
  }
}

// A count written modulo 65536 would misplace every field after the text.
TEST(SettingsCodec, TextsTooLongForTheirCountAreCutBetweenCharacters) {
  const auto repeat = [](const std::string& piece, int times) {
    std::string text;
    while (times-- > 0) text += piece;
    return text;
  };
  const struct {
    std::string name;
    std::size_t stored;
  } rows[] = {{repeat("a", 65535), 65535},
              {repeat("a", 70000), 65535},
              {"a" + repeat("中", 40000), 65535},
              {"ab" + repeat("中", 40000), 65534}};
  for (const auto& row : rows) {
    GameProfile game = Named(row.name, "after");
    game.HideCursor = True16;
    const AppSettings decoded = DecodeSettings(EncodeSettings(WithGames({game}), cp936), cp936);
    ASSERT_EQ(decoded.Games.size(), 1u);
    EXPECT_EQ(cp936.Utf8ToCp936(decoded.Games[0].GameName).size(), row.stored);
    EXPECT_EQ(row.name.rfind(decoded.Games[0].GameName, 0), 0u);
    EXPECT_EQ(decoded.Games[0].GamePath, "after");
    EXPECT_EQ(decoded.Games[0].HideCursor, True16);
  }
}

TEST(SettingsCodec, TextsThroughIconvGiveTheFileBytesBothWays) {
  for (const Cp936Sample& row : Cp936Samples()) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(settings_codec::ToFileText(row.utf8, cp936), HexText(row.cp936));
    EXPECT_EQ(settings_codec::FromFileText(HexText(row.cp936), cp936), row.back);
  }
}

// Whatever the program holds, with texts it can write, a save and a load give back.
TEST(SettingsCodec, RandomRecordsSurviveARoundTrip) {
  std::mt19937 random(20240601);
  const std::string texts[] = {"", "新游戏", "C:\\游戏\\赛车.exe", "Tillervane", "《三国》·一"};
  const auto text = [&] { return texts[random() % 5]; };
  const auto any = [&] { return static_cast<std::int32_t>(random()); };
  const auto raw = [&] {
    std::string bytes(random() % 6, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    return bytes;
  };
  for (int round = 0; round < 200; ++round) {
    AppSettings settings;
    settings.Version = text();
    settings.StopKey = {any(), any(), any()};
    settings.Reserved1 = any();
    settings.RememberLastGame = static_cast<Boolean16>(any());
    for (auto& byte : settings.Reserved2) byte = static_cast<std::uint8_t>(any());
    for (auto games = random() % 5; games > 0; --games) {
      GameProfile game = Named(text(), text());
      game.ReservedText1 = raw();
      game.HideCursor = static_cast<Boolean16>(any());
      game.ReservedText2 = raw();
      game.ReservedText3 = raw();
      game.ReservedBytes[random() % 8] = static_cast<std::uint8_t>(any());
      for (auto& b : game.Buttons)
        b = {any(), any(), any(), any(), any(), any(), static_cast<Boolean16>(any()), any()};
      for (auto& move : game.Moves) move = {any(), any(), any(), any(), any()};
      for (auto& wheel : game.Wheels) wheel = {any(), any(), any(), any(), any()};
      settings.Games.push_back(game);
    }
    ASSERT_EQ(DecodeSettings(EncodeSettings(settings, cp936), cp936), settings) << "round " << round;
  }
}

}  // namespace
