// Win32 views: push buttons, check boxes and option buttons.
#include "ui/win32/ViewSupport.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/Win32Parts.h"

using platform::win32::Widen;

namespace ui::win32 {

namespace {

class ButtonView final : public ChildView {
 public:
  ButtonView(CommandButton& model, HWND parent, UINT_PTR id) : ChildView(model, id), button_(model) {
    CreateChild(parent, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP);
  }
  void Refresh() override {
    SetTextIfDifferent(window_, Literal(button_.Caption()));
    RefreshCommon();
  }
  void OnCommand(WORD notification, HWND) override {
    if (notification == BN_CLICKED) button_.UserClick();
  }

 private:
  CommandButton& button_;
};

class CheckBoxView final : public ChildView {
 public:
  CheckBoxView(CheckBox& model, HWND parent, UINT_PTR id) : ChildView(model, id), check_(model) {
    CreateChild(parent, L"BUTTON", BS_CHECKBOX | WS_TABSTOP);
  }
  void Refresh() override {
    SetTextIfDifferent(window_, Literal(check_.Caption()));
    const WPARAM state = check_.Value() != 0 ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(::SendMessageW(window_, BM_GETCHECK, 0, 0)) != state) {
      ::SendMessageW(window_, BM_SETCHECK, state, 0);
    }
    RefreshCommon();
  }
  void OnCommand(WORD notification, HWND) override {
    if (notification == BN_CLICKED) check_.UserToggle();
  }

 private:
  CheckBox& check_;
};

// One radio button per option, all with the group's id; a click is told apart
// by the window that sent it. The model alone decides which one is checked.
// Only the checked option is a tab stop, so Tab lands on it; the arrow keys
// select within the group; and the focus arriving by itself never selects,
// though a radio button reports a click when it gets the focus.
class OptionGroupView final : public ChildView {
 public:
  OptionGroupView(OptionGroup& model, HWND parent, UINT_PTR id) : ChildView(model, id), group_(model) {
    const auto& options = group_.Options();
    for (std::size_t i = 0; i < options.size(); ++i) {
      const auto offset = static_cast<std::int32_t>(i) * group_.RowHeight;
      RECT place = PlaceOnForm(group_, offset);
      place.bottom = place.top + ToPixels(group_.RowHeight);
      HWND option = CreateAt(parent, L"BUTTON", BS_RADIOBUTTON | (i == 0 ? WS_GROUP : 0), 0, place, id);
      ::SetWindowTextW(option, Literal(options[i].caption).c_str());
      NameWindow(option, ControlName(group_.Name, static_cast<int>(i)));
      if (!group_.ToolTipText.empty()) AddToolTip(parent, option, group_.ToolTipText);
      ::SetWindowSubclass(option, &OptionGroupView::OptionProc, 0, reinterpret_cast<DWORD_PTR>(this));
      options_.push_back(option);
    }
    window_ = options_.empty() ? nullptr : options_.front();
  }
  ~OptionGroupView() override {
    for (HWND option : options_) {
      ::RemoveWindowSubclass(option, &OptionGroupView::OptionProc, 0);
      UnnameWindow(option);
      if (option != window_) ::DestroyWindow(option);
    }
  }
  void Refresh() override {
    const auto& options = group_.Options();
    const int tabStop = TabStopOption();
    for (std::size_t i = 0; i < options_.size() && i < options.size(); ++i) {
      HWND option = options_[i];
      const WPARAM state = group_.Selected() == static_cast<int>(i) ? BST_CHECKED : BST_UNCHECKED;
      if (static_cast<WPARAM>(::SendMessageW(option, BM_GETCHECK, 0, 0)) != state) {
        ::SendMessageW(option, BM_SETCHECK, state, 0);
      }
      const LONG_PTR style = ::GetWindowLongPtrW(option, GWL_STYLE);
      const LONG_PTR wanted = static_cast<int>(i) == tabStop ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP};
      if (wanted != style) ::SetWindowLongPtrW(option, GWL_STYLE, wanted);
      ShowIf(option, group_.Visible() && options[i].visible);
      if ((::IsWindowEnabled(option) != FALSE) != group_.Enabled()) ::EnableWindow(option, group_.Enabled());
    }
  }
  void OnCommand(WORD notification, HWND from) override {
    if (notification != BN_CLICKED || gettingFocus_) return;
    for (std::size_t i = 0; i < options_.size(); ++i)
      if (options_[i] == from) group_.UserSelect(static_cast<int>(i));
  }

 private:
  // The checked option, or the first visible one while none is checked.
  int TabStopOption() const {
    const auto& options = group_.Options();
    const int selected = group_.Selected();
    if (selected >= 0 && options[static_cast<std::size_t>(selected)].visible) return selected;
    for (std::size_t i = 0; i < options.size(); ++i)
      if (options[i].visible) return static_cast<int>(i);
    return -1;
  }

  void Step(int step) {
    group_.UserStep(step);
    if (group_.Selected() >= 0) ::SetFocus(options_[static_cast<std::size_t>(group_.Selected())]);
  }

  static LRESULT CALLBACK OptionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) {
    auto* view = reinterpret_cast<OptionGroupView*>(data);
    switch (message) {
      case WM_GETDLGCODE:  // the arrow keys come here instead of moving the focus
        return ::DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTARROWS;
      case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_LEFT) return view->Step(-1), 0;
        if (wParam == VK_DOWN || wParam == VK_RIGHT) return view->Step(1), 0;
        break;
      case WM_SETFOCUS: {
        view->gettingFocus_ = true;
        const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
        view->gettingFocus_ = false;
        return result;
      }
      default:
        break;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
  }

  OptionGroup& group_;
  std::vector<HWND> options_;
  bool gettingFocus_ = false;  // a click reported now comes from the focus alone
};

}  // namespace

std::unique_ptr<ChildView> MakeView(CommandButton& model, HWND parent, UINT_PTR id) {
  return std::make_unique<ButtonView>(model, parent, id);
}

std::unique_ptr<ChildView> MakeView(CheckBox& model, HWND parent, UINT_PTR id) {
  return std::make_unique<CheckBoxView>(model, parent, id);
}

std::unique_ptr<ChildView> MakeView(OptionGroup& model, HWND parent, UINT_PTR id) {
  return std::make_unique<OptionGroupView>(model, parent, id);
}

}  // namespace ui::win32
