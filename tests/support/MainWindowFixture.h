#pragma once
// The main window over a fake platform and a settings file on the fake disk.

#include <gtest/gtest.h>

#include "mainwindow/frmMain.h"
#include "settings/SettingsCodec.h"
#include "support/EngineFixture.h"
#include "support/FakeFormHost.h"


constexpr char kTag[] = "Tillervane（Tillervane v2.01）";
constexpr char kPath[] = "C:\\Games\\Tillervane\\setinf.set";
constexpr int kA = 0x41, kScanA = 0x1E, kS = 0x53, kScanS = 0x1F, kW = 0x57, kScanW = 0x11;
constexpr int kLeft = 0x25, kScanLeft = 0x4B, kRight = 0x27, kScanRight = 0x4D, kShift = 0x10, kScanShift = 0x2A;

inline GameProfile Game(const std::string& name) {
  GameProfile game;
  game.GameName = name;
  return game;
}

class MainWindowTest : public EngineFixture {
 protected:
  MainWindowTest() {
    VersionTag = kTag;
    os.keyNames = {{0x43 << 16, "F9"}, {0x58 << 16, "F12"}, {0x1E << 16, "A"}};
  }
  ~MainWindowTest() override { VersionTag.clear(); }

  // A settings file as this version writes it.
  void OnDisk(AppSettings stored) {
    stored.Version = kTag;
    auto bytes = settings_codec::EncodeSettings(stored, os.text);
    os.disk[kPath] = bytes;
  }
  AppSettings ThreeGamesRemembering(std::int32_t lastGame) {
    AppSettings stored;
    stored.StartKey.VirtualKey = 0x78;
    stored.StopKey.VirtualKey = 0x7B;
    stored.RememberLastGame = True16;
    stored.LastGameIndex = lastGame;
    stored.Games = {Game("甲"), Game("乙"), Game("Rally")};
    return stored;
  }
  std::vector<std::string> CallsStartingWith(const std::string& prefix) {
    std::vector<std::string> matching;
    for (auto& call : os.TakeCalls())
      if (call.rfind(prefix, 0) == 0) matching.push_back(call);
    return matching;
  }
  AppSettings SavedFile() { return settings_codec::DecodeSettings(os.disk.at(kPath), os.text); }

  FakeFormHost forms;
};

// The file is in place before the window, a member of the test, loads it.
class RallyOnDisk : public MainWindowTest {
 protected:
  RallyOnDisk() {
    AppSettings stored = ThreeGamesRemembering(2);
    GameProfile& rally = stored.Games[2];
    rally.Buttons[LeftButton] = {kA, 0, 0, kShift, 0, 0, True16, 0};
    rally.Buttons[RightButton] = {kS, 0, 0, 0, 0, 0, False16, 0};
    rally.Moves[MoveLeft] = {kLeft, 1, 0, 0, 5};
    rally.Moves[MoveRight] = {kRight, 1, 0, 0, 5};
    rally.Wheels[WheelForward] = {kW, 0, kShift, 0, WheelStartRepeat};
    OnDisk(stored);
  }
};

class ControlTest : public RallyOnDisk {
 protected:
  ControlTest() {
    window.Show();
    os.TakeCalls();
  }
  GameProfile& Rally() { return Settings.Games[2]; }
  frmMain window;
};

