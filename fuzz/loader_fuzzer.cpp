// Any bytes as a story file: loading either succeeds or ends in a
// FatalError with a message, and never reads or writes out of bounds.

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/world/loader.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    rux::SilentHost host;
    auto engine = std::make_unique<rux::Engine>(host);
    try {
        rux::loadStoryBytes(*engine, std::span<const uint8_t>(data, size), "fuzz.vux");
    } catch (const rux::FatalError&) {
        // A damaged story is refused with a message: the expected outcome.
    }
    return 0;
}
