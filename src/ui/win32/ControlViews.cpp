#include "ui/win32/ControlViews.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/Win32Parts.h"

using platform::win32::Narrow;
using platform::win32::Widen;

namespace ui::win32 {

namespace {

int ScreenDpi() {
  static const int dpi = [] {
    HDC screen = ::GetDC(nullptr);
    const int value = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen != nullptr) ::ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return dpi;
}

// The system's message font, which carries the Chinese glyphs on every locale.
HFONT MessageFont() {
  static HFONT font = [] {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return ::CreateFontIndirectW(&metrics.lfMessageFont);
  }();
  return font;
}

int ShiftState() {
  return ((::GetKeyState(VK_SHIFT) < 0) ? 1 : 0) | ((::GetKeyState(VK_CONTROL) < 0) ? 2 : 0) |
         ((::GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

void SetTextIfDifferent(HWND window, const std::string& text) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring current(static_cast<std::size_t>(length) + 1, L'\0');
  ::GetWindowTextW(window, current.data(), length + 1);
  current.resize(static_cast<std::size_t>(length));
  const std::wstring wanted = Widen(text);
  if (current != wanted) ::SetWindowTextW(window, wanted.c_str());
}

class ButtonView final : public ChildView {
 public:
  ButtonView(CommandButton& model, HWND parent, UINT_PTR id) : ChildView(model, id), button_(model) {
    CreateChild(parent, L"BUTTON", BS_PUSHBUTTON);
  }
  void Refresh() override {
    SetTextIfDifferent(window_, button_.Caption());
    RefreshCommon();
  }
  void OnCommand(WORD notification) override {
    if (notification == BN_CLICKED) button_.UserClick();
  }

 private:
  CommandButton& button_;
};

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
  void OnCommand(WORD notification) override {
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

class LabelView final : public ChildView {
 public:
  LabelView(Label& model, HWND parent, UINT_PTR id) : ChildView(model, id), label_(model) {
    CreateChild(parent, L"STATIC", SS_LEFT | SS_NOTIFY);
  }
  void Refresh() override {
    SetTextIfDifferent(window_, label_.Caption());
    RefreshCommon();
  }

 private:
  Label& label_;
};

// Timers of 10 ms and more are window timers, which also tick inside the
// system's own modal loops (message boxes). Finer ones tick from the program's
// message loop through a precise timer, with a 10 ms window timer standing in
// while a system modal loop runs.
class TimerView final : public ChildView {
 public:
  TimerView(ui::Timer& model, HWND parent, UINT_PTR id)
      : ChildView(model, id), timer_(model), owner_(parent), precise_([this] { PreciseTick(); }) {}
  ~TimerView() override {
    ::KillTimer(owner_, id_);
    precise_.Stop();
  }
  void Refresh() override {
    const int interval = timer_.Interval();
    if (!timer_.Enabled() || interval <= 0) {
      ::KillTimer(owner_, id_);
      precise_.Stop();
      return;
    }
    if (interval < USER_TIMER_MINIMUM && precise_.Start(interval)) {
      ::QueryPerformanceCounter(&lastTick_);
      ::SetTimer(owner_, id_, USER_TIMER_MINIMUM, nullptr);
      return;
    }
    precise_.Stop();
    ::SetTimer(owner_, id_, static_cast<UINT>(interval), nullptr);
  }
  void OnTimer() override {
    if (precise_.Running() && !Overdue()) return;
    timer_.Tick();
  }

 private:
  void PreciseTick() {
    ::QueryPerformanceCounter(&lastTick_);
    timer_.Tick();
  }
  bool Overdue() const {
    LARGE_INTEGER now{}, frequency{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return (now.QuadPart - lastTick_.QuadPart) * 1000 >= frequency.QuadPart * timer_.Interval();
  }

  ui::Timer& timer_;
  HWND owner_;
  PreciseTimer precise_;
  LARGE_INTEGER lastTick_{};
};

}  // namespace

int ToPixels(std::int32_t twips) { return ::MulDiv(twips, ScreenDpi(), 1440); }

ChildView::~ChildView() {
  model_.AttachView(nullptr);
  if (window_ != nullptr) ::DestroyWindow(window_);
}

HWND ChildView::CreateChild(HWND parent, const wchar_t* windowClass, DWORD style) {
  window_ = ::CreateWindowExW(0, windowClass, L"", WS_CHILD | style, ToPixels(model_.Left), ToPixels(model_.Top),
                              ToPixels(model_.Width), ToPixels(model_.Height), parent,
                              reinterpret_cast<HMENU>(id_), ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
  return window_;
}

void ChildView::RefreshCommon() {
  if ((::IsWindowEnabled(window_) != FALSE) != model_.Enabled()) ::EnableWindow(window_, model_.Enabled());
  if ((::IsWindowVisible(window_) != FALSE) != model_.Visible()) {
    ::ShowWindow(window_, model_.Visible() ? SW_SHOWNA : SW_HIDE);
  }
}

std::unique_ptr<ChildView> CreateView(Control& control, HWND parent, UINT_PTR id) {
  std::unique_ptr<ChildView> view;
  if (auto* button = dynamic_cast<CommandButton*>(&control)) view = std::make_unique<ButtonView>(*button, parent, id);
  if (auto* list = dynamic_cast<ListBox*>(&control)) view = std::make_unique<ListBoxView>(*list, parent, id);
  if (auto* label = dynamic_cast<Label*>(&control)) view = std::make_unique<LabelView>(*label, parent, id);
  if (auto* timer = dynamic_cast<ui::Timer*>(&control)) view = std::make_unique<TimerView>(*timer, parent, id);
  if (view != nullptr) {
    control.AttachView(view.get());
    view->Refresh();
  }
  return view;
}

}  // namespace ui::win32
