#include "engine/MouseEvent.h"

#include "platform/WinConstants.h"
#include "settings/Settings.h"

namespace {

// The messages the hook acts on and what each one means; any other is Other.
struct MessageMeaning {
  std::uint32_t message;
  MouseAction action;
  int button;
};

constexpr MessageMeaning kMeanings[] = {
    {wincode::WmMouseMove, MouseAction::Move, 0},
    {wincode::WmLButtonDown, MouseAction::ButtonDown, LeftButton},
    {wincode::WmLButtonUp, MouseAction::ButtonUp, LeftButton},
    {wincode::WmRButtonDown, MouseAction::ButtonDown, RightButton},
    {wincode::WmRButtonUp, MouseAction::ButtonUp, RightButton},
    {wincode::WmMButtonDown, MouseAction::ButtonDown, MiddleButton},
    {wincode::WmMButtonUp, MouseAction::ButtonUp, MiddleButton},
    {wincode::WmMouseWheel, MouseAction::Wheel, 0},
};

}  // namespace

MouseHookEvent NormalizeMouseMessage(std::uintptr_t message, const platform::MouseHookRecord& record) {
  MouseHookEvent event;
  if (record.extraInfo == OwnInputSignature) {
    event.action = MouseAction::Own;
    return event;
  }
  for (const MessageMeaning& meaning : kMeanings) {
    if (meaning.message != message) continue;
    event.action = meaning.action;
    event.button = meaning.button;
    if (event.action == MouseAction::Move) event.position = {record.x, record.y};
    // The wheel delta is the signed high word; zero counts as backward.
    if (event.action == MouseAction::Wheel) event.wheelDirection = static_cast<std::int32_t>(record.mouseData) > 0 ? 0 : 1;
    break;
  }
  return event;
}
