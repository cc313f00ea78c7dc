#pragma once
// The main window over a fake platform and a settings file on the fake disk.

#include <gtest/gtest.h>

#include "mainwindow/frmMain.h"
#include "settings/SettingsCodec.h"
#include "support/EngineFixture.h"
#include "support/FakeFormHost.h"
#include "unit/SettingsBytes.h"

constexpr char kPath[] = "C:\\Games\\Tillervane\\setinf.set";

class MainWindowTest : public EngineFixture {
 protected:
  MainWindowTest() {
    VersionTag = kVersion;
    os.keyNames = {{0x43 << 16, "F9"}, {0x44 << 16, "F10"}, {0x58 << 16, "F12"}};
  }
  ~MainWindowTest() override { VersionTag.clear(); }

  // A settings file as this version writes it.
  void OnDisk(AppSettings stored) {
    stored.Version = kVersion;
    os.disk[kPath] = settings_codec::EncodeSettings(stored, os.text);
  }
  AppSettings SavedFile() { return settings_codec::DecodeSettings(os.disk.at(kPath), os.text); }

  FakeFormHost forms;
};

// Rally, the third of three games, is remembered and so selected when the window loads the file.
class RallyOnDisk : public MainWindowTest {
 protected:
  RallyOnDisk() {
    AppSettings stored;
    stored.StartKey.VirtualKey = kF9;
    stored.StopKey.VirtualKey = kF12;
    stored.RememberLastGame = True16;
    stored.LastGameIndex = 2;
    stored.Games = {Game("甲"), Game("乙"), Game("Rally")};
    GameProfile& rally = stored.Games[2];
    rally.Buttons[LeftButton] = {kA, 0, 0, kShift, 0, 0, True16, 0};
    rally.Buttons[RightButton] = {kS, 0, 0, 0, 0, 0, False16, 0};
    rally.Moves[MoveLeft] = {kLeft, 1, 0, 0, 5};
    rally.Moves[MoveRight] = {kRight, 1, 0, 0, 5};
    rally.Wheels[WheelForward] = {kW, 0, kShift, 0, WheelStartRepeat};
    OnDisk(stored);
  }
};

// Rally selected in a loaded window, control off.
class ControlTest : public RallyOnDisk {
 protected:
  ControlTest() {
    window.Show();
    os.TakeCalls();
  }
  GameProfile& Rally() { return Settings.Games[2]; }
  frmMain window;
  const std::string kControlling = "正在控制 Rally......  按F12停止!", kIdle = "Rally 按F9开始控制......";
};
