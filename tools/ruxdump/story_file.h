#pragma once
// Reading a story file for the dump and reporting why it could not be read.

#include "engine/fatal_error.h"
#include "engine/world/world.h"

#include <ostream>
#include <string>

namespace ruxdump {

// Reads and parses the story file at `path` (a UTF-8 path). Throws
// rux::FatalError with the player's message when the file is missing or bad.
rux::World readStoryFile(const std::string& path);

// Prints the loader's report as the player would see it: the two lines of a
// text-part error on `out`, a message-box text on `err` after "ruxdump: ".
void reportLoadFailure(const rux::FatalError& error, std::ostream& out, std::ostream& err);

} // namespace ruxdump
