#pragma once
// Shows forms without windows: a modal form runs the scripted user steps in turn
// while it is loaded; a user who runs out of steps closes it with the close box.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/Form.h"

class FakeFormHost final : public ui::FormHost {
 public:
  FakeFormHost() { ui::SetFormHost(this); }
  ~FakeFormHost() override { ui::SetFormHost(nullptr); }

  void ShowModal(ui::Form& form) override {
    Show(form);
    while (form.Loaded() && !userSteps.empty()) {
      auto step = std::move(userSteps.front());
      userSteps.pop_front();  // first: the step may open a modal form of its own
      step(form);
    }
    if (form.Loaded()) form.RaiseCloseBox();
  }
  void Show(ui::Form& form) override {
    shown.push_back(form.Caption());
    form.RaiseLoad();
  }
  void RunUntilUnloaded(ui::Form& form) override { ranUntilUnloaded.push_back(form.Caption()); }
  void PopupMenu(ui::Form&, ui::MenuItem& menu) override { popups.push_back(menu.Name); }
  void BringToFront(ui::Form& form) override { broughtToFront.push_back(form.Caption()); }
  void Destroy(ui::Form&) override {}

  std::deque<std::function<void(ui::Form&)>> userSteps;
  std::vector<std::string> shown, ranUntilUnloaded, popups, broughtToFront;
};
