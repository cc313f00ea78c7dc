#include "ui/Controls.h"

namespace ui {

namespace {
void Raise(const Handler& handler) {
  if (handler) handler();
}
}  // namespace

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

void Label::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void CommandButton::SetCaption(const std::string& caption) {
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

void CheckBox::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void CheckBox::SetValue(int value) {
  if (value_ == value) return;
  value_ = value;
  Changed();
  Raise(Click);
}

void OptionGroup::SetOptions(const std::vector<std::string>& captions) {
  options_.clear();
  for (const auto& caption : captions) options_.push_back({caption, true});
  Changed();
}

void OptionGroup::SetOptionVisible(int index, bool visible) {
  auto& option = options_.at(static_cast<std::size_t>(index));
  if (option.visible == visible) return;
  option.visible = visible;
  Changed();
}

void OptionGroup::Select(int index) {
  if (index < 0 || index >= static_cast<int>(options_.size()) || index == selected_) return;
  selected_ = index;
  Changed();
  if (Click) Click(index);
}

void HScrollBar::SetValue(int value) {
  if (value_ == value) return;
  value_ = value;
  Changed();
  Raise(Change);
}

void HScrollBar::UserScroll(int value) {
  value_ = value;
  Raise(Scroll);
}

void ListBox::AddItem(const std::string& text) {
  items_.push_back(text);
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

void ListBox::UserMouseUp(int button, int shift, int x, int y) {
  if (Enabled() && MouseUp) MouseUp(button, shift, x, y);
}

void Timer::SetInterval(int milliseconds) {
  if (interval_ == milliseconds) return;
  interval_ = milliseconds;
  Changed();
}

void Timer::Tick() {
  if (Enabled() && interval_ > 0) Raise(Elapsed);
}

void MenuItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void MenuItem::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Changed();
}

}  // namespace ui
