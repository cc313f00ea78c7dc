#include "ui/win32/ControlViews.h"

#include <commctrl.h>

#include "ui/win32/ViewSupport.h"

namespace ui::win32 {

ChildView::~ChildView() {
  model_.AttachView(nullptr);
  if (window_ == nullptr) return;
  ::RemoveWindowSubclass(window_, PointerProc, 0);
  UnnameWindow(window_);
  ::DestroyWindow(window_);
}

HWND ChildView::CreateChild(HWND parent, const wchar_t* windowClass, DWORD style, DWORD extendedStyle) {
  if (!model_.TabStop) style &= ~static_cast<DWORD>(WS_TABSTOP);
  window_ = CreateAt(parent, windowClass, style, extendedStyle, PlaceOnForm(model_), id_);
  if (window_ == nullptr) return nullptr;
  NameWindow(window_, ControlName(model_.Name, model_.Index));
  if (!model_.ToolTipText.empty()) AddToolTip(parent, window_, model_.ToolTipText);
  ::SetWindowSubclass(window_, PointerProc, 0, reinterpret_cast<DWORD_PTR>(&model_));
  return window_;
}

void ChildView::TakeFocus() {
  if (window_ != nullptr) ::SetFocus(window_);
}

void ChildView::RefreshCommon() {
  if ((::IsWindowEnabled(window_) != FALSE) != model_.Enabled()) ::EnableWindow(window_, model_.Enabled());
  ShowIf(window_, model_.Visible());
}

std::unique_ptr<ChildView> CreateView(Control& control, HWND parent, UINT_PTR id) {
  std::unique_ptr<ChildView> view;
  if (auto* button = dynamic_cast<CommandButton*>(&control)) view = MakeView(*button, parent, id);
  if (auto* list = dynamic_cast<ListBox*>(&control)) view = MakeView(*list, parent, id);
  if (auto* label = dynamic_cast<Label*>(&control)) view = MakeView(*label, parent, id);
  if (auto* timer = dynamic_cast<ui::Timer*>(&control)) view = MakeView(*timer, parent, id);
  if (auto* text = dynamic_cast<TextBox*>(&control)) view = MakeView(*text, parent, id);
  if (auto* check = dynamic_cast<CheckBox*>(&control)) view = MakeView(*check, parent, id);
  if (auto* group = dynamic_cast<OptionGroup*>(&control)) view = MakeView(*group, parent, id);
  if (auto* bar = dynamic_cast<HScrollBar*>(&control)) view = MakeView(*bar, parent, id);
  if (auto* image = dynamic_cast<Image*>(&control)) view = MakeView(*image, parent, id);
  // A frame without a border, like a picture box, only groups: no window.
  if (auto* frame = dynamic_cast<Frame*>(&control); frame != nullptr && frame->Border) {
    view = MakeView(*frame, parent, id);
  }
  if (view != nullptr) {
    control.AttachView(view.get());
    view->Refresh();
  }
  return view;
}

}  // namespace ui::win32
