// Test-only Windows program, never shipped: looks at and drives another
// process's top-level window from outside, as the end-to-end tests need, and
// offers two plain windows of its own (a key target and a minimal window).
// Prints UTF-8, one fact per line; exits 0 on success, 10 when the window (or
// the list entry) is missing or a wait timed out, 11 on a bad command line, 12
// when a call failed. Codes of their own, so that a test tells the probe's
// answer from Wine failing to run it at all.
//
//   window_probe.exe wait TITLE SECONDS     until visible; prints "hwnd 0x..."
//   window_probe.exe gone TITLE SECONDS     until no window has the title
//   window_probe.exe front TITLE SECONDS    until it is enabled and in front, where
//                                           keys go; prints "hwnd 0x..."
//   window_probe.exe ended EXE SECONDS      until no process runs the program file EXE
//                                           (a name like "Tillervane.exe"): a closed
//                                           window's process may still hold what a
//                                           new copy would find
//   window_probe.exe read TITLE             title, controls, sizes and the menu
//   window_probe.exe command TITLE ID       posts WM_COMMAND for a menu item
//   window_probe.exe drop TITLE PATH        drops the file PATH on the window, as
//                                           the shell does (WM_DROPFILES)
//   window_probe.exe select TITLE INDEX     selects a list entry as a user would
//                                           (-1 clears the selection)
//   window_probe.exe close TITLE            posts WM_CLOSE
//   window_probe.exe activate TITLE         brings it to the foreground
//   window_probe.exe send TITLE MSG WPARAM LPARAM   sends a message (numbers, 0x.. too);
//                                           prints "answer N"
//   window_probe.exe controls TITLE         the window's place, client size and
//                                           caption buttons (minimize, maximize,
//                                           close), then every child window:
//                                           "control ID class=.. visible=.. enabled=..
//                                           focus=.. check=.. value=.. rect=L,T,R,B text=.."
//                                           (ID: the child's id, ".ROW" added
//                                           where windows share it, top first)
//   window_probe.exe aim TITLE NAME SECONDS [FROM_RIGHT]
//                                           waits until the window is enabled and in
//                                           front and its control NAME is visible,
//                                           enabled and the window at its centre (or
//                                           FROM_RIGHT pixels from its right edge),
//                                           prints "at X Y", then waits until the
//                                           pointer is there: a click may follow
//   window_probe.exe click TITLE NAME       posts BM_CLICK to the child of that
//                                           ID (or, failing that, caption)
//   window_probe.exe keys LOGFILE SECONDS [timed]   a window titled "按键接收窗 key target NAME"
//                                            (NAME: the log's, without extension) logs the
//                                            key and button messages it gets,
//                                            with wall-clock microseconds when timed, and
//                                            for input also the message's time in ms;
//                                            timed, it logs the pointer's moves over it too
//   window_probe.exe cursor                 prints "cursor X Y"
//   window_probe.exe hold FILE SECONDS      keeps FILE open, unshared, until SECONDS pass
//                                           or FILE.quit appears; prints "held", "released"
//   window_probe.exe minimal-window SECONDS prints "shown MS" once painted
//   window_probe.exe ticker SECONDS FLAGFILE a bare program with Tillervane's 8 ms
//                                           timer and message loop and nothing else:
//                                           each tick sends a key-up of F24, so that a
//                                           key target times its ticks as it times
//                                           Tillervane's; ends after SECONDS or when
//                                           FLAGFILE appears
//   window_probe.exe windows                every top-level window on every desktop,
//                                           one a line: desktop, handle, process,
//                                           visible, enabled, foreground, active,
//                                           owner, place, class and title; what a
//                                           failing test keeps of the moment
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "MenuReply.h"
#include "InputLog.h"
#include "Utf8.h"

namespace {

enum Exit { kOk = 0, kMissing = 10, kUsage = 11, kFailed = 12 };

void Say(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

int Fail(Exit code, const std::wstring& message) {
  const std::string text = "window_probe: " + Utf8(message) + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
  return code;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

bool ParseInt(const wchar_t* text, long& value) {
  wchar_t* end = nullptr;
  value = std::wcstol(text, &end, 10);
  return end != text && *end == L'\0';
}

bool ParseSeconds(const wchar_t* text, DWORD& milliseconds) {
  wchar_t* end = nullptr;
  const double seconds = std::wcstod(text, &end);
  if (end == text || *end != L'\0' || seconds < 0 || seconds > 3600) return false;
  milliseconds = static_cast<DWORD>(seconds * 1000);
  return true;
}

// --- Finding the window ------------------------------------------------------
// A program started in a Wine desktop (explorer /desktop=...) lives on that
// desktop, and the window calls see only the caller's own: from elsewhere its
// windows are all invisible. So the search moves the probe's thread from desktop
// to desktop and stays on the one where the window is. A thread can change its
// desktop only while it has no windows, which holds for the probe's searches.

std::wstring DesktopName(HDESK desktop) {
  wchar_t name[256] = {};
  DWORD length = 0;
  GetUserObjectInformationW(desktop, UOI_NAME, name, sizeof name, &length);
  return name;
}

BOOL CALLBACK CollectDesktopName(LPWSTR name, LPARAM names) {
  reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(name);
  return TRUE;
}

// The names of every desktop of the window station, the probe's own first.
std::vector<std::wstring> DesktopNames() {
  static const std::wstring own = DesktopName(GetThreadDesktop(GetCurrentThreadId()));
  std::vector<std::wstring> names{own};
  EnumDesktopsW(GetProcessWindowStation(), CollectDesktopName, reinterpret_cast<LPARAM>(&names));
  names.erase(std::remove(names.begin() + 1, names.end(), own), names.end());
  return names;
}

// Moves the probe's thread onto the desktop of this name, opened afresh each
// time: a Wine desktop ends with its last program and the next one made under
// the same name is a new desktop, which a handle to the old one never shows.
bool EnterDesktop(const std::wstring& name) {
  static HDESK entered = nullptr;  // closed once the thread has left it
  HDESK desktop = OpenDesktopW(name.c_str(), 0, FALSE, GENERIC_ALL);
  if (desktop == nullptr) return false;
  if (!SetThreadDesktop(desktop)) {
    CloseDesktop(desktop);
    return false;
  }
  if (entered != nullptr) CloseDesktop(entered);
  entered = desktop;
  return true;
}

struct Search {
  const std::wstring* title;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  if (search.visibleOnly && !IsWindowVisible(window)) return TRUE;
  if (WindowText(window) != *search.title) return TRUE;
  search.found = window;
  return FALSE;
}

// The top-level window with exactly this title, on any desktop.
HWND FindTitled(const std::wstring& title, bool visibleOnly) {
  Search search{&title, visibleOnly, nullptr};
  for (const std::wstring& name : DesktopNames()) {
    if (!EnterDesktop(name)) continue;
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) break;
  }
  return search.found;
}

struct Listing {
  std::wstring desktop;
  HWND foreground;
};

BOOL CALLBACK ListWindow(HWND window, LPARAM param) {
  const auto& listing = *reinterpret_cast<const Listing*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  RECT place{};
  GetWindowRect(window, &place);
  char head[160];
  std::snprintf(head, sizeof head, " 0x%lx pid=%lu visible=%d enabled=%d foreground=%d owner=0x%lx rect=%ld,%ld,%ld,%ld",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)), static_cast<unsigned long>(process),
                IsWindowVisible(window) ? 1 : 0, IsWindowEnabled(window) ? 1 : 0, window == listing.foreground ? 1 : 0,
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(GetWindow(window, GW_OWNER))), place.left,
                place.top, place.right, place.bottom);
  Say("window desktop=" + Utf8(listing.desktop) + head + " class=" + Utf8(ClassOf(window)) +
      " title=" + Utf8(WindowText(window)));
  return TRUE;
}

// Every top-level window of every desktop, in Z order, topmost first.
int ListWindows() {
  for (const std::wstring& name : DesktopNames()) {
    if (!EnterDesktop(name)) continue;
    Listing listing{name, GetForegroundWindow()};
    EnumWindows(ListWindow, reinterpret_cast<LPARAM>(&listing));
  }
  return kOk;
}

// The probe's own windows go where the programs under test are: started outside
// any Wine desktop, it moves onto the one other desktop if there is exactly one.
void JoinTestDesktop() {
  const auto names = DesktopNames();
  if (lstrcmpiW(names.front().c_str(), L"Default") == 0 && names.size() == 2) EnterDesktop(names[1]);
}

enum class Awaited { Visible, Gone, InFront };

// Polls every 20 ms until the window is there (and visible), until no window
// has the title, or until it is there, enabled and the foreground window: where
// keys from the keyboard go.
int Await(const std::wstring& title, const wchar_t* secondsText, Awaited awaited) {
  DWORD timeout = 0;
  if (!ParseSeconds(secondsText, timeout)) return Fail(kUsage, L"bad SECONDS: " + std::wstring(secondsText));
  const DWORD start = GetTickCount();
  for (;;) {
    HWND window = FindTitled(title, awaited != Awaited::Gone);
    if (awaited == Awaited::Gone && window == nullptr) return kOk;
    if (awaited == Awaited::InFront && window != nullptr &&
        (!IsWindowEnabled(window) || GetForegroundWindow() != window)) {
      window = nullptr;
    }
    if (awaited != Awaited::Gone && window != nullptr) {
      char line[64];
      std::snprintf(line, sizeof line, "hwnd 0x%lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
      Say(line);
      return kOk;
    }
    if (GetTickCount() - start >= timeout) {
      const wchar_t* what = awaited == Awaited::Gone      ? L"still there: "
                            : awaited == Awaited::InFront ? L"not enabled and in front: "
                                                          : L"no visible window: ";
      return Fail(kMissing, what + title);
    }
    Sleep(20);
  }
}

bool ProcessRuns(const std::wstring& exeName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return true;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry)) {
    found = lstrcmpiW(entry.szExeFile, exeName.c_str()) == 0;
  }
  CloseHandle(snapshot);
  return found;
}

int AwaitProcessEnd(const std::wstring& exeName, const wchar_t* secondsText) {
  DWORD timeout = 0;
  if (!ParseSeconds(secondsText, timeout)) return Fail(kUsage, L"bad SECONDS: " + std::wstring(secondsText));
  const DWORD start = GetTickCount();
  while (ProcessRuns(exeName)) {
    if (GetTickCount() - start >= timeout) return Fail(kMissing, L"still running: " + exeName);
    Sleep(20);
  }
  return kOk;
}

// --- Reading it --------------------------------------------------------------

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
  return TRUE;
}

std::vector<HWND> ChildrenOfClass(HWND window, const wchar_t* className) {
  std::vector<HWND> all, matching;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&all));
  for (HWND child : all) {
    if (lstrcmpiW(ClassOf(child).c_str(), className) == 0) matching.push_back(child);
  }
  return matching;
}

std::string Numbers(const char* name, std::initializer_list<long> numbers) {
  std::string line = name;
  for (long number : numbers) line += " " + std::to_string(number);
  return line;
}

void ReadListBox(HWND list) {
  const auto count = static_cast<long>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  Say("list-count " + std::to_string(count));
  Say("list-selected " + std::to_string(static_cast<long>(SendMessageW(list, LB_GETCURSEL, 0, 0))));
  Say("list-enabled " + std::to_string(IsWindowEnabled(list) ? 1 : 0));
  for (long index = 0; index < count; ++index) {
    const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    std::wstring text(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
    const auto copied = length > 0 ? SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                                  reinterpret_cast<LPARAM>(text.data()))
                                   : 0;
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    Say("list-item " + std::to_string(index) + " " + Utf8(text));
  }
}

// The hook DLL inside the target (see WindowProbeHook.cpp) answers `request`:
// the probe makes a shared block with `payload` after its header, hooks the
// target's thread, and pokes it with a tagged WM_NULL until the hook has
// answered. The block the hook wrote its answer into, or nullptr.
const char* AskHook(HWND window, WPARAM request, const std::wstring& payload, int& status) {
  status = kFailed;
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dll(path, length);
  dll.resize(dll.find_last_of(L"\\/") + 1);
  dll += L"window_probe_hook.dll";
  HMODULE module = LoadLibraryW(dll.c_str());
  if (module == nullptr) return (Fail(kFailed, L"cannot load " + dll), nullptr);
  auto* hookProc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, "WindowProbeMenuHook")));
  if (hookProc == nullptr) return (Fail(kFailed, L"no WindowProbeMenuHook in " + dll), nullptr);

  const DWORD self = GetCurrentProcessId();
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, window_probe::kMenuReplyBytes,
                                      window_probe::MenuReplyName(self).c_str());
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, window_probe::MenuReadyName(self).c_str());
  auto* block = mapping != nullptr
                    ? static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, window_probe::kMenuReplyBytes))
                    : nullptr;
  if (block == nullptr || ready == nullptr) return (Fail(kFailed, L"cannot create the shared block"), nullptr);
  auto* header = reinterpret_cast<window_probe::MenuReplyHeader*>(block);
  header->size = static_cast<DWORD>(payload.size() * sizeof(wchar_t));
  if (header->size > window_probe::kMenuReplyBytes - sizeof *header) return (Fail(kUsage, L"too long"), nullptr);
  std::memcpy(block + sizeof *header, payload.data(), header->size);

  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, hookProc, module, thread);
  if (hook == nullptr) return (Fail(kFailed, L"SetWindowsHookExW failed: " + std::to_wstring(GetLastError())), nullptr);
  DWORD waited = WAIT_TIMEOUT;
  for (int attempt = 0; attempt < 20 && waited == WAIT_TIMEOUT; ++attempt) {
    PostMessageW(window, WM_NULL, request, static_cast<LPARAM>(self));
    waited = WaitForSingleObject(ready, 250);
  }
  UnhookWindowsHookEx(hook);
  if (waited != WAIT_OBJECT_0) return (Fail(kFailed, L"the target did not answer the request within 5 s"), nullptr);
  status = kOk;
  return block;
}

int ReadMenu(HWND window) {
  int status = kOk;
  const char* block = AskHook(window, window_probe::kMenuRequest, {}, status);
  if (block == nullptr) return status;
  const auto* header = reinterpret_cast<const window_probe::MenuReplyHeader*>(block);
  if (header->size > window_probe::kMenuReplyBytes - sizeof *header) {
    return Fail(kFailed, L"the menu does not fit the shared block");
  }
  const std::string text(block + sizeof *header, header->size);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
  return kOk;
}

// The drop is made inside the target, since the memory a drop hands over is
// the receiving process's own.
int Drop(HWND window, const std::wstring& path) {
  int status = kOk;
  AskHook(window, window_probe::kDropRequest, path, status);
  return status;
}

int Read(HWND window) {
  Say("title " + Utf8(WindowText(window)));
  for (HWND button : ChildrenOfClass(window, L"Button")) {
    Say("button " + Utf8(WindowText(button)));
    Say("button-enabled " + std::to_string(IsWindowEnabled(button) ? 1 : 0));
  }
  for (HWND list : ChildrenOfClass(window, L"ListBox")) ReadListBox(list);
  // A message box's text is a static control.
  for (HWND text : ChildrenOfClass(window, L"Static")) {
    const std::wstring shown = WindowText(text);
    if (!shown.empty()) Say("static " + Utf8(shown));
  }
  RECT client{}, frame{};
  GetClientRect(window, &client);
  GetWindowRect(window, &frame);
  Say(Numbers("client", {client.right - client.left, client.bottom - client.top}));
  Say(Numbers("rect", {frame.left, frame.top, frame.right, frame.bottom}));
  return ReadMenu(window);
}

// The children by their ids; windows that share one (the options of a group)
// are told apart by their row, top first: "142.3".
std::map<HWND, std::wstring> ControlNames(const std::vector<HWND>& children) {
  std::map<int, std::vector<std::pair<LONG, HWND>>> byId;
  for (HWND child : children) {
    RECT place{};
    GetWindowRect(child, &place);
    byId[GetDlgCtrlID(child)].push_back({place.top, child});
  }
  std::map<HWND, std::wstring> names;
  for (auto& [id, windows] : byId) {
    std::sort(windows.begin(), windows.end());
    for (size_t row = 0; row < windows.size(); ++row) {
      names[windows[row].second] = std::to_wstring(id) + (windows.size() > 1 ? L"." + std::to_wstring(row) : L"");
    }
  }
  return names;
}

// The child with this id (or id.row), or nullptr.
HWND ControlNamed(const std::vector<HWND>& children, const std::wstring& name) {
  for (const auto& [child, id] : ControlNames(children))
    if (id == name) return child;
  return nullptr;
}

// Asked of the control itself: an edit control keeps its text to itself, and
// GetWindowText from another process sees only the window's caption.
std::wstring ControlText(HWND child) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(child, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return WindowText(child);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(child, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                      &copied);
  text.resize(static_cast<size_t>(copied));
  return text;
}

// Screen coordinates, which are the X screen's in a Wine desktop that fills it.
int Controls(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  Say(Numbers("window", {frame.left, frame.top, frame.right, frame.bottom}));
  RECT client{};
  GetClientRect(window, &client);
  Say(Numbers("client", {client.right, client.bottom}));
  const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  Say(Numbers("caption-buttons", {(style & WS_MINIMIZEBOX) != 0, (style & WS_MAXIMIZEBOX) != 0,
                                  (style & WS_SYSMENU) != 0}));
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  const auto names = ControlNames(children);
  for (HWND child : children) {
    const std::wstring className = ClassOf(child);
    RECT place{};
    GetWindowRect(child, &place);
    std::string value = "-";
    if (lstrcmpiW(className.c_str(), L"ScrollBar") == 0) {
      value = std::to_string(static_cast<long>(SendMessageW(child, SBM_GETPOS, 0, 0)));
    }
    const bool isButton = lstrcmpiW(className.c_str(), L"Button") == 0;
    Say("control " + Utf8(names.at(child)) + " class=" + Utf8(className) +
        " visible=" + std::to_string(IsWindowVisible(child) ? 1 : 0) +
        " enabled=" + std::to_string(IsWindowEnabled(child) ? 1 : 0) +
        " focus=" + std::to_string(child == thread.hwndFocus ? 1 : 0) +
        " check=" + (isButton ? std::to_string(static_cast<long>(SendMessageW(child, BM_GETCHECK, 0, 0))) : "-") +
        " value=" + value + " rect=" + std::to_string(place.left) + "," + std::to_string(place.top) + "," +
        std::to_string(place.right) + "," + std::to_string(place.bottom) + " text=" + Utf8(ControlText(child)));
  }
  return kOk;
}

// --- Driving it --------------------------------------------------------------

int Click(HWND window, const std::wstring& name) {
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  HWND target = ControlNamed(children, name);
  for (HWND child : children)
    if (target == nullptr && WindowText(child) == name) target = child;
  if (target == nullptr) return Fail(kMissing, L"no control named " + name);
  return PostMessageW(target, BM_CLICK, 0, 0) ? kOk : Fail(kFailed, L"PostMessageW failed");
}

bool IsGroupBox(HWND window) {
  return lstrcmpiW(ClassOf(window).c_str(), L"Button") == 0 &&
         (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// The child of PARENT a click at the point goes to: the topmost visible one
// there, and the deepest. A group box lets clicks through to what lies below it
// (it answers the hit test as transparent); WindowFromPoint, asked from another
// process, does not ask the windows and would stop at the box.
HWND ChildAt(HWND parent, POINT point) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT place{};
    GetWindowRect(child, &place);
    if (IsWindowVisible(child) && PtInRect(&place, point) && !IsGroupBox(child)) {
      HWND deeper = ChildAt(child, point);
      return deeper != nullptr ? deeper : child;
    }
  }
  return nullptr;
}

// Why a click at the point would not reach the control now, or "" when it would.
std::wstring NotClickable(HWND window, HWND control, POINT point) {
  if (!IsWindowEnabled(window)) return L"the window is disabled";
  if (GetForegroundWindow() != window) return L"the window is not in front";
  if (!IsWindowVisible(control) || !IsWindowEnabled(control)) return L"the control is hidden or disabled";
  if (GetAncestor(WindowFromPoint(point), GA_ROOT) != window) return L"another window (a tooltip?) covers it";
  HWND hit = ChildAt(window, point);
  while (hit != nullptr && hit != control) hit = GetParent(hit);
  return hit == control ? L"" : L"another control covers it";
}

int Aim(HWND window, const std::wstring& name, const wchar_t* secondsText, const wchar_t* fromRightText) {
  DWORD timeout = 0;
  long fromRight = -1;
  if (!ParseSeconds(secondsText, timeout)) return Fail(kUsage, L"bad SECONDS: " + std::wstring(secondsText));
  if (fromRightText != nullptr && !ParseInt(fromRightText, fromRight)) {
    return Fail(kUsage, L"bad FROM_RIGHT: " + std::wstring(fromRightText));
  }
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  HWND control = ControlNamed(children, name);
  if (control == nullptr) return Fail(kMissing, L"no control named " + name);
  RECT place{};
  GetWindowRect(control, &place);
  const POINT target{fromRight < 0 ? (place.left + place.right) / 2 : place.right - fromRight,
                     (place.top + place.bottom) / 2};
  const DWORD start = GetTickCount();
  bool announced = false;
  for (;;) {
    std::wstring reason = NotClickable(window, control, target);
    POINT pointer{};
    GetCursorPos(&pointer);
    if (reason.empty() && !announced) {
      Say(Numbers("at", {target.x, target.y}));
      announced = true;
    }
    if (reason.empty() && (pointer.x != target.x || pointer.y != target.y)) reason = L"the pointer is not there yet";
    if (reason.empty()) return kOk;
    if (GetTickCount() - start >= timeout) return Fail(kMissing, L"cannot click " + name + L": " + reason);
    Sleep(20);
  }
}

// LB_SETCURSEL alone notifies nobody; a user's click also sends the owner
// LBN_SELCHANGE, so the probe sends that too.
int Select(HWND window, const wchar_t* indexText) {
  long index = 0;
  if (!ParseInt(indexText, index)) return Fail(kUsage, L"bad INDEX: " + std::wstring(indexText));
  const auto lists = ChildrenOfClass(window, L"ListBox");
  if (lists.empty()) return Fail(kMissing, L"the window has no list box");
  HWND list = lists.front();
  if (index < -1 || index >= SendMessageW(list, LB_GETCOUNT, 0, 0)) {
    return Fail(kMissing, L"the list box has no entry " + std::wstring(indexText));
  }
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (SendMessageW(list, LB_GETCURSEL, 0, 0) != index) return Fail(kFailed, L"the list box refused the index");
  const auto id = static_cast<WORD>(GetDlgCtrlID(list));
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  return kOk;
}

// --- Windows of its own ------------------------------------------------------

constexpr UINT_PTR kEndTimer = 1, kQuitPoll = 2;

FILE* keyLog = nullptr;
std::wstring quitFlag;
bool painted = false;
FILETIME processStart{};

bool timedLog = false;  // each line also carries " at=<microseconds since 1970>"

void Log(const char* format, unsigned a = 0, unsigned b = 0, unsigned c = 0) {
  std::fprintf(keyLog, format, a, b, c);
  if (timedLog) {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    std::fprintf(keyLog, " at=%llu", (ticks - 116444736000000000ULL) / 10);
  }
  std::fputc('\n', keyLog);
  std::fflush(keyLog);
}

LRESULT CALLBACK KeyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const std::string input = InputMessageLine(message, wParam, lParam); !input.empty()) {
    // When timed, also the message's own time (milliseconds): when the input
    // was made, which a busy receiver cannot shift.
    Log(timedLog ? (input + " sent=" + std::to_string(GetMessageTime())).c_str() : input.c_str());
    return 0;
  }
  // When timed, the pointer's moves over the window too: when the system
  // delivered movement, and when it paused.
  if (timedLog && message == WM_MOUSEMOVE) {
    Log("mouse move %d %d sent=%u", static_cast<unsigned>(static_cast<short>(LOWORD(lParam))),
        static_cast<unsigned>(static_cast<short>(HIWORD(lParam))), static_cast<unsigned>(GetMessageTime()));
    return 0;
  }
  switch (message) {
    case WM_TIMER:
      if (wParam == kEndTimer ||
          (wParam == kQuitPoll && GetFileAttributesW(quitFlag.c_str()) != INVALID_FILE_ATTRIBUTES)) {
        DestroyWindow(window);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK MinimalWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      if (!painted) {
        painted = true;
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        const ULONGLONG ticks = ((static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime) -
                                ((static_cast<ULONGLONG>(processStart.dwHighDateTime) << 32) |
                                 processStart.dwLowDateTime);
        Say("shown " + std::to_string(ticks / 10000));
      }
      return 0;
    }
    case WM_TIMER:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND OpenWindow(WNDPROC procedure, const wchar_t* className, const wchar_t* title) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = className;
  RegisterClassW(&windowClass);
  return CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 400, nullptr,
                         nullptr, windowClass.hInstance, nullptr);
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return kOk;
}

// Holds the file open with no sharing, as another program may, until SECONDS
// pass or FILE.quit appears.
int Hold(const std::wstring& path, const wchar_t* secondsText) {
  DWORD duration = 0;
  if (!ParseSeconds(secondsText, duration)) return Fail(kUsage, L"bad SECONDS: " + std::wstring(secondsText));
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Fail(kFailed, L"cannot open " + path);
  Say("held");
  const std::wstring quit = path + L".quit";
  for (DWORD waited = 0; waited < duration && GetFileAttributesW(quit.c_str()) == INVALID_FILE_ATTRIBUTES;
       waited += 50) {
    Sleep(50);
  }
  CloseHandle(file);
  Say("released");
  return kOk;
}

int Keys(const wchar_t* logPath, const wchar_t* secondsText) {
  DWORD duration = 0;
  if (!ParseSeconds(secondsText, duration)) return Fail(kUsage, L"bad SECONDS: " + std::wstring(secondsText));
  keyLog = _wfopen(logPath, L"wb");
  if (keyLog == nullptr) return Fail(kFailed, L"cannot write " + std::wstring(logPath));
  quitFlag = std::wstring(logPath) + L".quit";
  JoinTestDesktop();
  // Named after its log, so that two key targets can be told apart.
  std::wstring name = logPath;
  name = name.substr(name.find_last_of(L"\\/") + 1);
  name = name.substr(0, name.find_last_of(L'.'));
  HWND window = OpenWindow(KeyWindowProc, L"TillervaneKeyTarget", (L"按键接收窗 key target " + name).c_str());
  if (window == nullptr) return Fail(kFailed, L"cannot open the key target window");
  SetForegroundWindow(window);
  SetFocus(window);
  SetTimer(window, kEndTimer, duration, nullptr);
  SetTimer(window, kQuitPoll, 50, nullptr);
  Log("ready");
  RunMessageLoop();
  Log("bye");
  std::fclose(keyLog);
  return kOk;
}

// Sends a message as the system would (a session's end, a suspend) and prints
// the window's answer.
int Send(HWND window, const std::wstring& message, const std::wstring& wParam, const std::wstring& lParam) {
  wchar_t* end = nullptr;
  const auto number = [&end](const std::wstring& text) { return std::wcstoull(text.c_str(), &end, 0); };
  const auto id = static_cast<UINT>(number(message));
  const auto w = static_cast<WPARAM>(number(wParam));
  const auto l = static_cast<LPARAM>(number(lParam));
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, id, w, l, SMTO_ABORTIFHUNG, 5000, &answer)) {
    return Fail(kFailed, L"the window did not answer message " + message);
  }
  Say("answer " + std::to_string(static_cast<unsigned long long>(answer)));
  return kOk;
}

// Brings the window to the foreground, as a click on its task bar button would.
int Activate(HWND window) {
  SetForegroundWindow(window);
  for (int waited = 0; GetForegroundWindow() != window; waited += 20) {
    if (waited >= 5000) return Fail(kFailed, L"the window did not come to the foreground");
    Sleep(20);
  }
  return kOk;
}

int MinimalWindow(const wchar_t* secondsText) {
  DWORD duration = 0;
  if (!ParseSeconds(secondsText, duration)) return Fail(kUsage, L"bad SECONDS: " + std::wstring(secondsText));
  FILETIME exited{}, kernel{}, user{};
  GetProcessTimes(GetCurrentProcess(), &processStart, &exited, &kernel, &user);
  JoinTestDesktop();
  HWND window = OpenWindow(MinimalWindowProc, L"TillervaneMinimalWindow", L"最小窗口 minimal");
  if (window == nullptr) return Fail(kFailed, L"cannot open the minimal window");
  SetTimer(window, kEndTimer, duration, nullptr);
  return RunMessageLoop();
}

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

int Ticker(const wchar_t* secondsText, const std::wstring& flag) {
  DWORD duration = 0;
  if (!ParseSeconds(secondsText, duration)) return Fail(kUsage, L"bad SECONDS: " + std::wstring(secondsText));
  JoinTestDesktop();
  HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
  if (timer == nullptr) timer = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
  LARGE_INTEGER due{};
  due.QuadPart = -80000;  // 8 ms, relative
  if (timer == nullptr || !SetWaitableTimer(timer, &due, 8, nullptr, nullptr, FALSE)) {
    return Fail(kFailed, L"cannot start the timer");
  }
  Say("ticking");
  INPUT keyUp{};
  keyUp.type = INPUT_KEYBOARD;
  keyUp.ki.wVk = VK_F24;
  keyUp.ki.dwFlags = KEYEVENTF_KEYUP;
  const ULONGLONG end = GetTickCount64() + duration;
  for (unsigned tick = 0; GetTickCount64() < end;) {
    const DWORD woke = MsgWaitForMultipleObjectsEx(1, &timer, 100, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke == WAIT_OBJECT_0) {
      SendInput(1, &keyUp, sizeof keyUp);
      if (++tick % 16 == 0 && GetFileAttributesW(flag.c_str()) != INVALID_FILE_ATTRIBUTES) break;
      continue;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  CloseHandle(timer);
  return kOk;
}

// --- Command line ------------------------------------------------------------

int Run(const std::vector<std::wstring>& args) {
  const auto count = args.size();
  const std::wstring command = count > 1 ? args[1] : L"";
  if (command == L"cursor" && count == 2) {
    JoinTestDesktop();
    POINT point{};
    if (!GetCursorPos(&point)) return Fail(kFailed, L"GetCursorPos failed");
    Say(Numbers("cursor", {point.x, point.y}));
    return kOk;
  }
  if (command == L"keys" && count == 4) return Keys(args[2].c_str(), args[3].c_str());
  if (command == L"hold" && count == 4) return Hold(args[2], args[3].c_str());
  if (command == L"keys" && count == 5 && args[4] == L"timed") {
    timedLog = true;
    return Keys(args[2].c_str(), args[3].c_str());
  }
  if (command == L"windows" && count == 2) return ListWindows();
  if (command == L"minimal-window" && count == 3) return MinimalWindow(args[2].c_str());
  if (command == L"ticker" && count == 4) return Ticker(args[2].c_str(), args[3]);
  if ((command == L"wait" || command == L"gone" || command == L"front") && count == 4) {
    return Await(args[2], args[3].c_str(),
                 command == L"gone" ? Awaited::Gone : command == L"front" ? Awaited::InFront : Awaited::Visible);
  }
  if (command == L"ended" && count == 4) return AwaitProcessEnd(args[2], args[3].c_str());
  if (command == L"send" && count == 6) {
    HWND window = FindTitled(args[2], false);
    if (window == nullptr) return Fail(kMissing, L"no window titled " + args[2]);
    return Send(window, args[3], args[4], args[5]);
  }
  if (command == L"aim" && (count == 5 || count == 6)) {
    HWND window = FindTitled(args[2], false);
    if (window == nullptr) return Fail(kMissing, L"no window titled " + args[2]);
    return Aim(window, args[3], args[4].c_str(), count == 6 ? args[5].c_str() : nullptr);
  }
  const bool withArgument = command == L"command" || command == L"select" || command == L"click" || command == L"drop";
  const bool titleOnly =
      command == L"read" || command == L"close" || command == L"controls" || command == L"activate";
  if ((titleOnly && count == 3) || (withArgument && count == 4)) {
    HWND window = FindTitled(args[2], false);
    if (window == nullptr) return Fail(kMissing, L"no window titled " + args[2]);
    if (command == L"read") return Read(window);
    if (command == L"controls") return Controls(window);
    if (command == L"click") return Click(window, args[3]);
    if (command == L"select") return Select(window, args[3].c_str());
    if (command == L"drop") return Drop(window, args[3]);
    if (command == L"close") return PostMessageW(window, WM_CLOSE, 0, 0) ? kOk : Fail(kFailed, L"PostMessageW failed");
    if (command == L"activate") return Activate(window);
    long id = 0;
    if (!ParseInt(args[3].c_str(), id) || id < 0 || id > 0xFFFF) return Fail(kUsage, L"bad ID: " + args[3]);
    return PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0) ? kOk : Fail(kFailed, L"PostMessageW failed");
  }
  return Fail(kUsage,
              L"usage: window_probe.exe wait|gone|front TITLE SECONDS | read|close|controls|activate TITLE | command TITLE ID | drop TITLE PATH"
              L" | select TITLE INDEX | click TITLE NAME | aim TITLE NAME SECONDS [FROM_RIGHT] | send TITLE MSG WPARAM LPARAM | keys LOGFILE SECONDS | hold FILE SECONDS | cursor"
              L" | minimal-window SECONDS | ticker SECONDS FLAGFILE | windows | ended EXE SECONDS");
}

}  // namespace

int main() {
  // Plain '\n' line ends, not the C runtime's "\r\n".
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (argv == nullptr) return Fail(kUsage, L"cannot parse the command line");
  const std::vector<std::wstring> args(argv, argv + count);
  LocalFree(argv);
  return Run(args);
}
