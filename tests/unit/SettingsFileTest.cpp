#include <gtest/gtest.h>

#include "settings/ModFile.h"
#include "settings/SettingsCodec.h"
#include "support/FakePlatform.h"
#include "unit/SettingsBytes.h"

namespace {

const std::string kPath = "C:\\Tillervane\\setinf.set";
const std::string kOpen = "OpenReadWrite(" + kPath + ")", kDelete = "Delete(" + kPath + ")";
const std::string kVersionBox = "MessageBox(配置文件异常！|错误|0x10)";
std::string FailureBox(const std::string& step) { return "MessageBox(" + step + " failed|Tillervane|0x0)"; }
using Calls = std::vector<std::string>;

class SettingsFile : public ::testing::Test {
 protected:
  SettingsFile() { Reset(); }
  ~SettingsFile() override { Reset(); }
  static void Reset() {
    Settings = {};
    SettingsPath = kPath;
    VersionTag = kVersion;
    CurGameIndex = -1;
  }
  // A fresh disk holding `stored`, with nothing failing and no calls logged.
  void Store(const AppSettings& stored) {
    os.disk = {{kPath, Encode(stored)}};
    os.failures.clear();
    os.TakeCalls();
  }
  Bytes Encode(const AppSettings& settings) { return settings_codec::EncodeSettings(settings, os.text); }
  static AppSettings WithGames(int count) {
    AppSettings settings = DefaultRecord();
    settings.Games.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
      settings.Games[static_cast<std::size_t>(i)].GameName = "游戏" + std::to_string(i);
    return settings;
  }

  FakePlatform os;
};

TEST_F(SettingsFile, AMissingFileIsCreatedEmptyAndLoadsAsDefaultsAfterTheVersionMessage) {
  ModFile::LoadSettings();
  EXPECT_EQ(os.TakeCalls(), (Calls{kOpen, "ReadAll", "Close", kVersionBox}));
  EXPECT_EQ(os.disk.at(kPath), Bytes{});
  AppSettings defaults = DefaultRecord();
  defaults.Version.clear();
  EXPECT_EQ(Settings, defaults);
}

TEST_F(SettingsFile, AVersionThatDiffersOnlyInCaseIsReportedAndTheDataIsUsedAsRead) {
  AppSettings stored = WithGames(2);
  stored.Version = "tillervane（Tillervane v2.01）";
  Store(stored);
  ModFile::LoadSettings();
  EXPECT_EQ(os.TakeCalls().back(), kVersionBox);
  EXPECT_EQ(Settings, stored);
}

TEST_F(SettingsFile, DefaultsApplyInMemoryOnly) {
  const struct {
    HotKey start, stop;
    std::int32_t reserved1;
    HotKey loadedStart, loadedStop;
    std::int32_t loadedReserved1;
  } rows[] = {{{0, 1, 9}, {0, 1, 8}, -5, {120, 0, 9}, {123, 0, 8}, 3},
              {{120, 1}, {45, 1}, 7, {120, 1}, {45, 1}, 7},
              {{-1}, {0}, 2, {-1}, {123}, 3},
              {{65}, {0, 1}, 3, {65}, {123}, 3}};
  for (const auto& row : rows) {
    AppSettings stored;
    stored.Version = kVersion;
    stored.StartKey = row.start;
    stored.StopKey = row.stop;
    stored.Reserved1 = row.reserved1;
    Store(stored);
    ModFile::LoadSettings();
    EXPECT_EQ(Settings.StartKey, row.loadedStart);
    EXPECT_EQ(Settings.StopKey, row.loadedStop);
    EXPECT_EQ(Settings.Reserved1, row.loadedReserved1);
    EXPECT_EQ(os.disk.at(kPath), Encode(stored));
    EXPECT_EQ(os.TakeCalls().size(), 3u);  // open, read, close: no message
  }
}

// Every step after a failure still runs; the last failure is shown once, at the end.
TEST_F(SettingsFile, FailingStepsAreReportedOnceAtTheEnd) {
  enum Procedure { Load, Save, Remove };
  const struct {
    Procedure procedure;
    std::vector<std::string> failing;
    Calls expected;  // "Write" stands for the write of the whole record
  } rows[] = {
      {Load, {"open"}, {kOpen, kVersionBox, FailureBox("open")}},
      {Load, {"read"}, {kOpen, "ReadAll", "Close", kVersionBox, FailureBox("read")}},
      {Load, {"close"}, {kOpen, "ReadAll", "Close", FailureBox("close")}},
      {Load, {"read", "close"}, {kOpen, "ReadAll", "Close", kVersionBox, FailureBox("close")}},
      {Save, {"open"}, {kOpen, FailureBox("open")}},
      {Save, {"write"}, {kOpen, "Write", "Close", FailureBox("write")}},
      {Save, {"close"}, {kOpen, "Write", "Close", FailureBox("close")}},
      {Remove, {"delete"}, {kDelete, kOpen, "Write", "Close", FailureBox("delete")}},
      {Remove, {"delete", "write"}, {kDelete, kOpen, "Write", "Close", FailureBox("write")}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expected.back());
    Store(WithGames(2));
    Settings = WithGames(2);
    for (const auto& step : row.failing) os.failures[step] = {step + " failed"};
    if (row.procedure == Load) ModFile::LoadSettings();
    if (row.procedure == Save) ModFile::SaveSettings(false);
    if (row.procedure == Remove) ModFile::RemoveGame(0);
    Calls expected = row.expected;
    for (auto& call : expected) {
      if (call == "Write") call = "WriteFromStart(" + std::to_string(Encode(Settings).size()) + ")";
    }
    EXPECT_EQ(os.TakeCalls(), expected);
  }
}

// Only when the failure reported is a refusal does the box say where the
// program belongs: the file beside it can never be written there.
TEST_F(SettingsFile, ARefusalReportedAddsWhereToKeepTheProgram) {
  const std::string advice =
      "拒绝访问。\n\nTillervane 的设置保存在程序所在的文件夹中，请把整个程序文件夹放到一个可以写入的位置"
      "（例如 D:\\Tillervane 或“文档”中），不要放在 Program Files 等受保护的文件夹里。";
  const platform::FileFailure refused{"拒绝访问。", true}, failed{"write failed"};
  const struct {
    void (*procedure)();
    std::map<std::string, platform::FileFailure> failures;
    std::string shown;
  } rows[] = {{[] { ModFile::SaveSettings(false); }, {{"open", refused}}, advice},
              {[] { ModFile::LoadSettings(); }, {{"open", refused}}, advice},
              {[] { ModFile::SaveSettings(false); }, {{"write", refused}}, advice},
              {[] { ModFile::RemoveGame(0); }, {{"delete", refused}, {"write", failed}}, "write failed"}};
  for (const auto& row : rows) {
    Store(WithGames(2));
    Settings = WithGames(2);
    os.failures = row.failures;
    row.procedure();
    EXPECT_EQ(os.TakeCalls().back(), "MessageBox(" + row.shown + "|Tillervane|0x0)");
  }
}

// What came in before the failure is kept: here the whole first game, and the
// second only as far as the bytes reach.
TEST_F(SettingsFile, AFailedReadKeepsWhatItReadBeforeTheFailure) {
  const AppSettings stored = WithGames(2);
  Store(stored);
  os.failures["read"] = {"read failed"};
  os.bytesBeforeReadFailure = Encode(WithGames(1)).size() + 10;
  ModFile::LoadSettings();
  EXPECT_EQ(os.TakeCalls(), (Calls{kOpen, "ReadAll", "Close", FailureBox("read")}));
  ASSERT_EQ(Settings.Games.size(), 2u);
  EXPECT_EQ(Settings.Games[0], stored.Games[0]);
  EXPECT_EQ(Settings.Version, kVersion);
}

TEST_F(SettingsFile, AShorterSaveLeavesTheOldTailAndLoadsBackToTheSavedRecord) {
  Settings = WithGames(3);
  Settings.Games[1].GamePath = "D:\\很长的路径\\game.exe";
  ModFile::SaveSettings(false);
  const Bytes longer = os.disk.at(kPath);
  Settings.Version = "older";
  Settings.Games.pop_back();
  Settings.Games[1].GamePath.clear();
  ModFile::SaveSettings(false);
  const AppSettings saved = Settings;
  const Bytes shorter = Encode(saved);
  EXPECT_EQ(saved.Version, kVersion);
  EXPECT_EQ(os.disk.at(kPath),
            shorter + Bytes(longer.begin() + static_cast<long>(shorter.size()), longer.end()));
  os.TakeCalls();
  ModFile::LoadSettings();
  EXPECT_EQ(Settings, saved);
  EXPECT_EQ(os.TakeCalls().size(), 3u);
}

TEST_F(SettingsFile, RemoveGameShiftsTheLaterGamesDownAndRewritesTheFileFromEmpty) {
  const struct {
    int count, index;
    std::vector<std::string> left;
  } rows[] = {{4, 1, {"游戏0", "游戏2", "游戏3"}},
              {4, 0, {"游戏1", "游戏2", "游戏3"}},
              {4, 3, {"游戏0", "游戏1", "游戏2"}},
              {1, 0, {}}};
  for (const auto& row : rows) {
    Store(WithGames(6));  // longer than any record below
    Settings = WithGames(row.count);
    Settings.LastGameIndex = 2;
    CurGameIndex = row.index;
    ModFile::RemoveGame(row.index);
    std::vector<std::string> names;
    for (const auto& game : Settings.Games) names.push_back(game.GameName);
    EXPECT_EQ(names, row.left);
    EXPECT_EQ(os.disk.at(kPath), Encode(Settings));
    EXPECT_EQ(os.TakeCalls().front(), kDelete);
    EXPECT_EQ(CurGameIndex, row.index);
    EXPECT_EQ(Settings.LastGameIndex, 2);
  }
  ModFile::RemoveGame(0);  // an index outside the now empty list changes nothing
  EXPECT_TRUE(os.TakeCalls().empty());
}

}  // namespace
