#pragma once
// clsKeyMouse: the one place that produces input for other programs. Every key the
// engine sends, and the pointer moves that park and restore the pointer, go
// through the shared instance KeyMouse().

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

class clsKeyMouse {
 public:
  // The pauses some games need between injected events, in milliseconds.
  void InitKeyMouse(std::uint8_t KeyDelayMs, std::uint8_t KeyPressDelayMs, std::uint8_t MouseDelayMs);

  // Codes below 1 mean "no key" and send nothing.
  void KeyDown(std::int32_t vkCode, bool isExtendedKey);
  void KeyUp(std::int32_t vkCode, bool isExtendedKey);
  void KeyPress(std::int32_t vkCode);
  // Presses the key now and leaves its release to ReleaseDueKeys, at least
  // holdMs later, so that the caller never waits: input sent from inside the
  // mouse hook reaches the game only once the hook returns. Tapped again while
  // still down, the key is released and pressed again: every tap is one press.
  void KeyTap(std::int32_t vkCode, bool isExtendedKey, std::uint32_t holdMs);
  // Releases the tapped keys whose hold is over; a tick that runs anyway calls it.
  void ReleaseDueKeys();

  void MouseClick();
  void MouseDblClick();
  // (sx, sy) in twips of the primary screen when forScreen, else in its pixels.
  void MouseMove(std::int32_t sx, std::int32_t sy, bool isAbsolute, bool forScreen);

  // Sends the key-up of every key KeyDown pressed that no KeyUp has released
  // since, with the flags it was pressed with, for when the releases the
  // engine would send may never come.
  void ReleaseHeldKeys();
  // Whether this program holds the key: pressed by KeyDown, not released since.
  bool Holds(std::int32_t vkCode, bool isExtendedKey) const {
    return std::binary_search(held_.begin(), held_.end(), std::make_pair(vkCode, isExtendedKey));
  }

  void MouseLeftDown();
  void MouseLeftUp();
  void MouseRightDown();
  void MouseRightUp();
  void MouseMidDown();
  void MouseMidUp();

 private:
  void SendKey(std::int32_t vkCode, std::uint32_t flags);
  void SendButton(std::uint32_t flag);

  // Virtual key and extended flag: Enter and keypad Enter, or an arrow and the
  // keypad's arrow, share a virtual key but are different keys. Sorted; a few
  // keys at most, so a vector, which the ticks' presses and releases never
  // make allocate once it has grown.
  std::vector<std::pair<std::int32_t, bool>> held_;
  struct Tap {
    std::int32_t vkCode;
    bool extended;
    std::uint64_t releaseAfterMs;
  };
  std::vector<Tap> taps_;  // tapped keys still down
  std::int32_t keyDelayMs_ = 0;
  std::int32_t keyPressDelayMs_ = 0;
  std::int32_t mouseDelayMs_ = 0;
};

// The process's one synthesizer, created on first use.
clsKeyMouse& KeyMouse();

// From now on a C++ termination (an uncaught exception, a broken noexcept)
// lets go of the held keys before it goes on as it would have: the game must
// not be left with a key down.
void ReleaseHeldKeysOnTerminate();

// numerator / denominator rounded to the nearest integer, a half to the even
// neighbour; 0 when the denominator is not positive.
std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator);
