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

void Control::SetEnabled(bool enabled) { Update(enabled_, enabled); }

void Control::SetVisible(bool visible) { Update(visible_, visible); }

void Control::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void CommandButton::UserClick() {
  if (Enabled()) Raise(Click);
}

void TextBox::SetText(const std::string& text) {
  if (Update(text_, text)) Raise(Change);
}

void CheckBox::SetValue(int value) {
  if (Update(value_, value)) Raise(Click);
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
  if (Update(value_, Clamped(value))) Raise(Change);
}

void HScrollBar::UserScroll(int value) {
  if (!dragging_) dragStart_ = value_;
  dragging_ = true;
  value_ = Clamped(value);
  Raise(Scroll);
}

void HScrollBar::UserChange(int value) {
  // A drag's Change compares with the value before the drag.
  if (dragging_) value_ = dragStart_;
  dragging_ = false;
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
  if (selected_ == index)
    selected_ = -1;
  else if (selected_ > index)
    --selected_;
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

void ListBox::UserMouseUp(int button, int shift, int x, int y) {
  if (Enabled() && MouseUp) MouseUp(button, shift, x, y);
}

void Timer::SetInterval(int milliseconds) { Update(interval_, milliseconds); }

void Timer::Tick() {
  if (Enabled() && interval_ > 0) Raise(Elapsed);
}

void MenuItem::SetChecked(bool checked) { Update(checked_, checked); }

}  // namespace ui
