#include "engine/KeyMouse.h"

#include "platform/Platform.h"
#include "platform/WinConstants.h"

using platform::Os;

namespace {

// A delay of 0 means no pause at all: not even the yield that Sleep(0) makes,
// which would be paid inside the hook for every key.
void Pause(std::int32_t milliseconds) {
  if (milliseconds > 0) Os().process.Sleep(static_cast<std::uint32_t>(milliseconds));
}

}  // namespace

void clsKeyMouse::SendKey(std::int32_t vkCode, std::uint32_t flags) {
  const auto scan = Os().input.MapVirtualKeyCode(static_cast<std::uint32_t>(vkCode), wincode::MapVkToVsc);
  Os().input.KeybdEvent(static_cast<std::uint8_t>(vkCode), static_cast<std::uint8_t>(scan), flags, 0);
}

void clsKeyMouse::KeyDown(std::int32_t vkCode, bool isExtendedKey) {
  if (vkCode < 1) return;
  SendKey(vkCode, isExtendedKey ? wincode::KeyEventExtendedKey : 0);
  held_[vkCode] = isExtendedKey;
  Pause(keyDelayMs_);
}

void clsKeyMouse::KeyUp(std::int32_t vkCode, bool isExtendedKey) {
  if (vkCode < 1) return;
  SendKey(vkCode, wincode::KeyEventKeyUp | (isExtendedKey ? wincode::KeyEventExtendedKey : 0));
  held_.erase(vkCode);
  Pause(keyDelayMs_);
}

void clsKeyMouse::ReleaseHeldKeys() {
  const auto held = std::move(held_);
  held_.clear();
  for (const auto& [vkCode, extended] : held) KeyUp(vkCode, extended);
}

void clsKeyMouse::MouseMove(std::int32_t sx, std::int32_t sy) {
  const auto screen = Os().screen.PrimaryScreen();
  // mouse_event's absolute range is 0 to 65535 across the primary screen.
  const auto dx = RoundHalfEven(std::int64_t{sx} * 65535, screen.widthTwips);
  const auto dy = RoundHalfEven(std::int64_t{sy} * 65535, screen.heightTwips);
  Os().input.MouseEvent(wincode::MouseEventMove | wincode::MouseEventAbsolute, static_cast<std::int32_t>(dx),
                        static_cast<std::int32_t>(dy), 0, Os().input.GetMessageExtraInfo());
}

clsKeyMouse& KeyMouse() {
  static clsKeyMouse instance;
  return instance;
}

std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
  // A screen of no size has no point to aim at; 0 instead of a division by zero.
  if (denominator <= 0) return 0;
  const bool negative = numerator < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(numerator) : static_cast<std::uint64_t>(numerator);
  const auto den = static_cast<std::uint64_t>(denominator);
  std::uint64_t quotient = magnitude / den;
  const std::uint64_t twiceRemainder = (magnitude % den) * 2;
  if (twiceRemainder > den || (twiceRemainder == den && (quotient & 1) != 0)) ++quotient;
  return negative ? -static_cast<std::int64_t>(quotient) : static_cast<std::int64_t>(quotient);
}
