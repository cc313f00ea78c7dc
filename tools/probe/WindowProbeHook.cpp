// Test-only DLL, never shipped. The window probe installs its hook procedure on
// the target's thread, where it runs inside the target process; Wine accepts no
// menu handle of another process, but there GetMenu gives a real one. The hook
// writes the whole menu bar into the probe's shared memory and signals it. It
// also drops a file on the window as the shell would, with memory of the
// target's own.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "MenuReply.h"
#include "Utf8.h"

namespace {

std::wstring ItemText(HMENU menu, int index) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  if (!GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info) || info.cch == 0) return {};
  std::wstring text(info.cch + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch += 1;
  GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info);
  text.resize(info.cch);
  return text;
}

// One line per item, depth first: "menu 0.1 caption|checked=0|id=1001" for a
// command, "menu 0 caption" for a popup, "menu 0.2 sep" for a separator.
void WriteMenu(HMENU menu, const std::string& parentPath, std::string& out) {
  const int count = GetMenuItemCount(menu);
  for (int index = 0; index < count; ++index) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info)) continue;
    const std::string path = parentPath.empty() ? std::to_string(index) : parentPath + "." + std::to_string(index);
    out += "menu " + path + " ";
    if (info.fType & MFT_SEPARATOR) {
      out += "sep";
    } else {
      out += Utf8(ItemText(menu, index));
      if (info.hSubMenu == nullptr) {
        out += "|checked=" + std::to_string((info.fState & MFS_CHECKED) ? 1 : 0) + "|id=" + std::to_string(info.wID);
      }
    }
    out += '\n';
    if (info.hSubMenu != nullptr) WriteMenu(info.hSubMenu, path, out);
  }
}

// A WM_DROPFILES for one file, its path taken from the block.
void Drop(HWND window, const window_probe::MenuReplyHeader& header) {
  const auto* path = reinterpret_cast<const char*>(&header) + sizeof header;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + header.size + 2 * sizeof(wchar_t));
  auto* drop = memory != nullptr ? static_cast<DROPFILES*>(GlobalLock(memory)) : nullptr;
  if (drop == nullptr) return;
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path, header.size);
  GlobalUnlock(memory);
  PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

void AnswerRequest(HWND window, WPARAM request, DWORD probeProcess) {
  HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, window_probe::MenuReplyName(probeProcess).c_str());
  if (mapping == nullptr) return;
  auto* block = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, window_probe::kMenuReplyBytes));
  if (block != nullptr) {
    auto* header = reinterpret_cast<window_probe::MenuReplyHeader*>(block);
    // The probe posts its request again while it waits, so several may arrive.
    if (InterlockedCompareExchange(&header->claimed, 1, 0) == 0) {
      std::string text;
      if (request == window_probe::kDropRequest) {
        Drop(window, *header);
      } else if (HMENU menu = GetMenu(window)) {
        WriteMenu(menu, "", text);
      }
      if (text.size() > window_probe::kMenuReplyBytes - sizeof *header) {
        header->size = window_probe::kMenuTooLong;
      } else {
        std::memcpy(block + sizeof *header, text.data(), text.size());
        header->size = static_cast<DWORD>(text.size());
      }
      if (HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, window_probe::MenuReadyName(probeProcess).c_str())) {
        SetEvent(ready);
        CloseHandle(ready);
      }
    }
    UnmapViewOfFile(block);
  }
  CloseHandle(mapping);
}

}  // namespace

// The probe's request is a WM_NULL to the target window, tagged with
// kMenuRequest or kDropRequest and carrying the probe's process id.
extern "C" __declspec(dllexport) LRESULT CALLBACK WindowProbeMenuHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_NULL &&
      (message->wParam == window_probe::kMenuRequest || message->wParam == window_probe::kDropRequest)) {
    AnswerRequest(message->hwnd, message->wParam, static_cast<DWORD>(message->lParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
