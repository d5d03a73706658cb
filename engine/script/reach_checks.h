#pragma once
// The checks a resolved object must pass before an action runs: can the
// player touch it, and does the player carry it. A failed check leaves its
// message code in byte variable 14 for the story's system messages.

#include "engine/script/cell_names.h"

#include <cstdint>

namespace rux {

class Engine;

// Message codes of failed checks.
namespace reachError {
inline constexpr uint8_t notVisible = 30;
inline constexpr uint8_t fixedInPlace = 31; // reach class 3
inline constexpr uint8_t outOfReach = 32;   // reach class 2, 4 or 5
inline constexpr uint8_t notCarried = 33;
inline constexpr uint8_t heldByHolder = 38; // reach class 1; relatedObject names the holder
inline constexpr uint8_t outOfReachFromVehicle = 39;
} // namespace reachError

// Object 0 passes. A visible object passes when nothing keeps the player
// from touching it; otherwise the reason goes to byte variable 14.
bool canTouch(Engine& engine, uint8_t object);

// Object 0 passes, and so does an ordinary object (below 251) that the
// player carries; anything else fails with code 33.
bool isCarried(Engine& engine, uint8_t object);

} // namespace rux
