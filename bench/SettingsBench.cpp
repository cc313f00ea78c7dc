// Saving and loading a settings file of 1,000 games: the codec alone, and the
// whole procedures on the fake's in-memory disk (the program's own cost, with
// iconv for the texts).
#include <benchmark/benchmark.h>

#include "SettingsSample.h"
#include "settings/ModFile.h"
#include "settings/SettingsCodec.h"
#include "support/FakePlatform.h"

namespace {

constexpr int kGames = 1000;

void BM_EncodeSettings(benchmark::State& state) {
  FakePlatform os;
  const AppSettings settings = ManyGames(kGames);
  for (auto _ : state) benchmark::DoNotOptimize(settings_codec::EncodeSettings(settings, os.text));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(
                                                   settings_codec::EncodeSettings(settings, os.text).size()));
}
BENCHMARK(BM_EncodeSettings)->Unit(benchmark::kMillisecond);

void BM_DecodeSettings(benchmark::State& state) {
  FakePlatform os;
  const auto bytes = settings_codec::EncodeSettings(ManyGames(kGames), os.text);
  for (auto _ : state) benchmark::DoNotOptimize(settings_codec::DecodeSettings(bytes, os.text));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeSettings)->Unit(benchmark::kMillisecond);

// The program's globals holding the 1,000 games, to be saved where the fake disk keeps them.
void HoldManyGames() {
  SettingsPath = "C:\\Tillervane\\setinf.set";
  VersionTag = kSampleVersionTag;
  Settings = ManyGames(kGames);
}

void BM_SaveSettings(benchmark::State& state) {
  FakePlatform os;
  HoldManyGames();
  for (auto _ : state) {
    ModFile::SaveSettings(false);
    os.TakeCalls();
  }
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

void BM_LoadSettings(benchmark::State& state) {
  FakePlatform os;
  HoldManyGames();
  ModFile::SaveSettings(false);
  for (auto _ : state) {
    ModFile::LoadSettings();
    os.TakeCalls();
  }
  if (Settings.Games.size() != kGames) state.SkipWithError("the file did not load back");
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
