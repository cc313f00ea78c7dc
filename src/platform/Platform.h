#pragma once
// What the operating system provides, as small interfaces. The program's own code
// reaches the one process-wide instance through Os(); the Windows build installs
// the real calls at start-up, tests install their fakes. Never includes <windows.h>.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/WinConstants.h"

namespace platform {

struct Point {
  std::int32_t x = 0, y = 0;
};

// The primary screen: its size in twips (1/1440 inch) and pixels-to-twips factors.
struct ScreenMetrics {
  std::int32_t widthTwips = 0, heightTwips = 0;
  std::int32_t twipsPerPixelX = 15, twipsPerPixelY = 15;
};

using HookHandle = std::uintptr_t;  // 0 = none

// A copy of this program started with higher rights, as seen by the one that started it.
enum class CopyState { None, Starting, Up, Ended };

// A low-level hook procedure: hook code, the message (wParam) and the address of
// the event record (lParam); the result goes back to the system.
using HookProc = std::intptr_t (*)(int code, std::uintptr_t wParam, std::intptr_t lParam);

// The record a low-level mouse hook receives, laid out as the system passes it.
struct MouseHookRecord {
  std::int32_t x = 0;  // pointer position in physical screen pixels
  std::int32_t y = 0;
  std::uint32_t mouseData = 0;
  std::uint32_t flags = 0;
  std::uint32_t time = 0;
  std::uintptr_t extraInfo = 0;
};

// The record a low-level keyboard hook receives, laid out as the system passes it.
struct KeyboardHookRecord {
  std::uint32_t vkCode = 0;
  std::uint32_t scanCode = 0;
  std::uint32_t flags = 0;  // bit 0: extended key
  std::uint32_t time = 0;
  std::uintptr_t extraInfo = 0;
};

// Input injection, key state and key names.
class Input {
 public:
  virtual ~Input() = default;
  virtual void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                          std::uintptr_t extraInfo) = 0;
  virtual void MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                          std::uintptr_t extraInfo) = 0;
  virtual std::uint32_t MapVirtualKeyCode(std::uint32_t code, std::uint32_t mapType) = 0;
  virtual std::int16_t GetAsyncKeyState(std::int32_t virtualKey) = 0;
  // In physical pixels, the space of MouseHookRecord's point, whatever the
  // process's DPI awareness.
  virtual bool GetCursorPos(Point& position) = 0;
  // The keyboard layout's name for the key of a key-message parameter (scan code
  // in bits 16 to 23, extended flag in bit 24), as the system writes it into a
  // buffer of `bufferUnits` UTF-16 units, the terminator included; empty when the
  // layout has no name.
  virtual std::string KeyNameText(std::int32_t keyParameter, int bufferUnits) = 0;
};

class Screen {
 public:
  virtual ~Screen() = default;
  virtual ScreenMetrics PrimaryScreen() = 0;
};

// Low-level hooks.
class Hooks {
 public:
  virtual ~Hooks() = default;
  // Installs a desktop-wide low-level mouse hook; 0 on failure.
  virtual HookHandle SetMouseHook(HookProc procedure) = 0;
  // Installs a desktop-wide low-level keyboard hook; 0 on failure.
  virtual HookHandle SetKeyboardHook(HookProc procedure) = 0;
  virtual bool Unhook(HookHandle hook) = 0;
  virtual std::intptr_t CallNextHook(HookHandle hook, int code, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;
  // Calls `changed` on this thread whenever another window comes to the
  // foreground; 0 on failure.
  virtual HookHandle SetForegroundHook(void (*changed)()) = 0;
  // Calls `switched` on this thread whenever another desktop takes the input
  // (a UAC prompt, the Ctrl+Alt+Del screen) or gives it back; 0 where the
  // system has no such event.
  virtual HookHandle SetDesktopSwitchHook(void (*switched)()) = 0;
  // Removes a hook of the two above.
  virtual void RemoveEventHook(HookHandle hook) = 0;
};

class Process {
 public:
  virtual ~Process() = default;
  virtual void SetPriorityClass(std::uint32_t priorityClass) = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // Handles the messages that are waiting now, once, and returns.
  virtual void PumpPendingMessages() = 0;
  // The window in the foreground, 0 when there is none; cheap to ask.
  virtual std::uintptr_t ForegroundWindow() = 0;
  // The final path (see Files::FinalPath) of the executable of the process
  // whose window is in the foreground, UTF-8; empty when there is none or it
  // cannot be read (a protected process).
  virtual std::string ForegroundProcessPath() = 0;
  // True when the process whose window is in the foreground runs with higher
  // rights than this one: the system then drops the keys sent to it.
  virtual bool ForegroundProcessElevatedAboveUs() = 0;
  // False while another desktop than this program's takes the input: a
  // secure desktop, which this program may not even open.
  virtual bool InputDesktopIsOurs() = 0;
  // Milliseconds since some fixed moment, never going back.
  virtual std::uint64_t NowMs() = 0;
  // Lets the system slow this process down when its windows are out of sight
  // (the default), or keeps its speed and its timers' precision; a system
  // without the choice ignores it.
  virtual void AllowPowerThrottling(bool allowed) = 0;
  // The folder of the program's executable, UTF-8, as the system reports it: a
  // drive's root keeps its backslash ("C:\"), other folders have none.
  virtual std::string ExecutableDirectory() = 0;
  // True when another instance of this program already runs; the test lasts
  // for the life of this process.
  virtual bool IsAnotherInstanceRunning() = 0;
  // True when a top-level window with exactly this title exists.
  virtual bool TopLevelWindowExists(const std::string& title) = 0;
  // Makes `path` the current folder (a drive alone, "D:", makes that drive current).
  virtual bool ChangeDirectory(const std::string& path) = 0;
  // Starts a program or batch file, without arguments, in a normal window that
  // gets the focus, in the current folder; does not wait for it.
  virtual bool StartProgram(const std::string& path) = 0;
  // Opens a document or web page with the program the system has for it, as
  // the shell's "open" does, in `workingDirectory`; does not wait.
  virtual bool OpenDocument(const std::string& address, const std::string& workingDirectory) = 0;
  // The arguments the program was started with, after its own name, UTF-8.
  virtual std::vector<std::string> CommandLineArguments() = 0;
  // Starts this program again with higher rights, with `arguments`, through
  // the system's consent prompt; false when the user refuses or it fails.
  virtual bool StartElevatedCopy(const std::string& arguments) = 0;
  // The copy the call above started: Up once its window waits for input.
  virtual CopyState ElevatedCopyState() = 0;
  // Prepares the common controls (InitCommonControlsEx with these classes).
  virtual void InitCommonControls(std::uint32_t classes) = 0;
};

using FileHandle = std::uintptr_t;  // 0 = none

// Why a file step failed: the system's own description, and whether the system
// refused access, as it does in a folder this user may not write to (Program
// Files, a write-protected medium, a read-only share) or to a read-only file.
struct FileFailure {
  std::string description;
  bool accessDenied = false;
};

// Files by UTF-8 path. A failing call returns false (or 0) and fills `failure`.
class Files {
 public:
  virtual ~Files() = default;
  // True when a file, not a folder, is at `path`.
  virtual bool Exists(const std::string& path) = 0;
  // The path the system finally opens for `path`: SUBST drives, links and
  // junctions followed, short (8.3) names long; empty when it cannot be opened.
  virtual std::string FinalPath(const std::string& path) = 0;
  // Opens for reading and writing in binary mode; a missing file is created empty.
  virtual FileHandle OpenReadWrite(const std::string& path, FileFailure& failure) = 0;
  // The content from the first byte, at most kMostBytesRead of it: a settings
  // file never comes near that, and what lies behind is an ignored tail. On a
  // failure, `content` holds what was read before it.
  virtual bool ReadAll(FileHandle file, std::vector<std::uint8_t>& content, FileFailure& failure) = 0;
  static constexpr std::size_t kMostBytesRead = 16u << 20;
  // Writes from the first byte. The file is not truncated: bytes behind stay.
  virtual bool WriteFromStart(FileHandle file, const std::vector<std::uint8_t>& content,
                              FileFailure& failure) = 0;
  virtual bool Close(FileHandle file, FileFailure& failure) = 0;
  virtual bool Delete(const std::string& path, FileFailure& failure) = 0;
  // At most `limit` bytes from the start of the file at `path`, opened for
  // reading only; a larger file is never read whole.
  virtual bool ReadStart(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& content,
                         FileFailure& failure) = 0;
  // Creates the file at `path`, or empties the one there, and writes `content`.
  virtual bool WriteNew(const std::string& path, const std::vector<std::uint8_t>& content, FileFailure& failure) = 0;
};

// Text conversion between the program's UTF-8 and code page 936 (GBK), the
// settings file's encoding, whatever the system's own code page is.
class Text {
 public:
  virtual ~Text() = default;
  // Characters without a code page 936 form become "?".
  virtual std::string Utf8ToCp936(const std::string& utf8) = 0;
  virtual std::string Cp936ToUtf8(const std::string& cp936) = 0;
};

// What the open-file and save-file dialogs are shown with, and what they give back.
struct OpenFileRequest {
  std::string title;
  // Pairs of the text shown in the file-type list and its pattern, each ended
  // by a NUL; a second NUL ends the list.
  std::string filter;
  std::uint32_t filterIndex = 1;  // the entry preselected, from 1; on success the one confirmed
  std::string fileName;           // the initial name; on success the chosen file's full path
  std::uint32_t flags = 0;        // the system's OFN_ flags
  std::string initialFolder;      // empty: the system's choice
  std::string defaultExtension;   // added to a name typed without one; empty: none
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal message box owned by the program's active window; returns the answer.
  virtual int ShowMessage(const std::string& text, const std::string& title, std::uint32_t style) = 0;
  // The system's open-file dialog, modal to the program's active window, with
  // a path buffer of MAX_PATH units. True when a file was chosen; a cancel or
  // a failure (the path does not fit, for one) gives false and leaves
  // `request` as it was.
  virtual bool ShowOpenFile(OpenFileRequest& request) = 0;
  // The system's save-file dialog, in the same way.
  virtual bool ShowSaveFile(OpenFileRequest& request) = 0;
};

struct Platform {
  Input& input;
  Screen& screen;
  Hooks& hooks;
  Process& process;
  Files& files;
  Text& text;
  Dialogs& dialogs;
};

// The installed platform. Installing nullptr leaves none; Os() must not be
// called then.
inline Platform* installedOs = nullptr;
inline void SetOs(Platform* platform) { installedOs = platform; }
inline Platform& Os() {
  assert(installedOs != nullptr && "no platform installed");
  return *installedOs;
}

}  // namespace platform
