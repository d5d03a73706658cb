#pragma once
// The description of the room (or of the closed container the player is
// shut in) with the objects and persons that are there.

#include <cstdint>
#include <string>

namespace rux {

class Engine;

// The heading's place: the room's name, or "In" and the closed container.
std::string roomTitle(const Engine& engine);

// " (in/auf the vehicle)" when the player is on something other than the
// enclosing container; empty otherwise.
std::string vehicleSuffix(const Engine& engine);

// Describes the current room: heading, the room's text (brief or full by the
// display settings), the objects with texts of their own, the plain list of
// the others and their contents, the vehicle and the persons present.
// `holder` is the holder whose loose objects are listed.
void describeRoom(Engine& engine, uint8_t holder);

}  // namespace rux
