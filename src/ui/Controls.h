#pragma once
// The headless model of the few controls the windows use. Each control owns the
// event rules the program depends on, once for every form:
//  - setting a list's selected index to an entry raises its Click;
//  - setting a text or a slider value raises Change only when it differs;
//  - selecting an option that was not selected raises its Click and clears the others;
//  - setting a check box's state raises Click only when it changes;
//  - a slider raises Scroll while its thumb is dragged and Change once the drag
//    ends on another value than it started from.
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
  // Moves the keyboard focus to the control.
  virtual void TakeFocus() {}
};

class Control {
 public:
  virtual ~Control();

  std::string Name;
  int Index = -1;  // place in a control array, -1 for none
  // The frame or picture box the control sits in; Left and Top count from its
  // top-left corner, or from the form's client area when there is none.
  Control* Container = nullptr;
  std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;  // twips
  std::string ToolTipText;
  std::string Tag;    // the form's own text, never shown
  int MouseIcon = 0;  // cursor resource shown over the control; 0 = the standard arrow
  bool TabStop = true;  // Tab stops at it, where the kind of control takes the focus

  // What labels, buttons, check boxes and frames show; other kinds ignore it.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  // The keyboard focus: there is one for the whole program.
  void SetFocus();
  bool HasFocus() const { return focused_ == this; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  void AttachView(ControlView* view) { view_ = view; }

 protected:
  void Changed() {
    if (view_ != nullptr) view_->Refresh();
  }
  // Stores a new state and shows it; false when it was already so.
  template <class T>
  bool Update(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    Changed();
    return true;
  }

 private:
  static Control* focused_;
  ControlView* view_ = nullptr;
  std::string caption_;
  bool enabled_ = true;
  bool visible_ = true;
};

using Handler = std::function<void()>;

class Label : public Control {};

class CommandButton : public Control {
 public:
  void UserClick();

  Handler Click;
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
  int Value() const { return value_; }  // 0 unchecked, 1 checked
  void SetValue(int value);
  void UserToggle() { SetValue(value_ == 0 ? 1 : 0); }

  Handler Click;

 private:
  int value_ = 0;
};

// A captioned frame around other controls; without a border it only groups
// them and shows nothing of its own.
class Frame : public Control {
 public:
  bool Border = true;
};

// A container without a picture or border: it only groups other controls.
class PictureBox : public Control {};

// A bitmap resource, stretched to the control's size or shown at its own.
class Image : public Control {
 public:
  int Picture = 0;  // bitmap resource; 0 = none
  bool Stretch = false;
};

// An indexed array of option buttons of which at most one is selected. The
// options stand one above the other, RowHeight apart, from the group's top.
class OptionGroup : public Control {
 public:
  void SetOptions(const std::vector<std::string>& captions);
  const std::vector<std::string>& Options() const { return options_; }
  int Selected() const { return selected_; }  // -1 for none
  void Select(int index);
  void UserSelect(int index) { Select(index); }
  // An arrow key: the option after the selected one (step 1) or before it
  // (step -1), round the group.
  void UserStep(int step);

  std::function<void(int)> Click;
  std::int32_t RowHeight = 0;  // twips

 private:
  std::vector<std::string> options_;
  int selected_ = -1;
};

// A value from Min to Max; a value outside is taken as the nearer end.
class HScrollBar : public Control {
 public:
  int Min = 0, Max = 32767, SmallChange = 1, LargeChange = 1;
  int Value() const { return value_; }
  void SetValue(int value);
  // While the user drags the thumb: Scroll, without Change.
  void UserScroll(int value);
  // When the user lets go of the thumb or steps: Change if the value differs
  // from the one before (before the drag, after one).
  void UserChange(int value);

  Handler Change;
  Handler Scroll;

 private:
  int Clamped(int value) const;
  int value_ = 0;
  bool dragging_ = false;
  int dragStart_ = 0;
};

enum MouseButton : int { LeftMouse = 1, RightMouse = 2, MiddleMouse = 4 };

class ListBox : public Control {
 public:
  void AddItem(const std::string& text);
  int ListCount() const { return static_cast<int>(items_.size()); }
  const std::string& List(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  void SetList(int index, const std::string& text);
  // Later entries move up; removing the selected entry leaves none selected.
  // Raises no Click.
  void RemoveItem(int index);
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

// A menu item, a control of the form outside its client area; a caption of "-"
// makes a separator. Items with children are menus.
class MenuItem : public Control {
 public:
  MenuItem(const std::string& name, const std::string& caption) {
    Name = name;
    SetCaption(caption);
  }

  std::vector<MenuItem*> Items;

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool IsSeparator() const { return Caption() == "-"; }
  void UserClick() {
    if (Click) Click();
  }

  Handler Click;

 private:
  bool checked_ = false;
};

}  // namespace ui
