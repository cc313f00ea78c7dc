#include "ui/Controls.h"

#include <algorithm>

namespace ui {

namespace {
void Raise(const Handler& handler) {
  if (handler) handler();
}
}  // namespace

Control* Control::focused_ = nullptr;

Control::~Control() {
  if (focused_ == this) focused_ = nullptr;
}

void Control::SetFocus() {
  focused_ = this;
  if (view_ != nullptr) view_->TakeFocus();
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed();
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Changed();
}

void Control::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void CommandButton::UserClick() {
  if (Enabled()) Raise(Click);
}

void TextBox::SetText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  Changed();
  Raise(Change);
}

void CheckBox::SetValue(int value) {
  if (value_ == value) return;
  value_ = value;
  Changed();
  Raise(Click);
}

void OptionGroup::SetOptions(const std::vector<std::string>& captions) {
  options_ = captions;
  Changed();
}

void OptionGroup::Select(int index) {
  if (index < 0 || index >= static_cast<int>(options_.size()) || index == selected_) return;
  selected_ = index;
  Changed();
  if (Click) Click(index);
}

void OptionGroup::UserStep(int step) {
  const int count = static_cast<int>(options_.size());
  if (count > 0) Select(((selected_ + step) % count + count) % count);
}

int HScrollBar::Clamped(int value) const { return std::clamp(value, Min, std::max(Min, Max)); }

void HScrollBar::SetValue(int value) {
  value = Clamped(value);
  if (value_ == value) return;
  value_ = value;
  Changed();
  Raise(Change);
}

void HScrollBar::UserScroll(int value) {
  if (!dragging_) dragStart_ = value_;
  dragging_ = true;
  value_ = Clamped(value);
  Raise(Scroll);
}

void HScrollBar::UserChange(int value) {
  if (dragging_) {
    dragging_ = false;
    value_ = dragStart_;
  }
  SetValue(value);
}

void ListBox::AddItem(const std::string& text) {
  items_.push_back(text);
  Changed();
}

void ListBox::SetList(int index, const std::string& text) {
  items_.at(static_cast<std::size_t>(index)) = text;
  Changed();
}

void ListBox::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) return;
  items_.erase(items_.begin() + index);
  if (selected_ == index) {
    selected_ = -1;
  } else if (selected_ > index) {
    --selected_;
  }
  Changed();
}

void ListBox::Clear() {
  items_.clear();
  selected_ = -1;
  Changed();
}

bool ListBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) return false;
  selected_ = index;
  Changed();
  if (index >= 0) Raise(Click);
  return true;
}

void ListBox::UserDoubleClick() {
  if (Enabled()) Raise(DblClick);
}

void ListBox::UserMouseUp(int button) {
  if (Enabled() && MouseUp) MouseUp(button);
}

void Timer::SetInterval(int milliseconds) {
  if (interval_ == milliseconds) return;
  interval_ = milliseconds;
  Changed();
}

void Timer::Tick() {
  if (Enabled() && interval_ > 0) Raise(Elapsed);
}

void MenuItem::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Changed();
}

}  // namespace ui
