#pragma once
// A clean engine for each test: empty settings, no game, no hook, no delays, and
// the fake platform installed.

#include <gtest/gtest.h>

#include "engine/HookKeyMouse.h"
#include "engine/KeyMouse.h"
#include "settings/Settings.h"
#include "support/FakePlatform.h"

class EngineFixture : public ::testing::Test {
 protected:
  EngineFixture() { ResetEngine(); }
  ~EngineFixture() override { ResetEngine(); }

  // Adds a game to the list and makes it current.
  GameProfile& SelectNewGame() {
    Settings.Games.emplace_back();
    CurGameIndex = static_cast<std::int32_t>(Settings.Games.size() - 1);
    return Settings.Games.back();
  }

  static void ResetEngine() {
    Settings = AppSettings{};
    CurGameIndex = -1;
    KeyMouse().InitKeyMouse(0, 0, 0);
    modHookKeyMouse::MouseHookHandle = 0;
    modHookKeyMouse::MoveDeltaX = 0;
    modHookKeyMouse::MoveDeltaY = 0;
    modHookKeyMouse::ButtonRepeat = {};
    modHookKeyMouse::WheelRepeat = {};
  }

  FakePlatform os;
};

// Expected fake log lines for key events.
inline std::string Down(int vk, int scan, bool extended = false) {
  return "keybd_event(" + std::to_string(vk) + "," + std::to_string(scan) + "," + (extended ? "1" : "0") +
         ",0)";
}
inline std::string Up(int vk, int scan, bool extended = false) {
  return "keybd_event(" + std::to_string(vk) + "," + std::to_string(scan) + "," + (extended ? "3" : "2") +
         ",0)";
}
using Calls = std::vector<std::string>;
