#pragma once
// The keys of one axis of movement, shared by the classic and the precise tick.

#include <cstdint>

#include "engine/EngineTimers.h"

struct MoveMap;

// A threshold below 1 (never written by the editor) would make a resting mouse
// count as movement and hold the right and down keys; it counts as 1.
std::int32_t EffectiveThreshold(const MoveMap& move);
// The held key is pressed (again, on every tick it stays held) first, then the
// other one or both are released.
void DriveAxisKeys(AxisKey held, const MoveMap& negative, const MoveMap& positive);
// Only a key this program holds: a key-up for any other would let go of one the
// player holds on the keyboard, and cost injected events every tick at rest.
void ReleaseIfHeld(std::int32_t virtualKey, bool extended);
