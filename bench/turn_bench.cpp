// One complete turn from the typed line to the prompt: "nimm alles" in a
// room with 30 things, in a world of 250 objects that all have scripts.

#include "engine/engine.h"
#include "engine/parser/command_completion.h"
#include "engine/script/turn_driver.h"
#include "engine/world/engine_start.h"
#include "engine/world/loader.h"
#include "storykit/assembler.h"
#include "storykit/story_writer.h"

#include <benchmark/benchmark.h>

namespace {

using namespace rux;
using namespace rux::storykit;

constexpr int portables = 200;
constexpr int fixedObjects = 50;
constexpr int thingsInRoom = 30;

// A script that looks at a condition and does nothing visible, as most
// reactions of a real story do for actions they are not about.
Code idleScript(int variable) {
    Assembler a;
    a.if_(cond(eq(byteVar(variable), num(99)))).print(1, 1).end();
    return a.finish();
}

Story turnStory() {
    Story s;
    s.directionCount = 1;
    std::vector<std::string> messages(230, "Genommen.");
    s.setText(0, messages);
    s.setText(1, {"Nichts."});
    StoryRoom room;
    room.name = "Lager";
    room.exits = {1};
    s.addRoom(room);
    StoryRoom other;
    other.name = "Flur";
    other.exits = {1};
    s.addRoom(other);
    for (int i = 0; i < portables + fixedObjects; ++i) {
        StoryObject o;
        o.name = "Ding";
        o.gender = 3;
        o.nouns = {{"ding", 0}};
        o.weight = 1;
        o.volume = 1;
        o.holder = i < thingsInRoom ? 1 : 2;
        for (Code& script : o.scripts)
            script = idleScript(40 + i % 8);
        s.addObject(o, i < portables ? Story::ObjectKind::Portable : Story::ObjectKind::Fixed);
    }
    s.verbs = {"nimm"};
    for (int a = 1; a <= 54; ++a) {
        StoryAction action;
        if (a == 2) {
            action.name = "nehmen";
            action.requiredMask = 1;
            action.excludedMask = 62;
            action.slotSource = {1, 0, 0};
            // present and reachable (0), lists (8) and "alles" (16)
            action.slotKind = {24, 0, 0};
            action.verbPatterns = {{1, 0}};
        }
        s.addAction(action);
    }
    s.byteVariables.assign(40, 0);
    return s;
}

void BM_TakeAllTurn(benchmark::State& state) {
    const std::vector<uint8_t> bytes = writeStory(turnStory());
    SilentHost host;
    Engine engine(host);
    engine.output.pagingEnabled = false;
    loadStoryBytes(engine, bytes, "turn.vux");
    startGame(engine);
    for (auto _ : state) {
        state.PauseTiming();
        for (int o = 1; o <= thingsInRoom; ++o) {
            engine.world.objects[o].holder = 1;
            engine.world.objects[o].relation = 0;
        }
        engine.world.byteVariables[4] = 200; // most things the player may carry
        engine.world.byteVariables[5] = 255; // most weight the player may lift
        engine.world.byteVariables[6] = 255; // largest volume
        updateCarryingTotals(engine);
        state.ResumeTiming();
        processCommandLine(engine, "nimm alles");
    }
    // A turn that refused the command would measure nothing worth knowing.
    // "alles" gathers as many things as an object list holds (16).
    int taken = 0;
    for (int o = 1; o <= thingsInRoom; ++o)
        taken += engine.world.objects[o].holder == 0 ? 1 : 0;
    if (taken != 16) state.SkipWithError("\"nimm alles\" did not take a full list of things");
}
BENCHMARK(BM_TakeAllTurn)->Unit(benchmark::kMicrosecond);

} // namespace
