// Naming objects: one noun phrase with adjective and noun endings, and the
// enumeration of a full inventory with groups of like objects.

#include "engine/engine.h"
#include "engine/text/lists.h"
#include "engine/text/noun_phrases.h"
#include "engine/world/loader.h"
#include "storykit/story_writer.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using rux::storykit::Story;
using rux::storykit::StoryObject;

// 200 portable objects: every fourth one stands alone, the others belong to
// groups of three like objects (one with its own adjectives).
Story inventoryStory() {
    Story s;
    for (int i = 0; i < 200; ++i) {
        StoryObject o;
        o.name = "alt^ Bauer~";
        o.gender = 1;
        if (i % 4 != 0) {
            o.base = static_cast<uint8_t>(201 + i / 4 % 40);
            if (i % 4 == 3) o.adjectives = {"rot"};
        }
        s.addObject(o);
    }
    for (int g = 0; g < 40; ++g) {
        StoryObject group;
        group.name = "M\xFCnze";
        group.gender = 2;
        group.pluralName = "rot^ M\xFCnzen";
        s.addObject(group, Story::ObjectKind::Extra);
    }
    return s;
}

std::unique_ptr<rux::Engine> loadedEngine(rux::SilentHost& host) {
    auto engine = std::make_unique<rux::Engine>(host);
    rux::loadStoryBytes(*engine, rux::storykit::writeStory(inventoryStory()), "bench.vux");
    return engine;
}

void BM_DefinitePhrase(benchmark::State& state) {
    rux::SilentHost host;
    auto engine = loadedEngine(host);
    for (auto _ : state)
        benchmark::DoNotOptimize(rux::definitePhrase(*engine, 1, 2));
}
BENCHMARK(BM_DefinitePhrase);

void BM_ListInventory(benchmark::State& state) {
    rux::SilentHost host;
    auto engine = loadedEngine(host);
    rux::ObjectSet all;
    for (int i = 1; i <= 200; ++i)
        all.insert(static_cast<uint8_t>(i));
    for (auto _ : state) {
        engine->lists.listedSet.clear();
        benchmark::DoNotOptimize(rux::listObjects(*engine, all, 0));
    }
}
BENCHMARK(BM_ListInventory);

} // namespace
