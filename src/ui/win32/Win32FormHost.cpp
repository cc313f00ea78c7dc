#include "ui/win32/Win32FormHost.h"

#include <windows.h>

#include <map>

#include "platform/win32/Win32Parts.h"
#include "ui/win32/MessageLoop.h"

namespace ui::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"TillervaneForm";

int ShiftState() {
  return ((::GetKeyState(VK_SHIFT) < 0) ? 1 : 0) | ((::GetKeyState(VK_CONTROL) < 0) ? 2 : 0) |
         ((::GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* form = reinterpret_cast<Form*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_KEYUP:
      if (form != nullptr) form->RaiseKeyUp(static_cast<int>(wParam), ShiftState());
      return 0;
    case WM_CLOSE:  // the close box or the system menu
      if (form != nullptr) form->RaiseCloseBox();
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

void RegisterFormClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = FormProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kFormClass;
  registered = ::RegisterClassExW(&windowClass) != 0;
}

int ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

HICON LoadFormIcon(int resource, int size) {
  if (resource == 0) return nullptr;
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_ICON,
                                         size, size, 0));
}

// Where a window of this size goes: centred on its owner, or on the screen's
// work area when it has none or asks for the screen.
POINT CentredOrigin(const Form& form, HWND owner, int width, int height) {
  RECT area{};
  if (form.Position == StartPosition::CenterOwner && owner != nullptr && ::IsWindowVisible(owner)) {
    ::GetWindowRect(owner, &area);
  } else {
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  return {area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
}

class RealFormHost final : public FormHost {
 public:
  void ShowModal(Form& form) override {
    RegisterFormClass();
    HWND owner = ::GetActiveWindow();
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | (form.MinButton ? WS_MINIMIZEBOX : 0) |
                        (form.MaxButton ? WS_MAXIMIZEBOX : 0);
    const int dpi = ScreenDpi();
    RECT frame{0, 0, ::MulDiv(form.ClientWidthTwips, dpi, 1440), ::MulDiv(form.ClientHeightTwips, dpi, 1440)};
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const POINT origin = CentredOrigin(form, owner, width, height);

    HWND window = ::CreateWindowExW(0, kFormClass, platform::win32::Widen(form.Caption).c_str(),
                                    style, origin.x, origin.y, width, height, owner, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) return;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
    windows_[&form] = window;
    if (HICON big = LoadFormIcon(form.IconResource, ::GetSystemMetrics(SM_CXICON))) {
      ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    }
    if (HICON small = LoadFormIcon(form.IconResource, ::GetSystemMetrics(SM_CXSMICON))) {
      ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }

    form.RaiseLoad();
    if (!form.Loaded()) return;  // unloaded while loading
    if (owner != nullptr) ::EnableWindow(owner, FALSE);
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    RunMessagesUntil([&form] { return !form.Loaded(); });
    if (form.Loaded()) form.Unload();  // the program is quitting
    if (owner != nullptr) {
      ::EnableWindow(owner, TRUE);
      ::SetActiveWindow(owner);
    }
  }

  void Destroy(Form& form) override {
    const auto found = windows_.find(&form);
    if (found == windows_.end()) return;
    HWND window = found->second;
    windows_.erase(found);
    // Re-enable the owner first, so that Windows activates it and not another program.
    if (HWND owner = ::GetWindow(window, GW_OWNER)) ::EnableWindow(owner, TRUE);
    ::DestroyWindow(window);
    // Wakes the modal loop, which may be waiting in GetMessage for input that
    // never comes when a hook swallowed the event that unloaded the form.
    ::PostMessageW(nullptr, WM_NULL, 0, 0);
  }

 private:
  std::map<Form*, HWND> windows_;
};

}  // namespace

FormHost& Win32FormHost() {
  static RealFormHost host;
  return host;
}

}  // namespace ui::win32
