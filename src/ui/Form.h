#pragma once
// The headless model of a form: what a window shows and the events it raises.
// A FormHost turns it into a real window; the form's handlers are plain member
// functions that run the same in a test and in the program.

#include <cassert>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/NotifyIcon.h"

namespace ui {

enum class StartPosition { CenterOwner, CenterScreen };

class Form;

// One control of a form's design: its name and index, the container it sits
// in, its place in the form's design units and its caption.
struct ControlRow {
  Control* control;
  const char* name;
  int index;
  Control* container;
  std::int32_t left, top, width, height;
  const char* caption = "";
};

// A window message that is a key's release a form hears of: Alt and F10 come
// as system keys, and a form that closes on any key must hear them too.
bool IsKeyRelease(std::uint32_t message);

// Shows forms: as real windows in the program, scripted in tests.
class FormHost {
 public:
  virtual ~FormHost() = default;
  // Creates the form's window, raises its Load and shows it modally to the
  // program's active window; returns once the form is unloaded.
  virtual void ShowModal(Form& form) = 0;
  // Creates the form's window, raises its Load and shows it; returns at once.
  virtual void Show(Form& form) = 0;
  // Runs the program's message loop until the form is unloaded.
  virtual void RunUntilUnloaded(Form& form) = 0;
  // Shows a menu at the pointer, over the form; returns when it is dismissed.
  virtual void PopupMenu(Form& form, MenuItem& menu) = 0;
  // Restores the form's window if it is minimised and brings it to the front.
  virtual void BringToFront(Form& form) = 0;
  // Destroys the window of a form that has just been unloaded.
  virtual void Destroy(Form& form) = 0;
};

inline FormHost* installedHost = nullptr;
inline void SetFormHost(FormHost* host) { installedHost = host; }
inline FormHost& Host() {
  assert(installedHost != nullptr && "no form host installed");
  return *installedHost;
}

// A control itself for its caption, the window's title, and the view that shows it.
class Form : public Control {
 public:
  std::int32_t ClientWidthTwips = 0;
  std::int32_t ClientHeightTwips = 0;
  bool MinButton = false;
  int IconResource = 0;  // 0 = the system's default icon
  StartPosition Position = StartPosition::CenterOwner;
  std::vector<Control*> Controls;  // in design order, which is the tab order; timers included
  std::vector<MenuItem*> MenuBar;
  std::vector<MenuItem*> PopupMenus;  // shown only by PopupMenu, never in the bar
  NotifyIcon* TrayIcon = nullptr;     // shown while the window exists; none when null
  // The host tells this form of the session's and the machine's changes (the
  // program's main window asks for them), and of raw mouse input while it listens.
  bool WantsSystemEvents = false;
  // Files dragged from the shell may be dropped on the window.
  bool AcceptsDroppedFiles = false;
  // Raw mouse input only while it is needed: otherwise every move of the mouse
  // would wake the program for nothing.
  void ListenToRawMouse(bool listen) { Update(rawMouse_, listen); }
  bool ListensToRawMouse() const { return rawMouse_; }

  // Sets up each row's control, `twipsPerUnit` twips to a design unit, and
  // appends it to Controls in the rows' order.
  void AddControls(std::initializer_list<ControlRow> rows, std::int32_t twipsPerUnit = 1);

  void Show();
  void ShowModal();
  void PopupMenu(MenuItem& menu);
  void BringToFront();
  // Raises Unload once and closes the window; nothing when not loaded.
  void Unload();
  bool Loaded() const { return loaded_; }

  // Raised by the host.
  void RaiseLoad();
  void RaiseKeyUp(int keyCode, int shift);
  void RaiseCloseBox() { Unload(); }
  // SessionEndQueried: the system asks whether the session may end; it may
  // still be cancelled. SessionEnding: it ends.
  enum class SystemEvent { SessionEndQueried, SessionEnding, Suspending, SessionSwitched };
  void RaiseSystemEvent(SystemEvent event) {
    if (loaded_) Form_SystemEvent(event);
  }
  // One mouse movement as the device reported it: relative counts, or for a
  // device that reports where it points (remote desktops, virtual machines,
  // tablets) the position, 0 to 65535 across the primary screen.
  void RaiseRawMouseMove(std::int32_t x, std::int32_t y, bool absolute) {
    if (loaded_) Form_RawMouseMove(x, y, absolute);
  }
  // Files dropped on the window, their full paths in the order the shell gives them.
  void RaiseFilesDropped(const std::vector<std::string>& paths) {
    if (loaded_) Form_FilesDropped(paths);
  }

 protected:
  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  virtual void Form_KeyUp(int /*KeyCode*/, int /*Shift*/) {}
  virtual void Form_SystemEvent(SystemEvent /*event*/) {}
  virtual void Form_RawMouseMove(std::int32_t /*x*/, std::int32_t /*y*/, bool /*absolute*/) {}
  virtual void Form_FilesDropped(const std::vector<std::string>& /*paths*/) {}

 private:
  bool loaded_ = false;
  bool rawMouse_ = false;
};

}  // namespace ui
