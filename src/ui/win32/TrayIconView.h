#pragma once
// Shows a form's NotifyIcon in the notification area, for as long as the view
// lives, and hands the user's clicks on it back to the model.

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/Handles.h"
#include "ui/NotifyIcon.h"

namespace ui::win32 {

class TrayIconView final : public ControlView {
 public:
  // The message the shell sends the owner about the icon.
  static constexpr UINT kMessage = WM_APP + 1;
  // The message every top-level window gets when the shell (re)starts.
  static UINT TaskbarCreated();

  TrayIconView(NotifyIcon& icon, HWND owner);
  ~TrayIconView() override;
  TrayIconView(const TrayIconView&) = delete;
  TrayIconView& operator=(const TrayIconView&) = delete;

  void Refresh() override;
  // Adds the icon again, drawn for the display's scale now: after the shell
  // restarted, or after the scale changed.
  void Readd();
  // The shell's kMessage: which mouse event it was.
  void OnNotify(LPARAM event);

 private:
  NOTIFYICONDATAW Data(UINT flags) const;

  NotifyIcon& icon_;
  HWND owner_;
  platform::win32::IconHandle picture_;
  int shownIcon_ = 0;  // the resource picture_ was loaded from
  bool added_ = false;
};

}  // namespace ui::win32
