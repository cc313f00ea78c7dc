#pragma once
// A low-level mouse hook message turned into the little the engine acts on.

#include <cstdint>

#include "platform/Platform.h"

enum class MouseAction { Move, ButtonDown, ButtonUp, Wheel, Other };

struct MouseHookEvent {
  MouseAction action = MouseAction::Other;
  int button = 0;          // ButtonDown/ButtonUp: 0 left, 1 right, 2 middle
  int wheelDirection = 0;  // Wheel: 0 forward, 1 backward
  platform::Point position;  // Move: where the pointer goes, in physical pixels
};

MouseHookEvent NormalizeMouseMessage(std::uintptr_t message, const platform::MouseHookRecord& record);
