#include "engine/MouseEvent.h"

#include "platform/WinConstants.h"

MouseHookEvent NormalizeMouseMessage(std::uintptr_t message, const platform::MouseHookRecord& record) {
  MouseHookEvent event;
  switch (message) {
    case wincode::WmMouseMove:
      event.action = MouseAction::Move;
      event.position = {record.x, record.y};
      break;
    case wincode::WmLButtonDown:
    case wincode::WmRButtonDown:
    case wincode::WmMButtonDown:
      event.action = MouseAction::ButtonDown;
      event.button = static_cast<int>((message - 510) / 3 - 1);
      break;
    case wincode::WmLButtonUp:
    case wincode::WmRButtonUp:
    case wincode::WmMButtonUp:
      event.action = MouseAction::ButtonUp;
      event.button = static_cast<int>((message - 511) / 3 - 1);
      break;
    case wincode::WmMouseWheel:
      event.action = MouseAction::Wheel;
      // The wheel delta is the signed high word; zero counts as backward.
      event.wheelDirection = static_cast<std::int32_t>(record.mouseData) > 0 ? 0 : 1;
      break;
    default:
      break;
  }
  return event;
}
