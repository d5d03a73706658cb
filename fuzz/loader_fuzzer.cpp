// Any bytes as a story file: loading either succeeds or ends in a
// FatalError with a message, and never reads or writes out of bounds.
//
// One engine loads story after story, as the player does when another
// story is opened; a load replaces the whole world and runs nothing. The
// world the bytes are parsed into is reused too, so that its large areas
// are not allocated for every input.

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/world/loader.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static rux::SilentHost host;
    static rux::Engine engine(host);
    static rux::World parsed;
    try {
        rux::parseStoryInto(parsed, std::span<const uint8_t>(data, size), "fuzz.vux");
        rux::installWorld(engine, parsed);
    } catch (const rux::FatalError&) {
        // A damaged story is refused with a message: the expected outcome.
    }
    return 0;
}
