#pragma once
// A clean engine for each test: no settings, game, hook or delays, and the fake platform installed.

#include <gtest/gtest.h>

#include "engine/HookKeyMouse.h"
#include "engine/KeyMouse.h"
#include "engine/MouseEvent.h"
#include "settings/Settings.h"
#include "support/FakePlatform.h"

using Calls = std::vector<std::string>;

class EngineFixture : public ::testing::Test {
 protected:
  EngineFixture() {
    Settings = AppSettings{};
    CurGameIndex = -1;
    KeyMouse().InitKeyMouse(0, 0, 0);
    KeyMouse().ReleaseHeldKeys();  // forgets the keys an earlier test left down
    modHookKeyMouse::RemoveMouseHook();  // and forgets an earlier test's tries
    os.TakeCalls();
    modHookKeyMouse::MoveDeltaX = modHookKeyMouse::MoveDeltaY = 0;
    modHookKeyMouse::ButtonRepeat = {};
    modHookKeyMouse::WheelRepeat = {};
  }
  // Adds a game to the list and makes it current.
  GameProfile& SelectNewGame() {
    Settings.Games.emplace_back();
    CurGameIndex = static_cast<std::int32_t>(Settings.Games.size() - 1);
    return Settings.Games.back();
  }
  // The calls since the last TakeCalls that start with `prefix`; the others are dropped.
  Calls CallsStartingWith(const std::string& prefix) {
    Calls matching;
    for (auto& call : os.TakeCalls())
      if (call.rfind(prefix, 0) == 0) matching.push_back(call);
    return matching;
  }

  FakePlatform os;
};

// Keys the tests map; their scan codes come from the fake's layout.
constexpr int kA = 0x41, kS = 0x53, kD = 0x44, kW = 0x57, kX = 0x58, kShift = 0x10, kF9 = 0x78, kF10 = 0x79, kF12 = 0x7B;
constexpr int kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;

// The extra information the program's own input carries, as logged.
inline const std::string kOwn = std::to_string(OwnInputSignature);

// Expected log lines of a key going down or up.
inline std::string Down(int vk, bool extended = false, int up = 0) {
  return "keybd_event(" + std::to_string(vk) + "," + std::to_string(kUsScanCodes.at(static_cast<std::uint32_t>(vk))) +
         "," + std::to_string((extended ? 1 : 0) | up) + "," + kOwn + ")";
}
inline std::string Up(int vk, bool extended = false) { return Down(vk, extended, 2); }
