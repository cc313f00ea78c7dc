// Test-only Windows program, never shipped: runs the settings file procedures on
// the real platform (files, code page 936, message boxes) and writes what it did
// to a log, one line each. A watcher thread logs each message box the program
// shows, "box TITLE|TEXT", and answers it with OK.
//
//   settings_probe.exe save FILE LOG     saves the sample record to FILE
//   settings_probe.exe load FILE LOG     loads FILE, says whether it is the sample
//   settings_probe.exe remove FILE LOG   loads FILE and removes its first game
//   settings_probe.exe locked FILE LOG   loads and saves FILE while it is held open
//   settings_probe.exe bench FILE LOG    times saves and loads of 1,000 games
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/SettingsSample.h"
#include "platform/win32/Win32Platform.h"
#include "settings/ModFile.h"
#include "settings/Settings.h"

namespace {

FILE* logFile = nullptr;

void Log(const std::string& line) {
  std::fputs((line + "\n").c_str(), logFile);
  std::fflush(logFile);
}

std::string Utf8(const wchar_t* wide) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(std::max(length, 1)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), length, nullptr, nullptr);
  text.resize(text.size() - 1);
  return text;
}

std::string WindowText(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return Utf8(text);
}

BOOL CALLBACK AnswerIfMessageBox(HWND window, LPARAM) {
  DWORD process = 0;
  wchar_t className[16] = L"";
  GetWindowThreadProcessId(window, &process);
  GetClassNameW(window, className, 16);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::wstring(className) == L"#32770") {
    constexpr int kMessageText = 0xFFFF;  // the static control that holds the text
    Log("box " + WindowText(window) + "|" + WindowText(GetDlgItem(window, kMessageText)));
    SendMessageW(window, WM_COMMAND, IDOK, 0);
  }
  return TRUE;
}

DWORD WINAPI WatchMessageBoxes(void*) {
  for (;;) {
    EnumWindows(&AnswerIfMessageBox, 0);
    Sleep(20);
  }
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Body>
double MedianMs(int rounds, Body body) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    body();
    QueryPerformanceCounter(&end);
    times.push_back(Milliseconds(start, end));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Bench() {
  constexpr int kRounds = 21;
  const AppSettings many = ManyGames(1000);
  Settings = many;
  ModFile::SaveSettings(false);
  const double saveMs = MedianMs(kRounds, [] { ModFile::SaveSettings(false); });
  const double loadMs = MedianMs(kRounds, [] { ModFile::LoadSettings(); });
  char line[160];
  std::snprintf(line, sizeof line, "bench games=%u same=%d save_ms=%.3f load_ms=%.3f",
                static_cast<unsigned>(Settings.Games.size()), Settings == many ? 1 : 0, saveMs, loadMs);
  Log(line);
}

}  // namespace

// The wide entry point: the arguments hold Chinese paths whatever the code page.
int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 2;
  const std::wstring mode = argv[1];
  logFile = _wfopen(argv[3], L"ab");
  if (logFile == nullptr) return 3;

  platform::SetOs(&platform::win32::Win32Platform());
  VersionTag = kSampleVersionTag;
  SettingsPath = Utf8(argv[2]);
  Log("start " + Utf8(argv[1]));
  CreateThread(nullptr, 0, &WatchMessageBoxes, nullptr, 0, nullptr);

  if (mode == L"save") {
    Settings = SampleSettings();
    ModFile::SaveSettings(false);
    Log("saved");
  } else if (mode == L"load") {
    ModFile::LoadSettings();
    Log(Settings == SampleSettings() ? "loaded the sample" : "loaded something else");
  } else if (mode == L"remove") {
    ModFile::LoadSettings();
    ModFile::RemoveGame(0);
    Log("removed, games=" + std::to_string(Settings.Games.size()));
  } else if (mode == L"locked") {
    HANDLE holder =
        CreateFileW(argv[2], GENERIC_READ, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ModFile::LoadSettings();
    Settings = SampleSettings();
    ModFile::SaveSettings(false);
    CloseHandle(holder);
    Log("locked done");
  } else if (mode == L"bench") {
    Bench();
  } else {
    return 2;
  }
  std::fclose(logFile);
  return 0;
}
