#include "ui/win32/ControlViews.h"

#include <commctrl.h>

#include "platform/win32/Win32Parts.h"

using platform::win32::Widen;

namespace ui::win32 {

int ScreenDpi() {
  static const int dpi = [] {
    HDC screen = ::GetDC(nullptr);
    const int value = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen != nullptr) ::ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return dpi;
}

HFONT MessageFont() {
  static HFONT font = [] {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return ::CreateFontIndirectW(&metrics.lfMessageFont);
  }();
  return font;
}

std::wstring Literal(const std::string& caption) {
  std::wstring literal;
  for (const wchar_t c : Widen(caption)) {
    if (c == L'&') literal += L'&';
    literal += c;
  }
  return literal;
}

void SetTextIfDifferent(HWND window, const std::wstring& wanted) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring current(static_cast<std::size_t>(length) + 1, L'\0');
  ::GetWindowTextW(window, current.data(), length + 1);
  current.resize(static_cast<std::size_t>(length));
  if (current != wanted) ::SetWindowTextW(window, wanted.c_str());
}

RECT PlaceOnForm(const Control& control, std::int32_t topOffset) {
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

void NameWindow(HWND window, const std::string& name, int index) {
  if (name.empty()) return;
  const ATOM atom = ::GlobalAddAtomW(Widen(index < 0 ? name : name + "(" + std::to_string(index) + ")").c_str());
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

int ShiftState() {
  return ((::GetKeyState(VK_SHIFT) < 0) ? 1 : 0) | ((::GetKeyState(VK_CONTROL) < 0) ? 2 : 0) |
         ((::GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

int ToPixels(std::int32_t twips) { return ::MulDiv(twips, ScreenDpi(), 1440); }

}  // namespace ui::win32
