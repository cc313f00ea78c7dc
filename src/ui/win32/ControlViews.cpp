// Win32 views: what they share, one class per kind of control, and the maker
// that picks it.
#include "ui/win32/ControlViews.h"

#include <commctrl.h>

#include <map>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Parts.h"
#include "ui/win32/PreciseTimer.h"

using platform::win32::Narrow;
using platform::win32::Widen;

namespace ui::win32 {

int ScreenDpi() {
  static const int dpi = platform::win32::DisplayDpi(LOGPIXELSX);
  return dpi;
}

int ToPixels(std::int32_t twips, int dpi) { return ::MulDiv(twips, dpi, 1440); }

namespace {

// The system's message font, which carries the Chinese glyphs on every locale,
// at `dpi`; one font per DPI, kept for the program's life.
HFONT MessageFont(int dpi) {
  static std::map<int, HFONT> fonts;
  HFONT& font = fonts[dpi];
  if (font == nullptr) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight = ::MulDiv(metrics.lfMessageFont.lfHeight, dpi, ScreenDpi());
    font = ::CreateFontIndirectW(&metrics.lfMessageFont);
  }
  return font;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetTextIfDifferent(HWND window, const std::wstring& wanted) {
  if (WindowText(window) != wanted) ::SetWindowTextW(window, wanted.c_str());
}

// The model's place in pixels on the form: its Left and Top count from its
// container, which may sit in another.
RECT PlaceOnForm(const Control& control, int dpi, std::int32_t topOffset = 0) {
  std::int32_t left = control.Left, top = control.Top + topOffset;
  for (const Control* container = control.Container; container != nullptr; container = container->Container) {
    left += container->Left;
    top += container->Top;
  }
  return {ToPixels(left, dpi), ToPixels(top, dpi), ToPixels(left + control.Width, dpi),
          ToPixels(top + control.Height, dpi)};
}

// Without painting: the form is drawn again once everything is in place.
void PlaceWindow(HWND window, const RECT& place, int dpi) {
  ::MoveWindow(window, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
  ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont(dpi)), FALSE);
}

// Placed and given its font by Place, at the form's DPI.
HWND CreateAt(HWND parent, const wchar_t* windowClass, DWORD style, DWORD extendedStyle, UINT_PTR id) {
  return ::CreateWindowExW(extendedStyle, windowClass, L"", WS_CHILD | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(id), ::GetModuleHandleW(nullptr), nullptr);
}

// The model's enabled and visible states on `window`. Visibility is read from
// the window's own style: before its form is shown, every window reads as
// invisible to IsWindowVisible.
void ShowState(HWND window, const Control& model) {
  if ((::IsWindowEnabled(window) != FALSE) != model.Enabled()) ::EnableWindow(window, model.Enabled());
  const bool shown = (::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != model.Visible()) ::ShowWindow(window, model.Visible() ? SW_SHOWNA : SW_HIDE);
}

// One tooltip window per form, made with the first control that has a tip. It
// is owned by the form and ends with it.
constexpr wchar_t kToolTipProperty[] = L"TillervaneToolTip";

void AddToolTip(HWND parent, HWND control, const std::string& text) {
  auto toolTip = static_cast<HWND>(::GetPropW(parent, kToolTipProperty));
  if (toolTip == nullptr) {
    toolTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
    if (toolTip == nullptr) return;
    ::SetPropW(parent, kToolTipProperty, toolTip);
    // Long Chinese tips wrap instead of running off the screen.
    ::SendMessageW(toolTip, TTM_SETMAXTIPWIDTH, 0, ToPixels(4800, ScreenDpi()));
    ::SendMessageW(toolTip, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont(ScreenDpi())), FALSE);
  }
  std::wstring tip = Widen(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = parent;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = tip.data();
  ::SendMessageW(toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// Shows the model's pointer over its window: read at each WM_SETCURSOR, since
// a form sets its pointers when it loads, after the windows exist.
LRESULT CALLBACK PointerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
    const int resource = reinterpret_cast<const Control*>(data)->MouseIcon;
    if (resource != 0) {
      if (HCURSOR pointer = ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource))) {
        ::SetCursor(pointer);
        return TRUE;
      }
    }
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

int ShiftState() {
  return ((::GetKeyState(VK_SHIFT) < 0) ? 1 : 0) | ((::GetKeyState(VK_CONTROL) < 0) ? 2 : 0) |
         ((::GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

std::wstring Literal(const std::string& caption) {
  std::wstring literal;
  for (const wchar_t c : Widen(caption)) {
    if (c == L'&') literal += L'&';
    literal += c;
  }
  return literal;
}


ChildView::~ChildView() {
  model_.AttachView(nullptr);
  if (window_ == nullptr) return;
  ::RemoveWindowSubclass(window_, PointerProc, 0);
  ::DestroyWindow(window_);
}

HWND ChildView::CreateChild(HWND parent, const wchar_t* windowClass, DWORD style, DWORD extendedStyle) {
  if (!model_.TabStop) style &= ~static_cast<DWORD>(WS_TABSTOP);
  window_ = CreateAt(parent, windowClass, style, extendedStyle, id_);
  if (window_ == nullptr) return nullptr;
  if (!model_.ToolTipText.empty()) AddToolTip(parent, window_, model_.ToolTipText);
  ::SetWindowSubclass(window_, PointerProc, 0, reinterpret_cast<DWORD_PTR>(&model_));
  return window_;
}

void ChildView::Refresh() {
  SetTextIfDifferent(window_, Literal(model_.Caption()));
  RefreshCommon();
}

void ChildView::Place(int dpi) {
  if (window_ != nullptr) PlaceWindow(window_, PlaceOnForm(model_, dpi), dpi);
}

void ChildView::TakeFocus() {
  if (window_ != nullptr) ::SetFocus(window_);
}

void ChildView::RefreshCommon() { ShowState(window_, model_); }

namespace {

void SetCheck(HWND button, bool checked) {
  const WPARAM state = checked ? BST_CHECKED : BST_UNCHECKED;
  if (static_cast<WPARAM>(::SendMessageW(button, BM_GETCHECK, 0, 0)) != state) {
    ::SendMessageW(button, BM_SETCHECK, state, 0);
  }
}

class ButtonView final : public ChildView {
 public:
  ButtonView(CommandButton& model, HWND parent, UINT_PTR id) : ChildView(model, id), button_(model) {
    CreateChild(parent, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP);
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
    SetCheck(window_, check_.Value() != 0);
    ChildView::Refresh();
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
      HWND option = CreateAt(parent, L"BUTTON", BS_RADIOBUTTON | (i == 0 ? WS_GROUP : 0), 0, id);
      ::SetWindowTextW(option, Literal(options[i]).c_str());
      if (!group_.ToolTipText.empty()) AddToolTip(parent, option, group_.ToolTipText);
      ::SetWindowSubclass(option, &OptionGroupView::OptionProc, 0, reinterpret_cast<DWORD_PTR>(this));
      options_.push_back(option);
    }
    window_ = options_.empty() ? nullptr : options_.front();
  }
  ~OptionGroupView() override {
    for (HWND option : options_) {
      ::RemoveWindowSubclass(option, &OptionGroupView::OptionProc, 0);
      if (option != window_) ::DestroyWindow(option);
    }
  }
  // A row each, from the group's top.
  void Place(int dpi) override {
    for (std::size_t i = 0; i < options_.size(); ++i) {
      RECT place = PlaceOnForm(group_, dpi, static_cast<std::int32_t>(i) * group_.RowHeight);
      place.bottom = place.top + ToPixels(group_.RowHeight, dpi);
      PlaceWindow(options_[i], place, dpi);
    }
  }
  void Refresh() override {
    // The checked option, or the first while none is checked.
    const int tabStop = group_.Selected() >= 0 ? group_.Selected() : 0;
    for (std::size_t i = 0; i < options_.size(); ++i) {
      HWND option = options_[i];
      SetCheck(option, group_.Selected() == static_cast<int>(i));
      const LONG_PTR style = ::GetWindowLongPtrW(option, GWL_STYLE);
      const LONG_PTR wanted = static_cast<int>(i) == tabStop ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP};
      if (wanted != style) ::SetWindowLongPtrW(option, GWL_STYLE, wanted);
      ShowState(option, group_);
    }
  }
  void OnCommand(WORD notification, HWND from) override {
    if (notification != BN_CLICKED || gettingFocus_) return;
    for (std::size_t i = 0; i < options_.size(); ++i)
      if (options_[i] == from) group_.UserSelect(static_cast<int>(i));
  }

 private:
  void Step(int step) {
    group_.UserStep(step);
    if (group_.Selected() >= 0) ::SetFocus(options_[static_cast<std::size_t>(group_.Selected())]);
  }

  static LRESULT CALLBACK OptionProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) {
    auto* view = reinterpret_cast<OptionGroupView*>(data);
    // The arrow keys come here instead of moving the focus.
    if (message == WM_GETDLGCODE) return ::DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTARROWS;
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_LEFT)) return view->Step(-1), 0;
    if (message == WM_KEYDOWN && (wParam == VK_DOWN || wParam == VK_RIGHT)) return view->Step(1), 0;
    if (message != WM_SETFOCUS) return ::DefSubclassProc(window, message, wParam, lParam);
    view->gettingFocus_ = true;
    const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    view->gettingFocus_ = false;
    return result;
  }

  OptionGroup& group_;
  std::vector<HWND> options_;
  bool gettingFocus_ = false;  // a click reported now comes from the focus alone
};

// A group box, kept below every other control of the form and clipped by
// them, so that it never paints over what it surrounds. The form clips its
// children out of its own painting, so the box fills its inside itself.
class FrameView final : public ChildView {
 public:
  FrameView(Frame& model, HWND parent, UINT_PTR id) : ChildView(model, id) {
    CreateChild(parent, L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS);
    ::SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowSubclass(window_, &FrameView::EraseProc, 0, 0);
  }
  ~FrameView() override { ::RemoveWindowSubclass(window_, &FrameView::EraseProc, 0); }

 private:
  static LRESULT CALLBACK EraseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message != WM_ERASEBKGND) return ::DefSubclassProc(window, message, wParam, lParam);
    RECT inside{};
    ::GetClientRect(window, &inside);
    ::FillRect(reinterpret_cast<HDC>(wParam), &inside, ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
  }
};

// The bitmap outlives the window that shows it: this base goes after the view.
struct ShownBitmap {
  platform::win32::BitmapHandle bitmap;
};

// The picture, drawn once at the control's size with the system's smoothing.
class ImageView final : private ShownBitmap, public ChildView {
 public:
  ImageView(Image& model, HWND parent, UINT_PTR id) : ChildView(model, id), image_(model) {
    CreateChild(parent, L"STATIC", SS_BITMAP | SS_CENTERIMAGE);
  }
  // The picture is drawn again at the new size.
  void Place(int dpi) override {
    ChildView::Place(dpi);
    platform::win32::BitmapHandle scaled(Scaled(dpi));
    ::SendMessageW(window_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaled.get()));
    bitmap = std::move(scaled);
  }

 private:
  HBITMAP Scaled(int dpi) const {
    if (image_.Picture == 0) return nullptr;
    auto original = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(image_.Picture),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (original == nullptr || !image_.Stretch) return original;
    BITMAP size{};
    ::GetObjectW(original, sizeof size, &size);
    const int width = ToPixels(image_.Width, dpi), height = ToPixels(image_.Height, dpi);
    HDC screen = ::GetDC(nullptr);
    HDC from = ::CreateCompatibleDC(screen), to = ::CreateCompatibleDC(screen);
    HBITMAP scaled = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldFrom = ::SelectObject(from, original), oldTo = ::SelectObject(to, scaled);
    ::SetStretchBltMode(to, HALFTONE);
    ::SetBrushOrgEx(to, 0, 0, nullptr);
    ::StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    ::SelectObject(from, oldFrom);
    ::SelectObject(to, oldTo);
    ::DeleteDC(from);
    ::DeleteDC(to);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(original);
    return scaled;
  }

  Image& image_;
};

class LabelView final : public ChildView {
 public:
  LabelView(Label& model, HWND parent, UINT_PTR id) : ChildView(model, id) {
    CreateChild(parent, L"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX);
  }
  void Refresh() override {
    SetTextIfDifferent(window_, Widen(model_.Caption()));
    RefreshCommon();
  }
};

class TextBoxView final : public ChildView {
 public:
  TextBoxView(TextBox& model, HWND parent, UINT_PTR id) : ChildView(model, id), text_(model) {
    CreateChild(parent, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
    // The limit holds for what the user types; 0 lifts the control's own.
    ::SendMessageW(window_, EM_SETLIMITTEXT, static_cast<WPARAM>(text_.MaxLength > 0 ? text_.MaxLength : 0), 0);
  }
  void Refresh() override {
    SetTextIfDifferent(window_, Widen(text_.Text()));
    RefreshCommon();
  }
  void OnCommand(WORD notification, HWND) override {
    if (notification == EN_CHANGE) text_.UserEdit(Narrow(WindowText(window_)));
  }

 private:
  TextBox& text_;
};

class ListBoxView final : public ChildView {
 public:
  ListBoxView(ListBox& model, HWND parent, UINT_PTR id) : ChildView(model, id), list_(model) {
    CreateChild(parent, L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP);
    ::SetWindowSubclass(window_, &ListBoxView::ListProc, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  ~ListBoxView() override { ::RemoveWindowSubclass(window_, &ListBoxView::ListProc, 0); }
  void Place(int dpi) override {
    ChildView::Place(dpi);
    dpi_ = dpi;
  }

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
    const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_RBUTTONUP || message == WM_LBUTTONUP || message == WM_MBUTTONUP) {
      auto* self = reinterpret_cast<ListBoxView*>(data);
      const int button = message == WM_RBUTTONUP ? RightMouse : message == WM_LBUTTONUP ? LeftMouse : MiddleMouse;
      // The pointer in twips of the list, at the DPI the list is laid out for.
      self->list_.UserMouseUp(button, ShiftState(), ::MulDiv(static_cast<short>(LOWORD(lParam)), 1440, self->dpi_),
                              ::MulDiv(static_cast<short>(HIWORD(lParam)), 1440, self->dpi_));
    }
    return result;
  }

  ListBox& list_;
  int dpi_ = ScreenDpi();
  std::vector<std::string> shown_;
};

// A horizontal scroll bar control: arrows and trough step the value, a drag
// scrolls it, and letting go of the thumb ends the drag.
class ScrollBarView final : public ChildView {
 public:
  ScrollBarView(HScrollBar& model, HWND parent, UINT_PTR id) : ChildView(model, id), bar_(model) {
    CreateChild(parent, L"SCROLLBAR", SBS_HORZ | WS_TABSTOP);
  }
  void Refresh() override {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = bar_.Min;
    info.nMax = bar_.Max;
    info.nPos = bar_.Value();
    ::SetScrollInfo(window_, SB_CTL, &info, TRUE);
    RefreshCommon();
  }
  void OnScroll(WORD request) override {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    ::GetScrollInfo(window_, SB_CTL, &info);
    const int value = bar_.Value();
    switch (request) {
      case SB_LINELEFT: bar_.UserChange(value - bar_.SmallChange); break;
      case SB_LINERIGHT: bar_.UserChange(value + bar_.SmallChange); break;
      case SB_PAGELEFT: bar_.UserChange(value - bar_.LargeChange); break;
      case SB_PAGERIGHT: bar_.UserChange(value + bar_.LargeChange); break;
      case SB_LEFT: bar_.UserChange(bar_.Min); break;
      case SB_RIGHT: bar_.UserChange(bar_.Max); break;
      case SB_THUMBTRACK: bar_.UserScroll(info.nTrackPos); break;
      case SB_THUMBPOSITION: bar_.UserChange(info.nTrackPos); break;
      default: return;
    }
    // The value may be the old one (a step past an end, a drag back home).
    Refresh();
  }

 private:
  HScrollBar& bar_;
};

// Timers of 10 ms and more are window timers, which also tick inside the
// system's own modal loops (message boxes). Finer ones tick from the program's
// message loop through a precise timer; while a system modal loop runs, a
// 10 ms window timer looks for their due ticks instead.
class TimerView final : public ChildView {
 public:
  TimerView(ui::Timer& model, HWND parent, UINT_PTR id)
      : ChildView(model, id), timer_(model), owner_(parent), precise_([this] { timer_.Tick(); }) {}
  ~TimerView() override { ::KillTimer(owner_, id_); }
  void Refresh() override {
    const int interval = timer_.Enabled() ? timer_.Interval() : 0;
    const bool precise = interval > 0 && interval < USER_TIMER_MINIMUM && precise_.Start(interval);
    if (!precise) precise_.Stop();
    if (interval <= 0) {
      ::KillTimer(owner_, id_);
    } else {
      ::SetTimer(owner_, id_, precise ? USER_TIMER_MINIMUM : static_cast<UINT>(interval), nullptr);
    }
  }
  void OnTimer() override {
    if (precise_.Running()) {
      precise_.TickIfDue();
      return;
    }
    timer_.Tick();
  }

 private:
  ui::Timer& timer_;
  HWND owner_;
  PreciseTimer precise_;
};

// The view of `control` when it is a `Model`.
template <class View, class Model>
std::unique_ptr<ChildView> ViewIf(Control& control, HWND parent, UINT_PTR id) {
  auto* model = dynamic_cast<Model*>(&control);
  return model != nullptr ? std::make_unique<View>(*model, parent, id) : nullptr;
}

}  // namespace

std::unique_ptr<ChildView> CreateView(Control& control, HWND parent, UINT_PTR id) {
  std::unique_ptr<ChildView> view;
  for (auto make : {&ViewIf<ButtonView, CommandButton>, &ViewIf<ListBoxView, ListBox>, &ViewIf<LabelView, Label>,
                    &ViewIf<TimerView, ui::Timer>, &ViewIf<TextBoxView, TextBox>, &ViewIf<CheckBoxView, CheckBox>,
                    &ViewIf<OptionGroupView, OptionGroup>, &ViewIf<ScrollBarView, HScrollBar>,
                    &ViewIf<ImageView, Image>}) {
    if (!view) view = make(control, parent, id);
  }
  // A frame without a border, like a picture box, only groups: no window.
  if (auto* frame = dynamic_cast<Frame*>(&control); frame != nullptr && frame->Border) {
    view = std::make_unique<FrameView>(*frame, parent, id);
  }
  if (view != nullptr) {
    control.AttachView(view.get());
    view->Refresh();
  }
  return view;
}

}  // namespace ui::win32
