#pragma once
// A low-level mouse hook message turned into the little the engine acts on.

#include <cstdint>

#include "platform/Platform.h"

// The extra information of every event this program injects: its own moves
// (parking the pointer) pass its hook unmapped, and none is taken for the player's.
inline constexpr std::uintptr_t OwnInputSignature = 0x54766E65;

// Own: an event this program injected itself.
enum class MouseAction { Move, ButtonDown, ButtonUp, Wheel, Own, Other };

struct MouseHookEvent {
  MouseAction action = MouseAction::Other;
  int button = 0;          // ButtonDown/ButtonUp: 0 left, 1 right, 2 middle
  int wheelDirection = 0;  // Wheel: 0 forward, 1 backward
  platform::Point position;  // Move: where the pointer goes, in physical pixels
};

MouseHookEvent NormalizeMouseMessage(std::uintptr_t message, const platform::MouseHookRecord& record);
