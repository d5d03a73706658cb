// Parsing one typed command in a large world: ten words with an object list
// whose last entry asks which of two books is meant.

#include "engine/engine.h"
#include "engine/parser/command_completion.h"
#include "engine/parser/tokenizer.h"
#include "engine/world/loader.h"
#include "storykit/story_writer.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

using rux::storykit::Story;
using rux::storykit::StoryAction;
using rux::storykit::StoryObject;

StoryObject thing(std::string name, uint8_t gender, std::string noun, std::string adjective) {
    StoryObject o;
    o.name = std::move(name);
    o.gender = gender;
    o.holder = 1;
    o.weight = 1;
    o.nouns = {{std::move(noun), gender}};
    o.adjectives = {std::move(adjective)};
    return o;
}

// 250 objects in one room: the ball, lamp and two books the command names
// and 246 others with nouns and adjectives of their own; 100 actions on 40
// verbs, the last of them the taking one.
Story largeStory() {
    Story s;
    for (int v = 0; v < 40; ++v)
        s.verbs.push_back("verb" + std::to_string(v));
    s.verbs.push_back("nimm");
    s.prepositions = {"in", "auf", "unter", "mit"};
    s.setText(0, std::vector<std::string>(60, "/@"));
    rux::storykit::StoryRoom room;
    room.name = "Raum";
    s.addRoom(room);
    s.addObject(thing("rot^ Ball", 1, "ball", "rot"));
    s.addObject(thing("alt^ Lampe", 2, "lampe", "alt"));
    s.addObject(thing("dick^ Buch", 3, "buch", "dick"));
    s.addObject(thing("d\xFCnn^ Buch", 3, "buch", "d\xFCnn"));
    for (int i = 0; i < 246; ++i)
        s.addObject(thing("Ding", 3, "ding" + std::to_string(i), "farbe" + std::to_string(i % 30)),
                    i < 200 ? Story::ObjectKind::Portable : Story::ObjectKind::Fixed);
    for (int a = 0; a < 100; ++a) {
        StoryAction action;
        action.verbPatterns = {{static_cast<uint8_t>(a % 41 + 1), 0}};
        action.requiredMask = 1;
        action.excludedMask = 0;
        action.slotSource = {1, 0, 0};
        action.slotKind = {2 | 8 | 16, 0, 0};
        s.addAction(action);
    }
    return s;
}

void BM_ParseCommandWithListAndQuestion(benchmark::State& state) {
    rux::SilentHost host;
    auto engine = std::make_unique<rux::Engine>(host);
    rux::loadStoryBytes(*engine, rux::storykit::writeStory(largeStory()), "bench.vux");
    engine->world.scene.currentRoom = 1;
    engine->world.selectRoomRecord();
    const std::string line = "nimm den roten Ball und die alte Lampe und Buch";
    for (auto _ : state) {
        engine->parser.continuation = 0;
        rux::tokenize(*engine, line);
        rux::parseCommand(*engine);
        benchmark::DoNotOptimize(engine->world.byteVariables[14]);
    }
}
BENCHMARK(BM_ParseCommandWithListAndQuestion);

} // namespace
