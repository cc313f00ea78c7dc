// The settings files the end-to-end tests start from and compare with live in
// tests/e2e/fixtures; each must be exactly what the encoder writes for the
// record it holds, so the two cannot drift apart. After a version change,
// TILLERVANE_WRITE_FIXTURES=1 stamps them with the new version instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "settings/SettingsCodec.h"
#include "unit/Cp936Samples.h"

namespace {

TEST(Fixtures, HoldWhatTheEncoderWritesForTheirRecordsWithThisVersion) {
  platform::posix::IconvText text;
  const bool write = std::getenv("TILLERVANE_WRITE_FIXTURES") != nullptr;
  for (const auto& file : std::filesystem::directory_iterator(TILLERVANE_FIXTURES_DIR)) {
    if (file.path().extension() != ".set") continue;
    std::ifstream in(file.path(), std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    AppSettings record = settings_codec::DecodeSettings(bytes, text);
    record.Version = kVersion;
    const Bytes encoded = settings_codec::EncodeSettings(record, text);
    if (write) std::ofstream(file.path(), std::ios::binary).write(reinterpret_cast<const char*>(encoded.data()),
                                                                 static_cast<std::streamsize>(encoded.size()));
    else EXPECT_EQ(bytes, encoded) << file.path();
    // The Windows program reads and writes this one: its names hold it to the native conversion.
    for (std::size_t i = 0; file.path().stem() == "cp936" && i < Cp936Samples().size(); ++i)
      EXPECT_EQ(record.Games.at(i).GameName, Cp936Samples()[i].back);
  }
}

}  // namespace
