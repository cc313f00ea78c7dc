#pragma once
// The headless model of the few controls the windows use. Each control owns the
// event rules the program depends on, once for every form:
//  - setting a list's selected index to an entry raises its Click;
//  - setting a text or a slider value raises Change only when it differs;
//  - selecting an option that was not selected raises its Click and clears the others;
//  - setting a check box's state raises Click only when it changes.
// The User... members are what the binding calls for the user's own actions.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ui {

// Shows a control's state: the binding attaches one to push model changes to a
// real control.
class ControlView {
 public:
  virtual ~ControlView() = default;
  virtual void Refresh() = 0;
};

class Control {
 public:
  virtual ~Control() = default;

  std::string Name;
  int Index = -1;  // place in a control array, -1 for none
  std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;  // twips
  std::string ToolTipText;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  void AttachView(ControlView* view) { view_ = view; }

 protected:
  void Changed() {
    if (view_ != nullptr) view_->Refresh();
  }

 private:
  ControlView* view_ = nullptr;
  bool enabled_ = true;
  bool visible_ = true;
};

using Handler = std::function<void()>;

class Label : public Control {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

 private:
  std::string caption_;
};

class CommandButton : public Control {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  void UserClick();

  Handler Click;

 private:
  std::string caption_;
};

class TextBox : public Control {
 public:
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  void UserEdit(const std::string& text) { SetText(text); }
  int MaxLength = 0;  // characters; 0 = no limit

  Handler Change;

 private:
  std::string text_;
};

class CheckBox : public Control {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int Value() const { return value_; }  // 0 unchecked, 1 checked
  void SetValue(int value);
  void UserToggle() { SetValue(value_ == 0 ? 1 : 0); }

  Handler Click;

 private:
  std::string caption_;
  int value_ = 0;
};

// An indexed array of option buttons of which at most one is selected.
class OptionGroup : public Control {
 public:
  struct Option {
    std::string caption;
    bool visible = true;
  };

  void SetOptions(const std::vector<std::string>& captions);
  const std::vector<Option>& Options() const { return options_; }
  void SetOptionVisible(int index, bool visible);
  int Selected() const { return selected_; }  // -1 for none
  void Select(int index);
  void UserSelect(int index) { Select(index); }

  std::function<void(int)> Click;

 private:
  std::vector<Option> options_;
  int selected_ = -1;
};

class HScrollBar : public Control {
 public:
  int Min = 0, Max = 32767, SmallChange = 1, LargeChange = 1;
  int Value() const { return value_; }
  void SetValue(int value);
  // While the user drags the thumb: Scroll, without Change.
  void UserScroll(int value);
  // When the user lets go or steps: the value is set, with Change if it differs.
  void UserChange(int value) { SetValue(value); }

  Handler Change;
  Handler Scroll;

 private:
  int value_ = 0;
};

enum MouseButton : int { LeftMouse = 1, RightMouse = 2, MiddleMouse = 4 };

class ListBox : public Control {
 public:
  void AddItem(const std::string& text);
  void Clear();
  int ListCount() const { return static_cast<int>(items_.size()); }
  const std::string& List(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  int ListIndex() const { return selected_; }
  // -1 clears the selection; an index that names no entry is refused (false)
  // and changes nothing.
  bool SetListIndex(int index);
  void UserSelect(int index) { SetListIndex(index); }
  void UserDoubleClick();
  void UserMouseUp(int button, int shift, int x, int y);

  Handler Click;
  Handler DblClick;
  std::function<void(int button, int shift, int x, int y)> MouseUp;

 private:
  std::vector<std::string> items_;
  int selected_ = -1;
};

class Timer : public Control {
 public:
  int Interval() const { return interval_; }  // milliseconds; 0 = never ticks
  void SetInterval(int milliseconds);
  // Raised by the binding every Interval while enabled.
  void Tick();

  Handler Elapsed;

 private:
  int interval_ = 0;
};

// A menu item; a caption of "-" makes a separator. Items with children are menus.
class MenuItem {
 public:
  MenuItem() = default;
  MenuItem(std::string name, std::string caption) : Name(std::move(name)), caption_(std::move(caption)) {}

  std::string Name;
  std::vector<MenuItem*> Items;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool IsSeparator() const { return caption_ == "-"; }
  void UserClick() {
    if (Click) Click();
  }
  void AttachView(ControlView* view) { view_ = view; }

  Handler Click;

 private:
  void Changed() {
    if (view_ != nullptr) view_->Refresh();
  }
  std::string caption_;
  bool checked_ = false;
  ControlView* view_ = nullptr;
};

}  // namespace ui
