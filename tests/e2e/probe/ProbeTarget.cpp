// Test-only Windows program, never shipped: the window the window probe's own
// test looks at. A menu bar of two popups (one item checked, one separator, one
// nested popup), a disabled status BUTTON and a LISTBOX of three Chinese entries
// with entry 1 selected. Item 2001 toggles its check mark; a selection change
// shows up in the status caption, so the test sees that the owner was told.
//
//   probe_target.exe     ends on WM_CLOSE
#include <windows.h>

#include <string>

namespace {

constexpr UINT kToggle = 2001, kAbout = 2002, kLog = 2003;
constexpr int kListId = 3001;
constexpr int kClientWidth = 400, kClientHeight = 300;

HWND status = nullptr;
HWND list = nullptr;

HMENU BuildMenu() {
  HMENU control = CreatePopupMenu();
  AppendMenuW(control, MF_STRING | MF_CHECKED, kToggle, L"启用（热键 F9）");
  AppendMenuW(control, MF_SEPARATOR, 0, nullptr);
  HMENU more = CreatePopupMenu();
  AppendMenuW(more, MF_STRING, kLog, L"日志 log");
  AppendMenuW(control, MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"更多 more");
  HMENU help = CreatePopupMenu();
  AppendMenuW(help, MF_STRING, kAbout, L"关于 about");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(control), L"鼠标模拟");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"帮助");
  return bar;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const auto instance = reinterpret_cast<LPCREATESTRUCTW>(lParam)->hInstance;
      status = CreateWindowExW(0, L"BUTTON", L"状态 status", WS_CHILD | WS_VISIBLE | WS_DISABLED | BS_PUSHBUTTON,
                               10, 10, 380, 30, window, nullptr, instance, nullptr);
      list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY,
                             10, 50, 380, 200, window, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)),
                             instance, nullptr);
      for (const wchar_t* game : {L"仙剑奇侠传", L"大富翁（四）", L"三国志 英杰传"}) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(game));
      }
      SendMessageW(list, LB_SETCURSEL, 1, 0);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kToggle && HIWORD(wParam) == 0 && lParam == 0) {
        HMENU menu = GetMenu(window);
        const bool checked = GetMenuState(menu, kToggle, MF_BYCOMMAND) & MF_CHECKED;
        CheckMenuItem(menu, kToggle, MF_BYCOMMAND | (checked ? MF_UNCHECKED : MF_CHECKED));
      } else if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_SELCHANGE &&
                 reinterpret_cast<HWND>(lParam) == list) {
        const auto selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
        SetWindowTextW(status, (L"选中 " + std::to_wstring(selected)).c_str());
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int main() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"TillervaneProbeTarget";
  RegisterClassW(&windowClass);
  constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, style, TRUE, 0);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"探针目标 probe target", style, 120, 80,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, BuildMenu(),
                                windowClass.hInstance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
