// Loading a story filled to capacity: 250 objects with names and nouns, a
// full code area and about 256 KiB of texts.

#include <benchmark/benchmark.h>

#include "engine/world/loader.h"
#include "storykit/story_writer.h"

namespace {

using rux::storykit::Story;
using rux::storykit::StoryObject;

Story fullStory() {
    Story s;
    s.title = "Voll";
    s.directionCount = 16;
    for (int i = 0; i < 250; ++i) {
        StoryObject o;
        o.name = "Gegenstand Nummer " + std::to_string(i);
        o.pluralName = "Gegenstaende";
        o.nouns = {{"Ding" + std::to_string(i), 0}, {"Sache", 1}};
        o.adjectives = {"klein", "rot"};
        o.scripts[0] = rux::storykit::Code(64, 255);
        s.addObject(o, i < 200 ? Story::ObjectKind::Portable : Story::ObjectKind::Fixed);
    }
    for (int r = 0; r < 100; ++r) {
        rux::storykit::StoryRoom room;
        room.name = "Raum " + std::to_string(r);
        room.exits.assign(16, static_cast<uint8_t>(r % 100 + 1));
        s.addRoom(room);
    }
    // Fill the rest of the 64 KiB code area with routines.
    const int used = 250 * 64;
    for (int i = 0; i < 49; ++i) s.addRoutine(rux::storykit::Code((65536 - used) / 49 - 4, 255));
    for (int mark = 0; mark < 256; ++mark) {
        std::vector<std::string> variants(4, std::string(250, 'x'));
        s.setText(mark, variants);
    }
    return s;
}

void BM_LoadFullStory(benchmark::State& state) {
    const std::vector<uint8_t> bytes = rux::storykit::writeStory(fullStory());
    for (auto _ : state) {
        rux::World world = rux::parseStory(bytes, "voll.vux");
        benchmark::DoNotOptimize(world);
    }
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_LoadFullStory)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
