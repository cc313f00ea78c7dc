#include "ui/win32/TrayIconView.h"

#include <algorithm>
#include <string>

#include "platform/win32/Win32Parts.h"
#include "ui/win32/ControlViews.h"

namespace ui::win32 {

namespace {

constexpr UINT kIconId = 1;

// The small icon at the shell's scale. Looked up at run time: older systems
// have no LoadIconMetric, and then the system DPI's size is the best guess.
HICON LoadSmallIcon(int resource) {
  using LoadMetric = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
  static const auto load = reinterpret_cast<LoadMetric>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"comctl32.dll"), "LoadIconMetric")));
  HICON icon = nullptr;
  if (load != nullptr && SUCCEEDED(load(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), 0, &icon))) {
    return icon;  // 0: LIM_SMALL
  }
  const int size = ::MulDiv(16, ScreenDpi(), 96);
  return static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_ICON, size, size, 0));
}

}  // namespace

UINT TrayIconView::TaskbarCreated() {
  static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

TrayIconView::TrayIconView(NotifyIcon& icon, HWND owner) : icon_(icon), owner_(owner) {
  // A program with administrator rights hears from the shell only what it lets through.
  ::ChangeWindowMessageFilterEx(owner_, TaskbarCreated(), MSGFLT_ALLOW, nullptr);
  icon_.AttachView(this);
  Readd();
}

TrayIconView::~TrayIconView() {
  icon_.AttachView(nullptr);
  if (added_) {
    NOTIFYICONDATAW data = Data(0);
    ::Shell_NotifyIconW(NIM_DELETE, &data);
  }
}

NOTIFYICONDATAW TrayIconView::Data(UINT flags) const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner_;
  data.uID = kIconId;
  data.uFlags = flags;
  data.uCallbackMessage = kMessage;
  data.hIcon = picture_.get();
  std::wstring tip = platform::win32::Widen(icon_.Tip());
  std::size_t length = std::min(tip.size(), std::size(data.szTip) - 1);
  if (length > 0 && length < tip.size() && IS_HIGH_SURROGATE(tip[length - 1])) --length;  // no half character
  tip.copy(data.szTip, length);
  return data;
}

void TrayIconView::Refresh() {
  if (icon_.Icon() == 0) return;  // nothing to show before the form's load says which
  if (icon_.Icon() != shownIcon_ || picture_.get() == nullptr) {
    picture_ = platform::win32::IconHandle(LoadSmallIcon(icon_.Icon()));
    shownIcon_ = icon_.Icon();
  }
  NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  // The shell may not be there yet (early in a session): TaskbarCreated comes when it is.
  if (!added_) {
    added_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  } else if (!::Shell_NotifyIconW(NIM_MODIFY, &data)) {
    added_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  }
}

void TrayIconView::Readd() {
  picture_ = {};
  added_ = false;
  NOTIFYICONDATAW data = Data(0);
  ::Shell_NotifyIconW(NIM_DELETE, &data);  // after a change of scale the old one is still there
  Refresh();
}

void TrayIconView::OnNotify(LPARAM event) {
  switch (LOWORD(event)) {
    case WM_LBUTTONUP:
      icon_.UserClick();
      break;
    case WM_RBUTTONUP:
      icon_.UserRightClick();
      break;
    default:
      break;
  }
}

}  // namespace ui::win32
