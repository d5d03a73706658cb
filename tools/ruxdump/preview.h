#pragma once
// Trying out a story's texts and routines outside a game: the freshly
// loaded world with the current room 1, output through the real formatter
// and output buffer, every line written to a stream in UTF-8.

#include "engine/world/world.h"

#include <cstdint>
#include <iosfwd>
#include <istream>

namespace ruxdump {

struct PreviewOptions {
    int width = 80; // wrap width in characters
};

// Prints variant `variant` of the mark, or every variant when it is 0.
// Returns false when the mark does not exist (the engine's error text is
// printed all the same).
bool previewText(rux::World world, uint8_t mark, uint8_t variant, const PreviewOptions& options,
                 std::ostream& out);

// Runs routine `routine` and prints what it outputs. Key questions read the
// next line of `in` (its first character is the key; end of input answers
// Escape); file choices read a file name from the next line (empty cancels).
// Returns false when the story has no such routine.
bool previewRoutine(rux::World world, uint8_t routine, const PreviewOptions& options,
                    std::istream& in, std::ostream& out);

} // namespace ruxdump
