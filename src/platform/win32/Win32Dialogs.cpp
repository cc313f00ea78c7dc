#include <windows.h>
#include <commdlg.h>

#include "platform/win32/Win32Parts.h"

namespace platform::win32 {

namespace {

// The boxes belong to the program's active window, if it has one, so that they
// are modal to it; the message loop keeps running inside them.
class RealDialogs final : public Dialogs {
 public:
  int ShowMessage(const std::string& text, const std::string& title, std::uint32_t style) override {
    return ::MessageBoxW(::GetActiveWindow(), Widen(text).c_str(), Widen(title).c_str(), style);
  }

  bool ShowOpenFile(OpenFileRequest& request) override { return ShowFileDialog(request, ::GetOpenFileNameW); }
  bool ShowSaveFile(OpenFileRequest& request) override { return ShowFileDialog(request, ::GetSaveFileNameW); }

 private:
  static bool ShowFileDialog(OpenFileRequest& request, BOOL(WINAPI* show)(OPENFILENAMEW*)) {
    // The filter's NULs survive the conversion: Widen converts by length.
    const std::wstring filter = Widen(request.filter);
    const std::wstring title = Widen(request.title);
    const std::wstring folder = Widen(request.initialFolder);
    const std::wstring extension = Widen(request.defaultExtension);
    wchar_t file[MAX_PATH] = {};
    const std::wstring initial = Widen(request.fileName);
    if (initial.size() >= MAX_PATH) return false;
    initial.copy(file, initial.size());

    OPENFILENAMEW dialog{};
    // The older, shorter layout: what every version of the dialog accepts.
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    dialog.hwndOwner = ::GetActiveWindow();
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = request.filterIndex;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = request.flags;
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    if (!show(&dialog) || file[0] == L'\0') return false;
    request.fileName = Narrow(file);
    request.filterIndex = dialog.nFilterIndex;
    return true;
  }
};

}  // namespace

Dialogs& Win32Dialogs() {
  static RealDialogs dialogs;
  return dialogs;
}

}  // namespace platform::win32
