#pragma once
// Real controls for the model's controls. A view creates its window, pushes the
// model's state to it on every change, and turns the user's actions into the
// model's User... calls; what it pushes raises no notification back, so nothing
// echoes.

#include <windows.h>

#include <memory>
#include <string>

#include "ui/Controls.h"

namespace ui::win32 {

// The primary display's DPI, at which forms are first laid out.
int ScreenDpi();
// Twips to pixels at `dpi`.
int ToPixels(std::int32_t twips, int dpi);
// The Shift (1), Ctrl (2) and Alt (4) keys held now, as mouse and key events report them.
int ShiftState();
// The caption shown as it is written: a button or menu would take "&" for the
// mark of an access key, while the program's captions (a game's name, a key
// name) mean the character itself.
std::wstring Literal(const std::string& caption);

class ChildView : public ControlView {
 public:
  ~ChildView() override;
  // The caption, as Literal shows it, and the common state.
  void Refresh() override;
  // The owner's WM_COMMAND, WM_HSCROLL or WM_TIMER for this view; `from` is the
  // window that sent the command.
  virtual void OnCommand(WORD /*notification*/, HWND /*from*/) {}
  virtual void OnScroll(WORD /*request*/) {}
  virtual void OnTimer() {}
  void TakeFocus() override;
  // The window at the model's place, with the font, both at `dpi`.
  virtual void Place(int dpi);

 protected:
  ChildView(Control& model, UINT_PTR id) : model_(model), id_(id) {}
  // The control's window, with its tooltip and pointer; Place puts it in its place.
  HWND CreateChild(HWND parent, const wchar_t* windowClass, DWORD style, DWORD extendedStyle = 0);
  void RefreshCommon();

  Control& model_;
  UINT_PTR id_;
  HWND window_ = nullptr;
};

// The view for one control on `parent`, or nullptr for a kind not shown on
// this system. `id` is its command or timer id.
std::unique_ptr<ChildView> CreateView(Control& control, HWND parent, UINT_PTR id);

}  // namespace ui::win32
