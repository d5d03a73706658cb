#pragma once
// The readable listing of a loaded story that ruxdump prints: every table of
// the world model under its own heading, in UTF-8, empty things left out.

#include "engine/world/world.h"

#include <ostream>

namespace ruxdump {

void dumpStory(const rux::World& world, std::ostream& out);

} // namespace ruxdump
