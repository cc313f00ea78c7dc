// What the window probe and its hook DLL agree on to carry a menu out of the
// target process: a named block of shared memory the probe creates and the hook
// fills, and a named event the hook sets once the block holds the whole menu.
#pragma once

#include <windows.h>

#include <string>

namespace window_probe {

// Tag the probe's WM_NULL, so that the hook ignores every other WM_NULL: a
// request for the menu, and one to drop the file whose UTF-16 path the block
// holds (its byte count in the header's size).
constexpr WPARAM kMenuRequest = 0x54564d4e;
constexpr WPARAM kDropRequest = 0x54564450;

constexpr DWORD kMenuReplyBytes = 256 * 1024;

// The block starts with this header; UTF-8 text follows, one line per item.
struct MenuReplyHeader {
  LONG claimed;  // set by the first hook call that answers; later calls leave it
  DWORD size;    // bytes of text, or kMenuTooLong
};
constexpr DWORD kMenuTooLong = 0xFFFFFFFF;

// Both names carry the probe's process id, so that probes never share a block.
inline std::wstring MenuReplyName(DWORD probeProcess) {
  return L"TillervaneWindowProbeMenu" + std::to_wstring(probeProcess);
}
inline std::wstring MenuReadyName(DWORD probeProcess) {
  return L"TillervaneWindowProbeMenuReady" + std::to_wstring(probeProcess);
}

}  // namespace window_probe
