#include "ui/win32/ControlViews.h"

#include <commctrl.h>

#include <string>
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

void SetTextIfDifferent(HWND window, const std::string& text) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring current(static_cast<std::size_t>(length) + 1, L'\0');
  ::GetWindowTextW(window, current.data(), length + 1);
  current.resize(static_cast<std::size_t>(length));
  const std::wstring wanted = Widen(text);
  if (current != wanted) ::SetWindowTextW(window, wanted.c_str());
}

// The model's place in pixels on the form: its Left and Top count from its
// container, which may sit in another.
RECT PlaceOnForm(const Control& control, std::int32_t topOffset = 0) {
  std::int32_t left = control.Left, top = control.Top + topOffset;
  for (const Control* container = control.Container; container != nullptr; container = container->Container) {
    left += container->Left;
    top += container->Top;
  }
  return {ToPixels(left), ToPixels(top), ToPixels(left + control.Width), ToPixels(top + control.Height)};
}

// "SetMove(2)": the name tools that look at the window from outside (tests,
// accessibility tools) know the control by, as a global atom in a property.
constexpr wchar_t kNameProperty[] = L"TillervaneControl";

std::string ControlName(const std::string& name, int index) {
  return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

void NameWindow(HWND window, const std::string& name) {
  if (name.empty()) return;
  const ATOM atom = ::GlobalAddAtomW(Widen(name).c_str());
  if (atom != 0) ::SetPropW(window, kNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

void UnnameWindow(HWND window) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(::RemovePropW(window, kNameProperty)));
  if (atom != 0) ::GlobalDeleteAtom(atom);
}

HWND CreateAt(HWND parent, const wchar_t* windowClass, DWORD style, DWORD extendedStyle, const RECT& place,
              UINT_PTR id) {
  HWND window = ::CreateWindowExW(extendedStyle, windowClass, L"", WS_CHILD | style, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, parent,
                                  reinterpret_cast<HMENU>(id), ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
  return window;
}

// By the window's own style: before its form is shown, every window reads as
// invisible to IsWindowVisible.
void ShowIf(HWND window, bool visible) {
  const bool shown = (::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != visible) ::ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
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
    ::SendMessageW(toolTip, TTM_SETMAXTIPWIDTH, 0, ToPixels(4800));
    ::SendMessageW(toolTip, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
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

class TextBoxView final : public ChildView {
 public:
  TextBoxView(TextBox& model, HWND parent, UINT_PTR id) : ChildView(model, id), text_(model) {
    CreateChild(parent, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
    // The limit holds for what the user types; 0 lifts the control's own.
    ::SendMessageW(window_, EM_SETLIMITTEXT, static_cast<WPARAM>(text_.MaxLength > 0 ? text_.MaxLength : 0), 0);
  }
  void Refresh() override {
    SetTextIfDifferent(window_, text_.Text());
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

// A group box, kept below every other control of the form and clipped by
// them, so that it never paints over what it surrounds. The form clips its
// children out of its own painting, so the box fills its inside itself.
class FrameView final : public ChildView {
 public:
  FrameView(Frame& model, HWND parent, UINT_PTR id) : ChildView(model, id), frame_(model) {
    CreateChild(parent, L"BUTTON", BS_GROUPBOX | WS_CLIPSIBLINGS);
    ::SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowSubclass(window_, &FrameView::EraseProc, 0, 0);
  }
  ~FrameView() override { ::RemoveWindowSubclass(window_, &FrameView::EraseProc, 0); }
  void Refresh() override {
    SetTextIfDifferent(window_, frame_.Caption());
    RefreshCommon();
  }

 private:
  static LRESULT CALLBACK EraseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message != WM_ERASEBKGND) return ::DefSubclassProc(window, message, wParam, lParam);
    RECT inside{};
    ::GetClientRect(window, &inside);
    ::FillRect(reinterpret_cast<HDC>(wParam), &inside, ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
  }

  Frame& frame_;
};

// The picture, drawn once at the control's size with the system's smoothing.
class ImageView final : public ChildView {
 public:
  ImageView(Image& model, HWND parent, UINT_PTR id) : ChildView(model, id), image_(model) {
    CreateChild(parent, L"STATIC", SS_BITMAP | SS_CENTERIMAGE);
    bitmap_ = Scaled();
    if (bitmap_ != nullptr) ::SendMessageW(window_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_));
  }
  // The window goes before the bitmap it shows.
  ~ImageView() override {
    if (window_ != nullptr) {
      ::RemoveWindowSubclass(window_, PointerProc, 0);
      UnnameWindow(window_);
      ::DestroyWindow(window_);
      window_ = nullptr;
    }
    if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
  }
  void Refresh() override { RefreshCommon(); }

 private:
  HBITMAP Scaled() const {
    if (image_.Picture == 0) return nullptr;
    auto original = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(image_.Picture),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (original == nullptr || !image_.Stretch) return original;
    BITMAP size{};
    ::GetObjectW(original, sizeof size, &size);
    const int width = ToPixels(image_.Width), height = ToPixels(image_.Height);
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
  HBITMAP bitmap_ = nullptr;
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

int ShiftState() {
  return ((::GetKeyState(VK_SHIFT) < 0) ? 1 : 0) | ((::GetKeyState(VK_CONTROL) < 0) ? 2 : 0) |
         ((::GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

int ToPixels(std::int32_t twips) { return ::MulDiv(twips, ScreenDpi(), 1440); }

ChildView::~ChildView() {
  model_.AttachView(nullptr);
  if (window_ == nullptr) return;
  ::RemoveWindowSubclass(window_, PointerProc, 0);
  UnnameWindow(window_);
  ::DestroyWindow(window_);
}

HWND ChildView::CreateChild(HWND parent, const wchar_t* windowClass, DWORD style, DWORD extendedStyle) {
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
  if (auto* button = dynamic_cast<CommandButton*>(&control)) view = std::make_unique<ButtonView>(*button, parent, id);
  if (auto* list = dynamic_cast<ListBox*>(&control)) view = std::make_unique<ListBoxView>(*list, parent, id);
  if (auto* label = dynamic_cast<Label*>(&control)) view = std::make_unique<LabelView>(*label, parent, id);
  if (auto* timer = dynamic_cast<ui::Timer*>(&control)) view = std::make_unique<TimerView>(*timer, parent, id);
  if (auto* text = dynamic_cast<TextBox*>(&control)) view = std::make_unique<TextBoxView>(*text, parent, id);
  if (auto* check = dynamic_cast<CheckBox*>(&control)) view = std::make_unique<CheckBoxView>(*check, parent, id);
  if (auto* group = dynamic_cast<OptionGroup*>(&control)) view = std::make_unique<OptionGroupView>(*group, parent, id);
  if (auto* bar = dynamic_cast<HScrollBar*>(&control)) view = std::make_unique<ScrollBarView>(*bar, parent, id);
  if (auto* image = dynamic_cast<Image*>(&control)) view = std::make_unique<ImageView>(*image, parent, id);
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
