// The process: priority, timing, messages, instances, folders and starting programs.
#include "platform/win32/Win32Parts.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "platform/win32/Handles.h"

namespace platform::win32 {

namespace {

// The longest path the system's wide calls take, the terminator included.
constexpr std::size_t kLongestPath = 32768;

// 1 elevated, 0 not, -1 when the token cannot be read.
int TokenElevated(HANDLE process) {
  HANDLE opened = nullptr;
  if (!::OpenProcessToken(process, TOKEN_QUERY, &opened)) return -1;
  const KernelHandle token(opened);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  if (!::GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size)) return -1;
  return elevation.TokenIsElevated != 0 ? 1 : 0;
}

// The process whose window is in the foreground, opened to query; none when
// there is no such window or it may not be opened.
KernelHandle OpenForegroundProcess() {
  DWORD processId = 0;
  HWND window = ::GetForegroundWindow();
  if (window == nullptr || ::GetWindowThreadProcessId(window, &processId) == 0) return {};
  return KernelHandle(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
}

std::wstring DesktopName(HDESK desktop) {
  wchar_t name[256] = {};
  DWORD needed = 0;
  if (desktop == nullptr || !::GetUserObjectInformationW(desktop, UOI_NAME, name, sizeof name, &needed)) return {};
  return name;
}

std::wstring OwnPath() {
  std::wstring path(kLongestPath, L'\0');
  const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) return {};
  path.resize(length);
  return path;
}

class RealProcess final : public Process {
 public:
  void SetPriorityClass(std::uint32_t priorityClass) override {
    ::SetPriorityClass(::GetCurrentProcess(), priorityClass);
  }
  void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }

  void PumpPendingMessages() override { DispatchWaitingMessages(); }

  std::uintptr_t ForegroundWindow() override { return reinterpret_cast<std::uintptr_t>(::GetForegroundWindow()); }

  std::string ForegroundProcessPath() override {
    const KernelHandle process = OpenForegroundProcess();
    if (process.get() == nullptr) return {};
    std::wstring path(kLongestPath, L'\0');
    DWORD length = static_cast<DWORD>(path.size());
    if (!::QueryFullProcessImageNameW(process.get(), 0, path.data(), &length)) return {};
    path.resize(length);
    const std::wstring final = FinalPathOf(path);
    return Narrow(final.empty() ? path : final);
  }

  bool ForegroundProcessElevatedAboveUs() override {
    // This process's rights never change; the poll asks ten times a second.
    static const bool elevated = TokenElevated(::GetCurrentProcess()) == 1;
    if (elevated) return false;
    const KernelHandle process = OpenForegroundProcess();
    // A token this process may not even read belongs to one with higher rights.
    return process.get() != nullptr && TokenElevated(process.get()) != 0;
  }

  bool InputDesktopIsOurs() override {
    // The thread's own desktop never changes; the poll asks ten times a second.
    static const std::wstring own = DesktopName(::GetThreadDesktop(::GetCurrentThreadId()));
    HDESK input = ::OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS);
    if (input == nullptr) return false;  // a secure desktop refuses to be opened
    const bool ours = DesktopName(input) == own;
    ::CloseDesktop(input);
    return ours;
  }

  // The performance counter: the tick count moves in steps of 15.6 ms, which
  // would cut a 30 ms hold of a tapped key in half.
  std::uint64_t NowMs() override {
    static const LONGLONG frequency = [] {
      LARGE_INTEGER value{};
      ::QueryPerformanceFrequency(&value);
      return value.QuadPart;
    }();
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return static_cast<std::uint64_t>(now.QuadPart / frequency * 1000 + now.QuadPart % frequency * 1000 / frequency);
  }

  // Looked up at run time: SetProcessInformation came with Windows 8. One call
  // per bit: Windows 10 before version 2004 knows only the execution speed and
  // refuses a call that names the timer resolution as well.
  void AllowPowerThrottling(bool allowed) override {
    using SetInformation = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);
    static const auto set = reinterpret_cast<SetInformation>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetProcessInformation")));
    if (set == nullptr) return;
    constexpr ULONG kExecutionSpeed = 0x1, kIgnoreTimerResolution = 0x4;
    constexpr int kProcessPowerThrottling = 4;
    // A bit under control with its state bit clear means "never throttle";
    // nothing under control leaves it all to the system again.
    const auto control = [](ULONG bits) {
      struct {
        ULONG Version, ControlMask, StateMask;
      } state{1, bits, 0};  // PROCESS_POWER_THROTTLING_STATE
      set(::GetCurrentProcess(), kProcessPowerThrottling, &state, sizeof state);
    };
    if (allowed) {
      control(0);
      return;
    }
    control(kExecutionSpeed);
    control(kIgnoreTimerResolution);
  }

  std::string ExecutableDirectory() override {
    const std::wstring path = OwnPath();
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    // "C:\Tillervane.exe" lives in "C:\"; "C:\Games\Tillervane.exe" in "C:\Games".
    const bool root = slash == 2 && path[1] == L':';
    return Narrow(path.substr(0, root ? slash + 1 : slash));
  }

  bool IsAnotherInstanceRunning() override {
    // Held until the process ends; a second start sees it exist.
    static HANDLE mutex = ::CreateMutexW(nullptr, FALSE, L"Local\\Tillervane.SingleInstance");
    static const bool existed = mutex != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS;
    return existed;
  }

  bool TopLevelWindowExists(const std::string& title) override {
    return ::FindWindowW(nullptr, Widen(title).c_str()) != nullptr;
  }

  bool ChangeDirectory(const std::string& path) override {
    return ::SetCurrentDirectoryW(Widen(path).c_str()) != FALSE;
  }

  bool StartProgram(const std::string& path) override {
    // Quoted, so that a path with spaces never starts a program named by its first part.
    std::wstring commandLine = L"\"" + Widen(path) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
      return false;
    }
    const KernelHandle thread(started.hThread), process(started.hProcess);  // not waited for
    return true;
  }

  bool OpenDocument(const std::string& address, const std::string& workingDirectory) override {
    const auto result = reinterpret_cast<INT_PTR>(::ShellExecuteW(::GetActiveWindow(), L"open", Widen(address).c_str(),
                                                                  L"", Widen(workingDirectory).c_str(), SW_SHOWNORMAL));
    return result > 32;
  }

  std::vector<std::string> CommandLineArguments() override {
    int count = 0;
    LPWSTR* words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words != nullptr && i < count; ++i) arguments.push_back(Narrow(words[i]));
    ::LocalFree(words);
    return arguments;
  }

  bool StartElevatedCopy(const std::string& arguments) override {
    const std::wstring own = OwnPath(), parameters = Widen(arguments);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    info.hwnd = ::GetActiveWindow();
    info.lpVerb = L"runas";  // the consent prompt; a refusal fails with ERROR_CANCELLED
    info.lpFile = own.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (own.empty() || !::ShellExecuteExW(&info)) return false;
    copy_ = KernelHandle(info.hProcess);
    copyStarted_ = true;
    return true;
  }

  CopyState ElevatedCopyState() override {
    if (!copyStarted_) return CopyState::None;
    if (copy_.get() == nullptr) return CopyState::Up;  // started, but nothing to watch it by
    if (::WaitForSingleObject(copy_.get(), 0) == WAIT_OBJECT_0) return CopyState::Ended;
    // A handle that cannot be asked gives WAIT_FAILED: the copy runs, which is all there is to know.
    return ::WaitForInputIdle(copy_.get(), 0) == WAIT_TIMEOUT ? CopyState::Starting : CopyState::Up;
  }

  void InitCommonControls(std::uint32_t classes) override {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = classes;
    ::InitCommonControlsEx(&controls);
  }

 private:
  KernelHandle copy_;
  bool copyStarted_ = false;
};

}  // namespace

bool DispatchWaitingMessages(void (*betweenMessages)()) {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    // Tab, the arrow keys and mnemonics move between a form's controls.
    HWND active = ::GetActiveWindow();
    if (active == nullptr || !::IsDialogMessageW(active, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    if (betweenMessages != nullptr) betweenMessages();
  }
  return true;
}

Process& Win32Process() {
  static RealProcess process;
  return process;
}

}  // namespace platform::win32
