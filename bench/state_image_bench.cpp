// The work undo adds to every turn: the end-of-turn image and one undo
// save, for a story that fills every table the image covers.

#include "engine/engine.h"
#include "engine/session/state_image.h"
#include "engine/session/undo.h"
#include "engine/world/loader.h"
#include "storykit/story_writer.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using rux::storykit::Story;
using rux::storykit::StoryObject;

Story fullStory() {
    Story s;
    for (int i = 1; i <= rux::lastStoryObject; ++i) {
        StoryObject o;
        o.name = "Ding";
        o.holder = 1;
        for (uint8_t p = 1; p <= rux::maxObjectProperties; ++p)
            o.properties.push_back({p, p});
        s.addObject(o);
    }
    for (int r = 1; r <= 255; ++r) {
        rux::storykit::StoryRoom room;
        room.name = "Raum";
        s.addRoom(room);
    }
    s.scoreSlotCount = 255;
    s.byteVariables.assign(rux::maxByteVariables, 1);
    s.longVariables.assign(rux::maxLongVariables, 100000);
    s.objectVariables.assign(rux::maxObjectVariables, 1);
    s.roomVariables.assign(rux::maxRoomVariables, 1);
    s.enumVariables.assign(rux::maxEnumVariables, 1);
    s.smallVariables.assign(rux::maxSmallVariables, 1);
    s.actionVariables.assign(rux::maxActionVariables, 1);
    s.objectFlags.assign(rux::maxObjectFlags, {1, 100, 250});
    s.roomFlags.assign(rux::maxRoomFlags, {2, 200});
    // 32 arrays of 1792 bytes, each keeping its first 256 in the image.
    s.byteArrays.assign(rux::maxByteArrays, {0, 7, 1});
    s.messageVariables.assign(rux::maxMessageVariables, {1, 1});
    return s;
}

void endOfTurnImageAndUndoSave(benchmark::State& state) {
    rux::SilentHost host;
    auto engine = std::make_unique<rux::Engine>(host);
    rux::loadStoryBytes(*engine, rux::storykit::writeStory(fullStory()), "bench.vux");
    engine->world.scene.currentRoom = 1;
    engine->world.selectRoomRecord();
    rux::takeInitialImage(*engine);
    for (auto _ : state) {
        rux::takeEndOfTurnImage(*engine);
        rux::saveUndo(*engine);
        benchmark::DoNotOptimize(engine->saves.undoImages[engine->saves.undoNewest].data());
    }
    state.counters["imageBytes"] = static_cast<double>(engine->saves.usedSize);
    state.counters["savedBytes"] = static_cast<double>(engine->saves.stateSize);
}
BENCHMARK(endOfTurnImageAndUndoSave);

} // namespace
