#pragma once
// What the Win32 views share: the display's DPI and message font, placing,
// naming and showing a control's window, tooltips and pointers, and one maker
// per kind of control.

#include <windows.h>

#include <memory>
#include <string>

#include "ui/Controls.h"
#include "ui/win32/ControlViews.h"

namespace ui::win32 {

int ScreenDpi();
// The system's message font, which carries the Chinese glyphs on every locale.
HFONT MessageFont();
// The caption shown as it is written: a button or menu would take "&" for the
// mark of an access key, while the program's captions (a game's name, a key
// name) mean the character itself.
std::wstring Literal(const std::string& caption);
void SetTextIfDifferent(HWND window, const std::wstring& text);
// The model's place in pixels on the form: its Left and Top count from its
// container, which may sit in another.
RECT PlaceOnForm(const Control& control, std::int32_t topOffset = 0);
std::string ControlName(const std::string& name, int index);
void NameWindow(HWND window, const std::string& name);
void UnnameWindow(HWND window);
HWND CreateAt(HWND parent, const wchar_t* windowClass, DWORD style, DWORD extendedStyle, const RECT& place,
              UINT_PTR id);
void ShowIf(HWND window, bool visible);
void AddToolTip(HWND parent, HWND control, const std::string& text);
LRESULT CALLBACK PointerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data);

std::unique_ptr<ChildView> MakeView(CommandButton& model, HWND parent, UINT_PTR id);
std::unique_ptr<ChildView> MakeView(CheckBox& model, HWND parent, UINT_PTR id);
std::unique_ptr<ChildView> MakeView(OptionGroup& model, HWND parent, UINT_PTR id);
std::unique_ptr<ChildView> MakeView(Label& model, HWND parent, UINT_PTR id);
std::unique_ptr<ChildView> MakeView(TextBox& model, HWND parent, UINT_PTR id);
std::unique_ptr<ChildView> MakeView(ListBox& model, HWND parent, UINT_PTR id);
std::unique_ptr<ChildView> MakeView(HScrollBar& model, HWND parent, UINT_PTR id);
std::unique_ptr<ChildView> MakeView(Frame& model, HWND parent, UINT_PTR id);
std::unique_ptr<ChildView> MakeView(Image& model, HWND parent, UINT_PTR id);
std::unique_ptr<ChildView> MakeView(ui::Timer& model, HWND parent, UINT_PTR id);

}  // namespace ui::win32
