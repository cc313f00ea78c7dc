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
    SetTextIfDifferent(window_, button_.Caption());
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
    SetTextIfDifferent(window_, check_.Caption());
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
class OptionGroupView final : public ChildView {
 public:
  OptionGroupView(OptionGroup& model, HWND parent, UINT_PTR id) : ChildView(model, id), group_(model) {
    const auto& options = group_.Options();
    for (std::size_t i = 0; i < options.size(); ++i) {
      const auto offset = static_cast<std::int32_t>(i) * group_.RowHeight;
      RECT place = PlaceOnForm(group_, offset);
      place.bottom = place.top + ToPixels(group_.RowHeight);
      HWND option = CreateAt(parent, L"BUTTON", BS_RADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0), 0, place, id);
      ::SetWindowTextW(option, Widen(options[i].caption).c_str());
      NameWindow(option, ControlName(group_.Name, static_cast<int>(i)));
      if (!group_.ToolTipText.empty()) AddToolTip(parent, option, group_.ToolTipText);
      options_.push_back(option);
    }
    window_ = options_.empty() ? nullptr : options_.front();
  }
  ~OptionGroupView() override {
    for (HWND option : options_) {
      UnnameWindow(option);
      if (option != window_) ::DestroyWindow(option);
    }
  }
  void Refresh() override {
    const auto& options = group_.Options();
    for (std::size_t i = 0; i < options_.size() && i < options.size(); ++i) {
      HWND option = options_[i];
      const WPARAM state = group_.Selected() == static_cast<int>(i) ? BST_CHECKED : BST_UNCHECKED;
      if (static_cast<WPARAM>(::SendMessageW(option, BM_GETCHECK, 0, 0)) != state) {
        ::SendMessageW(option, BM_SETCHECK, state, 0);
      }
      ShowIf(option, group_.Visible() && options[i].visible);
      if ((::IsWindowEnabled(option) != FALSE) != group_.Enabled()) ::EnableWindow(option, group_.Enabled());
    }
  }
  void OnCommand(WORD notification, HWND from) override {
    if (notification != BN_CLICKED) return;
    for (std::size_t i = 0; i < options_.size(); ++i)
      if (options_[i] == from) group_.UserSelect(static_cast<int>(i));
  }

 private:
  OptionGroup& group_;
  std::vector<HWND> options_;
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
