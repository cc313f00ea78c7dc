#pragma once
// The line a test window logs for a key or mouse-button message it receives,
// the same in every test-only program that steering is checked at.

#include <windows.h>

#include <cstdio>
#include <string>

// Empty for any other message.
inline std::string InputMessageLine(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto key = static_cast<unsigned>(wParam);
  const auto scan = static_cast<unsigned>((lParam >> 16) & 0xFF);
  const auto extended = static_cast<unsigned>((lParam >> 24) & 1);
  char line[64];
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      std::snprintf(line, sizeof line, "keydown vk=%u scan=%u ext=%u", key, scan, extended);
      return line;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      std::snprintf(line, sizeof line, "keyup vk=%u scan=%u ext=%u", key, scan, extended);
      return line;
    case WM_LBUTTONDOWN:
      return "mouse lbuttondown";
    case WM_RBUTTONDOWN:
      return "mouse rbuttondown";
    default:
      return {};
  }
}
