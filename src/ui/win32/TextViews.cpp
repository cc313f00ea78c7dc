// Win32 views: labels and text boxes.
#include "ui/win32/ViewSupport.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/Win32Parts.h"

using platform::win32::Narrow;

namespace ui::win32 {

namespace {

class LabelView final : public ChildView {
 public:
  LabelView(Label& model, HWND parent, UINT_PTR id) : ChildView(model, id), label_(model) {
    CreateChild(parent, L"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX);
  }
  void Refresh() override {
    SetTextIfDifferent(window_, platform::win32::Widen(label_.Caption()));
    RefreshCommon();
  }

 private:
  Label& label_;
};

class TextBoxView final : public ChildView {
 public:
  TextBoxView(TextBox& model, HWND parent, UINT_PTR id) : ChildView(model, id), text_(model) {
    CreateChild(parent, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
    // The limit holds for what the user types; 0 lifts the control's own.
    ::SendMessageW(window_, EM_SETLIMITTEXT, static_cast<WPARAM>(text_.MaxLength > 0 ? text_.MaxLength : 0), 0);
  }
  void Refresh() override {
    SetTextIfDifferent(window_, platform::win32::Widen(text_.Text()));
    RefreshCommon();
  }
  void OnCommand(WORD notification, HWND) override {
    if (notification != EN_CHANGE) return;
    const int length = ::GetWindowTextLengthW(window_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window_, text.data(), length + 1)));
    text_.UserEdit(Narrow(text));
  }

 private:
  TextBox& text_;
};

}  // namespace

std::unique_ptr<ChildView> MakeView(Label& model, HWND parent, UINT_PTR id) {
  return std::make_unique<LabelView>(model, parent, id);
}

std::unique_ptr<ChildView> MakeView(TextBox& model, HWND parent, UINT_PTR id) {
  return std::make_unique<TextBoxView>(model, parent, id);
}

}  // namespace ui::win32
