// Test-only Windows program, never shipped: the "game" the editor's end-to-end
// test launches. Without a console of its own, it writes the folder it was
// started in to started.txt beside its own file, then ends.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t own[MAX_PATH] = {}, current[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, own, MAX_PATH);
  if (length == 0 || length >= MAX_PATH || GetCurrentDirectoryW(MAX_PATH, current) == 0) return 1;
  std::wstring path(own, length);
  path.resize(path.find_last_of(L'\\') + 1);
  FILE* out = _wfopen((path + L"started.txt").c_str(), L"wb");
  if (out == nullptr) return 1;
  char folder[MAX_PATH * 3] = {};
  WideCharToMultiByte(CP_UTF8, 0, current, -1, folder, sizeof folder, nullptr, nullptr);
  std::fprintf(out, "%s\n", folder);
  return std::fclose(out) == 0 ? 0 : 1;
}
