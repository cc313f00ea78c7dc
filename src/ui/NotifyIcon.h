#pragma once
// A form's icon in the notification area: one of the program's icon resources
// with a tip. The binding shows it for as long as the form's window exists;
// the user's clicks on it come back as events.

#include <string>

#include "ui/Controls.h"

namespace ui {

class NotifyIcon : public Control {
 public:
  int Icon() const { return icon_; }  // an icon resource
  const std::string& Tip() const { return tip_; }
  void Show(int icon, const std::string& tip) {
    if (icon == icon_ && tip == tip_) return;
    icon_ = icon;
    tip_ = tip;
    Changed();
  }
  void UserClick() {
    if (Click) Click();
  }
  void UserRightClick() {
    if (RightClick) RightClick();
  }

  Handler Click;
  Handler RightClick;

 private:
  int icon_ = 0;
  std::string tip_;
};

}  // namespace ui
