#include "ui/win32/Win32FormHost.h"

#include <windows.h>
#include <shellapi.h>
#include <wtsapi32.h>

#include <map>
#include <memory>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Parts.h"
#include "ui/win32/ControlViews.h"
#include "ui/win32/PreciseTimer.h"
#include "ui/win32/TrayIconView.h"

using platform::win32::IconHandle;
using platform::win32::Widen;

namespace ui::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"TillervaneForm";
constexpr UINT kFirstControlId = 100;
constexpr UINT kFirstMenuId = 1000;

// A menu item's caption and check mark, kept up to date in its menu.
class MenuView final : public ControlView {
 public:
  MenuView(MenuItem& item, HMENU menu, UINT id, HWND owner) : item_(item), menu_(menu), id_(id), owner_(owner) {
    item_.AttachView(this);
  }
  ~MenuView() override { item_.AttachView(nullptr); }
  void Refresh() override {
    std::wstring caption = Literal(item_.Caption());
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_STATE;
    info.dwTypeData = caption.data();
    info.fState = (item_.Checked() ? MFS_CHECKED : MFS_UNCHECKED) | (item_.Enabled() ? MFS_ENABLED : MFS_GRAYED);
    ::SetMenuItemInfoW(menu_, id_, FALSE, &info);
    ::DrawMenuBar(owner_);
  }

 private:
  MenuItem& item_;
  HMENU menu_;
  UINT id_;
  HWND owner_;
};

// Everything one form's window has: its controls' views and its menu. It is
// the view of the form itself, whose caption is the window's title.
struct FormWindow final : ControlView {
  ~FormWindow() override { form->AttachView(nullptr); }
  void Refresh() override {
    ::SetWindowTextW(window, Widen(form->Caption()).c_str());
    ListenToRawMouse(form->ListensToRawMouse());
  }
  // Also while another window is active.
  void ListenToRawMouse(bool listen) {
    if (listen == rawMouse) return;
    const RAWINPUTDEVICE mouse{0x01, 0x02, static_cast<DWORD>(listen ? RIDEV_INPUTSINK : RIDEV_REMOVE), listen ? window : nullptr};
    if (::RegisterRawInputDevices(&mouse, 1, sizeof mouse)) rawMouse = listen;
  }
  bool rawMouse = false;

  // The title bar's icons, which the window only borrows: released after it is gone.
  IconHandle bigIcon, smallIcon;
  HWND window = nullptr;
  Form* form = nullptr;
  std::map<UINT_PTR, std::unique_ptr<ChildView>> controls;
  std::map<UINT, MenuItem*> menuCommands;
  std::map<MenuItem*, HMENU> popups;
  std::vector<std::unique_ptr<MenuView>> menuViews;
  std::unique_ptr<TrayIconView> tray;  // removed from the notification area with the window
  HWND focus = nullptr;  // the control that had the focus when the window was last deactivated
  int dpi = ScreenDpi();  // the display's the window is laid out for

  ChildView* View(UINT_PTR id) const {
    const auto found = controls.find(id);
    return found == controls.end() ? nullptr : found->second.get();
  }
};

std::map<HWND, std::unique_ptr<FormWindow>>& Windows() {
  static std::map<HWND, std::unique_ptr<FormWindow>> windows;
  return windows;
}

FormWindow* Find(HWND window) {
  const auto found = Windows().find(window);
  return found == Windows().end() ? nullptr : found->second.get();
}

FormWindow* Find(const Form& form) {
  for (auto& [window, state] : Windows())
    if (state->form == &form) return state.get();
  return nullptr;
}

// The window's frame around the form's client area at `dpi`, with its top-left
// corner where it is now.
RECT Frame(const Form& form, HWND window, int dpi) {
  RECT frame{0, 0, ToPixels(form.ClientWidthTwips, dpi), ToPixels(form.ClientHeightTwips, dpi)}, now{};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE)), ::GetMenu(window) != nullptr, 0);
  ::GetWindowRect(window, &now);
  ::OffsetRect(&frame, now.left - frame.left, now.top - frame.top);
  return frame;
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FormWindow* state = Find(window);
  if (state == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND: {
      const UINT id = LOWORD(wParam);
      if (lParam == 0) {  // a menu item
        const auto item = state->menuCommands.find(id);
        if (item != state->menuCommands.end()) item->second->UserClick();
      } else if (ChildView* control = state->View(id)) {
        control->OnCommand(HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      }
      return 0;
    }
    case WM_HSCROLL:  // from a scroll bar control; window scroll bars send none here
      if (ChildView* control = lParam != 0 ? state->View(::GetDlgCtrlID(reinterpret_cast<HWND>(lParam))) : nullptr) {
        control->OnScroll(LOWORD(wParam));
      }
      return 0;
    case WM_ACTIVATE:
      // As a dialog does: the control that had the focus gets it back when the
      // window is activated again (after a message box or a modal form).
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(window, focus)) state->focus = focus;
        return 0;
      }
      if (state->focus != nullptr && ::IsChild(window, state->focus) && ::IsWindowVisible(state->focus) &&
          ::IsWindowEnabled(state->focus)) {
        ::SetFocus(state->focus);
        return 0;
      }
      return ::DefWindowProcW(window, message, wParam, lParam);
    case WM_DPICHANGED: {
      // On a display of another scale everything is laid out again, in the
      // place Windows suggests; without one the window keeps its corner.
      state->dpi = LOWORD(wParam);
      for (auto& [id, view] : state->controls) view->Place(state->dpi);
      RECT frame = Frame(*state->form, window, state->dpi);
      if (lParam != 0) frame = *reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(window, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      if (state->tray) state->tray->Readd();
      return 0;
    }
    case TrayIconView::kMessage:
      if (state->tray) state->tray->OnNotify(lParam);
      return 0;
    case WM_TIMER:
      if (ChildView* control = state->View(wParam)) control->OnTimer();
      return 0;
    case WM_CLOSE:  // the close box or the system menu
      state->form->RaiseCloseBox();
      return 0;
    case WM_INPUT: {
      RAWINPUT input{};
      UINT size = sizeof input;
      if (::GetRawInputData(reinterpret_cast<HRAWINPUT>(lParam), RID_INPUT, &input, &size,
                            sizeof(RAWINPUTHEADER)) != static_cast<UINT>(-1) &&
          input.header.dwType == RIM_TYPEMOUSE) {
        const RAWMOUSE& mouse = input.data.mouse;
        const bool absolute = (mouse.usFlags & MOUSE_MOVE_ABSOLUTE) != 0;
        // A button or the wheel of a device that reports positions need not say where it points.
        if (!absolute || mouse.usButtonFlags == 0) state->form->RaiseRawMouseMove(mouse.lLastX, mouse.lLastY, absolute);
      }
      return ::DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_DROPFILES: {
      const auto drop = reinterpret_cast<HDROP>(wParam);
      std::vector<std::string> paths;
      // A window that a modal dialog or box has disabled takes nothing: what
      // it would do could pull the ground from under that dialog.
      for (UINT i = 0, count = ::IsWindowEnabled(window) ? ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) : 0; i < count;
           ++i) {
        std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(platform::win32::Narrow(path));
      }
      ::DragFinish(drop);
      if (!paths.empty()) state->form->RaiseFilesDropped(paths);
      return 0;
    }
    case WM_QUERYENDSESSION:
      state->form->RaiseSystemEvent(Form::SystemEvent::SessionEndQueried);
      return TRUE;
    case WM_ENDSESSION:
      if (wParam != FALSE) {
        state->form->RaiseSystemEvent(Form::SystemEvent::SessionEnding);
        state->tray.reset();  // the process may end without its window being destroyed
      }
      return 0;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMSUSPEND) state->form->RaiseSystemEvent(Form::SystemEvent::Suspending);
      return TRUE;
    case WM_WTSSESSION_CHANGE:
      state->form->RaiseSystemEvent(Form::SystemEvent::SessionSwitched);
      return 0;
    default:
      if (message == TrayIconView::TaskbarCreated() && state->tray) {
        state->tray->Readd();
        return 0;
      }
      if (IsKeyRelease(message)) {
        state->form->RaiseKeyUp(static_cast<int>(wParam), ShiftState());
        // Alt's and F10's release also opens the menu, unless it has just closed the form.
        if (message == WM_SYSKEYUP && Find(window) != nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
        return 0;
      }
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

void RegisterFormClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = FormProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kFormClass;
  registered = ::RegisterClassExW(&windowClass) != 0;
}

// Loads the form's icon at this size and hands it to the window.
IconHandle SetFormIcon(HWND window, int resource, int size, WPARAM which) {
  if (resource == 0) return {};
  IconHandle icon(static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_ICON, size, size, 0)));
  if (icon.get() != nullptr) ::SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon.get()));
  return icon;
}

// Where a window of this size goes: centred on its owner, or on the screen's
// work area when it has none or asks for the screen.
POINT CentredOrigin(const Form& form, HWND owner, int width, int height) {
  RECT area{};
  if (form.Position == StartPosition::CenterOwner && owner != nullptr && ::IsWindowVisible(owner)) {
    ::GetWindowRect(owner, &area);
  } else {
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  return {area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
}

HMENU BuildMenu(FormWindow& state, MenuItem& menu, UINT& nextId) {
  HMENU popup = ::CreatePopupMenu();
  state.popups[&menu] = popup;
  for (MenuItem* item : menu.Items) {
    if (item->IsSeparator()) {
      ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT id = nextId++;
    ::AppendMenuW(popup, MF_STRING, id, Literal(item->Caption()).c_str());
    state.menuCommands[id] = item;
    state.menuViews.push_back(std::make_unique<MenuView>(*item, popup, id, state.window));
    state.menuViews.back()->Refresh();
  }
  return popup;
}

// The menu bar, and the menus that are only ever popped up (the system frees
// those with the program).
void BuildMenuBar(FormWindow& state) {
  UINT nextId = kFirstMenuId;
  for (MenuItem* menu : state.form->PopupMenus) BuildMenu(state, *menu, nextId);
  if (state.form->MenuBar.empty()) return;
  HMENU bar = ::CreateMenu();
  for (MenuItem* menu : state.form->MenuBar) {
    HMENU popup = BuildMenu(state, *menu, nextId);
    ::AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), Literal(menu->Caption()).c_str());
  }
  ::SetMenu(state.window, bar);
}

class RealFormHost final : public FormHost {
 public:
  void Show(Form& form) override {
    if (FormWindow* state = Load(form, nullptr)) {
      ::ShowWindow(state->window, SW_SHOW);
      ::SetForegroundWindow(state->window);
    }
  }

  void ShowModal(Form& form) override {
    HWND owner = ::GetActiveWindow();
    FormWindow* state = Load(form, owner);
    if (state == nullptr) return;
    if (owner != nullptr) ::EnableWindow(owner, FALSE);
    ::ShowWindow(state->window, SW_SHOW);
    ::SetForegroundWindow(state->window);
    RunUntilUnloaded(form);
    if (form.Loaded()) form.Unload();  // the program is quitting
    if (owner != nullptr) {
      ::EnableWindow(owner, TRUE);
      ::SetActiveWindow(owner);
    }
  }

  // The one message loop of the program's thread, the main window's and every
  // modal form's; hooks and timers are called from inside it. It ends early
  // at WM_QUIT, which is posted again for the outer loop.
  void RunUntilUnloaded(Form& form) override {
    HANDLE timers[MAXIMUM_WAIT_OBJECTS - 1];
    while (form.Loaded()) {
      const DWORD count = PreciseTimer::CollectHandles(timers, MAXIMUM_WAIT_OBJECTS - 1);
      const DWORD woke = ::MsgWaitForMultipleObjectsEx(count, timers, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      if (woke < WAIT_OBJECT_0 + count) {
        PreciseTimer::Fired(woke - WAIT_OBJECT_0);
        continue;
      }
      // A tick that falls due meanwhile waits for one message, not for the queue.
      if (woke != WAIT_OBJECT_0 + count || !platform::win32::DispatchWaitingMessages(&PreciseTimer::TickAllDue)) return;
    }
  }

  void PopupMenu(Form& form, MenuItem& menu) override {
    FormWindow* state = Find(form);
    if (state == nullptr) return;
    const auto popup = state->popups.find(&menu);
    if (popup == state->popups.end()) return;
    POINT at{};
    ::GetCursorPos(&at);
    ::SetForegroundWindow(state->window);
    ::TrackPopupMenu(popup->second, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, state->window, nullptr);
    // A menu opened from the notification area closes on the next click elsewhere only after this.
    ::PostMessageW(state->window, WM_NULL, 0, 0);
  }

  void BringToFront(Form& form) override {
    FormWindow* state = Find(form);
    if (state == nullptr) return;
    if (::IsIconic(state->window)) ::ShowWindow(state->window, SW_RESTORE);
    ::SetForegroundWindow(state->window);
  }

  void Destroy(Form& form) override {
    FormWindow* state = Find(form);
    if (state == nullptr) return;
    HWND window = state->window;
    // Re-enable the owner first, so that Windows activates it and not another program.
    if (HWND owner = ::GetWindow(window, GW_OWNER)) ::EnableWindow(owner, TRUE);
    if (form.WantsSystemEvents) ::WTSUnRegisterSessionNotification(window);
    const IconHandle bigIcon = std::move(state->bigIcon), smallIcon = std::move(state->smallIcon);
    Windows().erase(window);
    ::DestroyWindow(window);
    // Wakes the loop, which may be waiting for input that never comes when a
    // hook swallowed the event that unloaded the form.
    ::PostMessageW(nullptr, WM_NULL, 0, 0);
  }

 private:
  // Creates the window and raises Load; nullptr when either unloaded the form.
  static FormWindow* Load(Form& form, HWND owner) {
    if (Create(form, owner) == nullptr) return nullptr;
    form.RaiseLoad();
    return Find(form);
  }

  static HWND Create(Form& form, HWND owner) {
    RegisterFormClass();
    const DWORD style = (owner != nullptr ? WS_POPUP : WS_OVERLAPPED) | WS_CAPTION | WS_SYSMENU |
                        (form.MinButton ? WS_MINIMIZEBOX : 0) | WS_CLIPCHILDREN;
    HWND window = ::CreateWindowExW(0, kFormClass, Widen(form.Caption()).c_str(), style, 0, 0, 0, 0, owner, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) return nullptr;
    FormWindow& built = *(Windows()[window] = std::make_unique<FormWindow>());
    built.window = window;
    built.form = &form;
    form.AttachView(&built);

    built.bigIcon = SetFormIcon(window, form.IconResource, ::GetSystemMetrics(SM_CXICON), ICON_BIG);
    built.smallIcon = SetFormIcon(window, form.IconResource, ::GetSystemMetrics(SM_CXSMICON), ICON_SMALL);
    if (form.WantsSystemEvents) ::WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION);
    if (form.AcceptsDroppedFiles) {
      ::DragAcceptFiles(window, TRUE);
      // A program run as administrator hears nothing from the shell of an
      // ordinary user unless it lets the drop's messages through.
      constexpr UINT kCopyGlobalData = 0x0049;
      for (UINT message : {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), kCopyGlobalData})
        ::ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
    }
    UINT_PTR nextId = kFirstControlId;
    for (Control* control : form.Controls) {
      const UINT_PTR id = nextId++;
      if (auto view = CreateView(*control, window, id)) {
        view->Place(built.dpi);
        built.controls[id] = std::move(view);
      }
    }
    BuildMenuBar(built);
    if (form.TrayIcon != nullptr) built.tray = std::make_unique<TrayIconView>(*form.TrayIcon, window);
    const RECT frame = Frame(form, window, built.dpi);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const POINT origin = CentredOrigin(form, owner, width, height);
    ::SetWindowPos(window, nullptr, origin.x, origin.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return window;
  }
};

}  // namespace

FormHost& Win32FormHost() {
  static RealFormHost host;
  return host;
}

}  // namespace ui::win32
