#include "engine/KeyMouse.h"

#include <algorithm>
#include <cstdlib>
#include <exception>

#include "engine/MouseEvent.h"
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

void clsKeyMouse::InitKeyMouse(std::uint8_t KeyDelayMs, std::uint8_t KeyPressDelayMs,
                               std::uint8_t MouseDelayMs) {
  keyDelayMs_ = KeyDelayMs;
  keyPressDelayMs_ = KeyPressDelayMs;
  mouseDelayMs_ = MouseDelayMs;
}

void clsKeyMouse::SendKey(std::int32_t vkCode, std::uint32_t flags) {
  const auto scan = Os().input.MapVirtualKeyCode(static_cast<std::uint32_t>(vkCode), wincode::MapVkToVsc);
  Os().input.KeybdEvent(static_cast<std::uint8_t>(vkCode), static_cast<std::uint8_t>(scan), flags, OwnInputSignature);
}

void clsKeyMouse::KeyDown(std::int32_t vkCode, bool isExtendedKey) {
  if (vkCode < 1) return;
  SendKey(vkCode, isExtendedKey ? wincode::KeyEventExtendedKey : 0);
  const std::pair<std::int32_t, bool> key{vkCode, isExtendedKey};
  if (const auto at = std::lower_bound(held_.begin(), held_.end(), key); at == held_.end() || *at != key) {
    held_.insert(at, key);
  }
  Pause(keyDelayMs_);
}

void clsKeyMouse::KeyUp(std::int32_t vkCode, bool isExtendedKey) {
  if (vkCode < 1) return;
  SendKey(vkCode, wincode::KeyEventKeyUp | (isExtendedKey ? wincode::KeyEventExtendedKey : 0));
  const std::pair<std::int32_t, bool> key{vkCode, isExtendedKey};
  if (const auto at = std::lower_bound(held_.begin(), held_.end(), key); at != held_.end() && *at == key) {
    held_.erase(at);
  }
  Pause(keyDelayMs_);
}

void clsKeyMouse::ReleaseHeldKeys() {
  taps_.clear();
  const auto held = std::move(held_);
  held_.clear();
  for (const auto& [vkCode, extended] : held) KeyUp(vkCode, extended);
}

void clsKeyMouse::KeyPress(std::int32_t vkCode) {
  SendKey(vkCode, 0);
  Pause(keyPressDelayMs_);
  SendKey(vkCode, wincode::KeyEventKeyUp);
}

void clsKeyMouse::KeyTap(std::int32_t vkCode, bool isExtendedKey, std::uint32_t holdMs) {
  if (vkCode < 1) return;
  const auto tapped = std::find_if(taps_.begin(), taps_.end(), [&](const Tap& tap) {
    return tap.vkCode == vkCode && tap.extended == isExtendedKey;
  });
  if (tapped != taps_.end()) {
    taps_.erase(tapped);
    KeyUp(vkCode, isExtendedKey);
  }
  KeyDown(vkCode, isExtendedKey);
  taps_.push_back({vkCode, isExtendedKey, Os().process.NowMs() + holdMs});
}

// The clock counts whole milliseconds: only strictly after the hold's last
// millisecond has the whole hold surely passed.
void clsKeyMouse::ReleaseDueKeys() {
  if (taps_.empty()) return;
  const std::uint64_t now = Os().process.NowMs();
  for (auto tap = taps_.begin(); tap != taps_.end();) {
    if (now <= tap->releaseAfterMs) {
      ++tap;
      continue;
    }
    // A key released meanwhile (a stop-repeat turn) gets no second key-up.
    if (Holds(tap->vkCode, tap->extended)) KeyUp(tap->vkCode, tap->extended);
    tap = taps_.erase(tap);
  }
}

void clsKeyMouse::SendButton(std::uint32_t flag) {
  Os().input.MouseEvent(flag, 0, 0, 0, OwnInputSignature);
  Pause(mouseDelayMs_);
}

void clsKeyMouse::MouseLeftDown() { SendButton(wincode::MouseEventLeftDown); }
void clsKeyMouse::MouseLeftUp() { SendButton(wincode::MouseEventLeftUp); }
void clsKeyMouse::MouseRightDown() { SendButton(wincode::MouseEventRightDown); }
void clsKeyMouse::MouseRightUp() { SendButton(wincode::MouseEventRightUp); }
void clsKeyMouse::MouseMidDown() { SendButton(wincode::MouseEventMiddleDown); }
void clsKeyMouse::MouseMidUp() { SendButton(wincode::MouseEventMiddleUp); }

void clsKeyMouse::MouseClick() {
  MouseLeftDown();
  MouseLeftUp();
}

void clsKeyMouse::MouseDblClick() {
  MouseClick();
  MouseClick();
}

void clsKeyMouse::MouseMove(std::int32_t sx, std::int32_t sy, bool isAbsolute, bool forScreen) {
  const auto screen = Os().screen.PrimaryScreen();
  const std::int64_t scaleX = forScreen ? 1 : screen.twipsPerPixelX;
  const std::int64_t scaleY = forScreen ? 1 : screen.twipsPerPixelY;
  // mouse_event's absolute range is 0 to 65535 across the primary screen.
  const auto dx = RoundHalfEven(std::int64_t{sx} * scaleX * 65535, screen.widthTwips);
  const auto dy = RoundHalfEven(std::int64_t{sy} * scaleY * 65535, screen.heightTwips);
  const std::uint32_t flags =
      wincode::MouseEventMove | (isAbsolute ? wincode::MouseEventAbsolute : 0);
  Os().input.MouseEvent(flags, static_cast<std::int32_t>(dx), static_cast<std::int32_t>(dy), 0, OwnInputSignature);
}

clsKeyMouse& KeyMouse() {
  static clsKeyMouse instance;
  return instance;
}

namespace {

std::terminate_handler terminateBefore = nullptr;

[[noreturn]] void ReleaseKeysAndTerminate() {
  KeyMouse().ReleaseHeldKeys();
  if (terminateBefore != nullptr) terminateBefore();
  std::abort();
}

}  // namespace

void ReleaseHeldKeysOnTerminate() {
  const std::terminate_handler before = std::set_terminate(&ReleaseKeysAndTerminate);
  if (before != &ReleaseKeysAndTerminate) terminateBefore = before;
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
