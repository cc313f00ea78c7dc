// The engine's own cost on the hook's and the movement timer's hot paths. The
// platform does nothing here, so the figures leave the system calls out.
#include <benchmark/benchmark.h>

#include "engine/EngineTimers.h"
#include "engine/HookKeyMouse.h"
#include "engine/KeyMouse.h"
#include "engine/PreciseMove.h"
#include "platform/Platform.h"
#include "platform/WinConstants.h"
#include "settings/Settings.h"

namespace {

class NullPlatform final : public platform::Input,
                           public platform::Screen,
                           public platform::Hooks,
                           public platform::Process,
                           public platform::Files,
                           public platform::Text,
                           public platform::Dialogs {
 public:
  void KeybdEvent(std::uint8_t, std::uint8_t, std::uint32_t, std::uintptr_t) override {}
  void MouseEvent(std::uint32_t, std::int32_t, std::int32_t, std::uint32_t, std::uintptr_t) override {}
  std::uint32_t MapVirtualKeyCode(std::uint32_t code, std::uint32_t) override { return code & 0x7F; }
  std::int16_t GetAsyncKeyState(std::int32_t) override { return 0; }
  bool GetCursorPos(platform::Point& position) override {
    position = {500, 400};
    return true;
  }
  platform::ScreenMetrics PrimaryScreen() override { return {15360, 11520, 15, 15}; }
  std::string KeyNameText(std::int32_t, int) override { return {}; }
  platform::HookHandle SetMouseHook(platform::HookProc) override { return 1; }
  platform::HookHandle SetKeyboardHook(platform::HookProc) override { return 2; }
  bool Unhook(platform::HookHandle) override { return true; }
  std::intptr_t CallNextHook(platform::HookHandle, int, std::uintptr_t, std::intptr_t) override { return 0; }
  platform::HookHandle SetForegroundHook(void (*)()) override { return 3; }
  platform::HookHandle SetDesktopSwitchHook(void (*)()) override { return 4; }
  void RemoveEventHook(platform::HookHandle) override {}
  void SetPriorityClass(std::uint32_t) override {}
  void Sleep(std::uint32_t) override {}
  void PumpPendingMessages() override {}
  std::uintptr_t ForegroundWindow() override { return 0; }
  std::string ForegroundProcessPath() override { return {}; }
  bool ForegroundProcessElevatedAboveUs() override { return false; }
  bool InputDesktopIsOurs() override { return true; }
  std::uint64_t NowMs() override { return 0; }
  void AllowPowerThrottling(bool) override {}
  std::string ExecutableDirectory() override { return {}; }
  bool IsAnotherInstanceRunning() override { return false; }
  bool TopLevelWindowExists(const std::string&) override { return false; }
  void InitCommonControls(std::uint32_t) override {}
  std::vector<std::string> CommandLineArguments() override { return {}; }
  bool StartElevatedCopy(const std::string&) override { return false; }
  platform::CopyState ElevatedCopyState() override { return platform::CopyState::None; }
  bool ChangeDirectory(const std::string&) override { return false; }
  bool StartProgram(const std::string&) override { return false; }
  bool OpenDocument(const std::string&, const std::string&) override { return false; }
  bool Exists(const std::string&) override { return false; }
  std::string FinalPath(const std::string&) override { return {}; }
  platform::FileHandle OpenReadWrite(const std::string&, platform::FileFailure&) override { return 0; }
  bool ReadAll(platform::FileHandle, std::vector<std::uint8_t>&, platform::FileFailure&) override { return false; }
  bool WriteFromStart(platform::FileHandle, const std::vector<std::uint8_t>&, platform::FileFailure&) override {
    return false;
  }
  bool Close(platform::FileHandle, platform::FileFailure&) override { return false; }
  bool Delete(const std::string&, platform::FileFailure&) override { return false; }
  bool ReadStart(const std::string&, std::size_t, std::vector<std::uint8_t>&, platform::FileFailure&) override {
    return false;
  }
  bool WriteNew(const std::string&, const std::vector<std::uint8_t>&, platform::FileFailure&) override { return false; }
  std::string Utf8ToCp936(const std::string& text) override { return text; }
  std::string Cp936ToUtf8(const std::string& text) override { return text; }
  int ShowMessage(const std::string&, const std::string&, std::uint32_t) override { return 1; }
  bool ShowOpenFile(platform::OpenFileRequest&) override { return false; }
  bool ShowSaveFile(platform::OpenFileRequest&) override { return false; }
};

NullPlatform null;
platform::Platform os{null, null, null, null, null, null, null};

void UseGame() {
  platform::SetOs(&os);
  Settings = AppSettings{};
  GameProfile game;
  game.GameName = "Rally";
  game.Buttons[LeftButton] = {0x41, 0, 0, 0x10, 0, 0, True16, 0};
  game.Wheels[WheelForward] = {0x57, 0, 0, 0, WheelPressKey};
  game.Moves[MoveLeft] = {0x25, 1, 0, 0, 5};
  game.Moves[MoveRight] = {0x27, 1, 0, 0, 5};
  game.Moves[MoveUp] = {0x26, 1, 0, 0, 5};
  game.Moves[MoveDown] = {0x28, 1, 0, 0, 5};
  Settings.Games.push_back(game);
  CurGameIndex = 0;
  modHookKeyMouse::InstallMouseHook();
}

std::intptr_t Deliver(std::uint32_t message, platform::MouseHookRecord& record) {
  return modHookKeyMouse::MouseHookProc(0, message, reinterpret_cast<std::intptr_t>(&record));
}

void BM_HookMove(benchmark::State& state) {
  UseGame();
  platform::MouseHookRecord record{520, 390, 0, 0, 0, 0};
  for (auto _ : state) benchmark::DoNotOptimize(Deliver(wincode::WmMouseMove, record));
}
BENCHMARK(BM_HookMove);

// A press and a release of the left button: two events, two keys.
void BM_HookButtonDownUp(benchmark::State& state) {
  UseGame();
  platform::MouseHookRecord record{};
  for (auto _ : state) {
    benchmark::DoNotOptimize(Deliver(wincode::WmLButtonDown, record));
    benchmark::DoNotOptimize(Deliver(wincode::WmLButtonUp, record));
  }
  state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_HookButtonDownUp);

void BM_HookWheel(benchmark::State& state) {
  UseGame();
  platform::MouseHookRecord record{0, 0, 120u << 16, 0, 0, 0};
  for (auto _ : state) benchmark::DoNotOptimize(Deliver(wincode::WmMouseWheel, record));
}
BENCHMARK(BM_HookWheel);

void BM_TimMoveTick(benchmark::State& state) {
  UseGame();
  EngineTimers timers;
  std::int32_t step = 0;
  for (auto _ : state) {
    modHookKeyMouse::MoveDeltaX = (step++ % 3 - 1) * 9;  // left, rest, right
    timers.TimMove_Timer();
  }
}
BENCHMARK(BM_TimMoveTick);

// 精确移动 with a run key and taps by speed: a ramp of raw movement through
// taps, holding, running and rest.
void BM_TimMoveTickPrecise(benchmark::State& state) {
  UseGame();
  GameProfile& game = Settings.Games[0];
  SetMovesPrecisely(game, true);
  SetTapsBySpeed(game, true);
  StoreRunKey(game, 0x10, false, 20);
  modHookKeyMouse::RemoveMouseHook();
  modHookKeyMouse::InstallMouseHook();
  EngineTimers timers;
  std::int32_t step = 0;
  for (auto _ : state) {
    const std::int32_t speed = step++ % 32;
    preciseMove::AddRawMovement(speed, -speed / 2);
    timers.TimMove_Timer();
  }
}
BENCHMARK(BM_TimMoveTickPrecise);

}  // namespace

BENCHMARK_MAIN();
