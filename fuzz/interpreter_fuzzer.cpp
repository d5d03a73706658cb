// Any bytes as the code of routine 1 of the example story: running it ends
// (the budget of jumps and calls ends endless loops), and never reads or
// writes out of bounds. Routine 2 is the same code again, so that calls and
// their returns are reached as well.
//
// The story is parsed once, with room for the longest code in both
// routines; each input copies that world, puts its code in place and runs
// it on a fresh engine.

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/script/interpreter.h"
#include "engine/world/loader.h"
#include "fuzz/fresh_engine.h"
#include "storykit/example_story.h"
#include "storykit/story_writer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace {

// Longer code only repeats what shorter code reaches.
constexpr std::size_t maxCodeSize = 4096;

rux::World frameWorld() {
    rux::storykit::Story story = rux::storykit::exampleStory();
    if (story.routines.size() < 2) story.routines.resize(2);
    story.routines[0] = rux::storykit::Code(maxCodeSize, 0);
    story.routines[1] = rux::storykit::Code(maxCodeSize, 0);
    return rux::parseStory(rux::storykit::writeStory(story), "fuzz.vux");
}

// Routine `id`'s block, pointing at the room reserved for it.
rux::CodeBlock& routineBlock(rux::World& world, uint8_t id) {
    for (rux::NumberedCode& routine : world.routines)
        if (routine.id == id) return routine.script;
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size > maxCodeSize) return 0;
    static const rux::World frame = frameWorld();
    static rux::World world; // reused, so that its large areas are not allocated again
    world = frame;
    for (const uint8_t id : {1, 2}) {
        rux::CodeBlock& block = routineBlock(world, id);
        std::copy_n(data, size, world.codeArea.begin() + std::size_t{block.start} * 4);
        block.length = static_cast<uint16_t>(size);
    }
    rux::SilentHost host;
    auto engine = rux::fuzz::freshEngine(host);
    try {
        rux::installWorld(*engine, world);
        engine->machine.jumpLimit = 20'000;
        rux::runRoutine(*engine, 1);
    } catch (const rux::FatalError&) {
        // Too deep a nesting of calls ends the game with a message.
    }
    rux::fuzz::recycle(std::move(engine));
    return 0;
}
