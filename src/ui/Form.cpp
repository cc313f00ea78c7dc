#include "ui/Form.h"

#include "platform/WinConstants.h"

namespace ui {

bool IsKeyRelease(std::uint32_t message) { return message == wincode::WmKeyUp || message == wincode::WmSysKeyUp; }

void Form::AddControls(std::initializer_list<ControlRow> rows, std::int32_t twipsPerUnit) {
  for (const ControlRow& row : rows) {
    Control& control = *row.control;
    control.Name = row.name;
    control.Index = row.index;
    control.Container = row.container;
    control.Left = row.left * twipsPerUnit, control.Top = row.top * twipsPerUnit;
    control.Width = row.width * twipsPerUnit, control.Height = row.height * twipsPerUnit;
    control.SetCaption(row.caption);
    Controls.push_back(&control);
  }
}

void Form::Show() { Host().Show(*this); }
void Form::ShowModal() { Host().ShowModal(*this); }
void Form::PopupMenu(MenuItem& menu) { Host().PopupMenu(*this, menu); }
void Form::BringToFront() { Host().BringToFront(*this); }

void Form::RaiseLoad() {
  loaded_ = true;
  Form_Load();
}

void Form::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  Form_Unload();
  Host().Destroy(*this);
}

void Form::RaiseKeyUp(int keyCode, int shift) {
  if (loaded_) Form_KeyUp(keyCode, shift);
}

}  // namespace ui
