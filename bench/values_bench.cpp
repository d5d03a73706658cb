// Operand access on the interpreter's hot path, and the visibility and
// darkness questions that the turn driver asks for every object.

#include "engine/engine.h"
#include "engine/script/object_tree.h"
#include "engine/script/values.h"
#include "engine/world/loader.h"
#include "storykit/story_writer.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using rux::storykit::Story;
using rux::storykit::StoryObject;

// 200 portable objects in pairs (every odd one inside the one before) and
// 50 fixed objects, all in room 1; the lamp, object 249, is the only light.
Story crowdedStory() {
    Story s;
    for (int i = 1; i <= 250; ++i) {
        StoryObject o;
        o.name = "Ding";
        o.holder = i % 2 == 0 && i <= 200 ? static_cast<uint8_t>(i - 1) : 1;
        o.relation = i % 2 == 0 && i <= 200 ? 2 : 0;
        o.properties = {{1, 5}, {2, 6}, {3, 7}};
        s.addObject(o, i <= 200 ? Story::ObjectKind::Portable : Story::ObjectKind::Fixed);
    }
    rux::storykit::StoryRoom room;
    room.name = "Halle";
    s.addRoom(room);
    s.objectFlags.assign(7, {});
    s.objectFlags[6] = {249}; // flag 7: light source
    s.roomFlags = {{1}};      // room flag 1: dark
    s.byteVariables.assign(40, 3);
    s.byteArrays = {{16, 1, 1}};
    return s;
}

struct Loaded {
    rux::SilentHost host;
    std::unique_ptr<rux::Engine> engine = std::make_unique<rux::Engine>(host);
    Loaded() {
        const auto bytes = rux::storykit::writeStory(crowdedStory());
        rux::loadStoryBytes(*engine, bytes, "bench.vux");
        engine->world.scene.currentRoom = 1;
        engine->world.selectRoomRecord();
        engine->world.command.object1 = 3;
    }
};

void readOperand(benchmark::State& state, uint8_t type, uint8_t index) {
    Loaded loaded;
    for (auto _ : state)
        benchmark::DoNotOptimize(rux::readValue(*loaded.engine, type, index));
}
BENCHMARK_CAPTURE(readOperand, constant, 8, 5);
BENCHMARK_CAPTURE(readOperand, byteVariable, 3, 30);
BENCHMARK_CAPTURE(readOperand, local, 3, 255);
BENCHMARK_CAPTURE(readOperand, objectVariable, 7, 1);
BENCHMARK_CAPTURE(readOperand, stateOfObjectVariable, 22, 1);
BENCHMARK_CAPTURE(readOperand, property, 66, 3);
BENCHMARK_CAPTURE(readOperand, arrayElement, 128, 7);

void assignByteVariable(benchmark::State& state) {
    Loaded loaded;
    int32_t value = 0;
    for (auto _ : state)
        rux::assignValue(*loaded.engine, 3, 30, ++value);
    benchmark::DoNotOptimize(loaded.engine->world.byteVariables[30]);
}
BENCHMARK(assignByteVariable);

// An item inside another item loose in the lit room: one darkness test.
void visibleNestedItem(benchmark::State& state) {
    Loaded loaded;
    for (auto _ : state)
        benchmark::DoNotOptimize(rux::isVisible(*loaded.engine, 200));
}
BENCHMARK(visibleNestedItem);

// The dark room with its only light as the last of 250 objects.
void darknessTest(benchmark::State& state) {
    Loaded loaded;
    for (auto _ : state)
        benchmark::DoNotOptimize(rux::isDark(*loaded.engine));
}
BENCHMARK(darknessTest);

} // namespace
