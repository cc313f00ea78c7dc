// Win32 views: the list box.
#include "ui/win32/ViewSupport.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/win32/Win32Parts.h"

using platform::win32::Widen;

namespace ui::win32 {

namespace {

class ListBoxView final : public ChildView {
 public:
  ListBoxView(ListBox& model, HWND parent, UINT_PTR id) : ChildView(model, id), list_(model) {
    CreateChild(parent, L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP);
    ::SetWindowSubclass(window_, &ListBoxView::ListProc, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  ~ListBoxView() override { ::RemoveWindowSubclass(window_, &ListBoxView::ListProc, 0); }

  void Refresh() override {
    // Only what differs, so a refresh in the middle of a click does not reset
    // the list under the user's pointer.
    std::vector<std::string> items;
    for (int i = 0; i < list_.ListCount(); ++i) items.push_back(list_.List(i));
    if (items != shown_) {
      ::SendMessageW(window_, LB_RESETCONTENT, 0, 0);
      for (const auto& item : items) ::SendMessageW(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
      shown_ = items;
    }
    if (::SendMessageW(window_, LB_GETCURSEL, 0, 0) != list_.ListIndex()) {
      ::SendMessageW(window_, LB_SETCURSEL, static_cast<WPARAM>(list_.ListIndex()), 0);
    }
    RefreshCommon();
  }
  void OnCommand(WORD notification, HWND) override {
    if (notification == LBN_SELCHANGE) {
      list_.UserSelect(static_cast<int>(::SendMessageW(window_, LB_GETCURSEL, 0, 0)));
    } else if (notification == LBN_DBLCLK) {
      list_.UserDoubleClick();
    }
  }

 private:
  static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR data) {
    auto* self = reinterpret_cast<ListBoxView*>(data);
    const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_RBUTTONUP || message == WM_LBUTTONUP || message == WM_MBUTTONUP) {
      const int button = message == WM_RBUTTONUP ? RightMouse : message == WM_LBUTTONUP ? LeftMouse : MiddleMouse;
      const int dpi = ScreenDpi();
      self->list_.UserMouseUp(button, ShiftState(), ::MulDiv(static_cast<short>(LOWORD(lParam)), 1440, dpi),
                              ::MulDiv(static_cast<short>(HIWORD(lParam)), 1440, dpi));
    }
    return result;
  }

  ListBox& list_;
  std::vector<std::string> shown_;
};

}  // namespace

std::unique_ptr<ChildView> MakeView(ListBox& model, HWND parent, UINT_PTR id) {
  return std::make_unique<ListBoxView>(model, parent, id);
}

}  // namespace ui::win32
