// Any bytes as the code of routine 1 of the example story: running it ends
// (the budget of jumps and calls ends endless loops), and never reads or
// writes out of bounds. Routine 2 is the same code again, so that calls and
// their returns are reached as well.

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/script/interpreter.h"
#include "engine/world/loader.h"
#include "storykit/example_story.h"
#include "storykit/story_writer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // Longer code only repeats what shorter code reaches.
    if (size > 4096) return 0;
    static const rux::storykit::Story frame = rux::storykit::exampleStory();
    rux::storykit::Story story = frame;
    const rux::storykit::Code code(data, data + size);
    if (story.routines.size() < 2) story.routines.resize(2);
    story.routines[0] = code;
    story.routines[1] = code;
    rux::SilentHost host;
    auto engine = std::make_unique<rux::Engine>(host);
    try {
        rux::loadStoryBytes(*engine, rux::storykit::writeStory(story), "fuzz.vux");
        engine->machine.jumpLimit = 20'000;
        rux::runRoutine(*engine, 1);
    } catch (const rux::FatalError&) {
        // Too deep a nesting of calls ends the game with a message.
    }
    return 0;
}
