// Tokenizing a typed ten-word command and reading its two noun phrases in a
// world of 250 objects with several nouns and adjectives each.

#include "engine/engine.h"
#include "engine/parser/noun_phrase_reader.h"
#include "engine/parser/tokenizer.h"
#include "engine/world/loader.h"
#include "storykit/story_writer.h"

#include <array>
#include <benchmark/benchmark.h>
#include <string>

namespace {

using rux::storykit::Story;
using rux::storykit::StoryObject;

Story crowdedStory() {
    static const std::array<const char*, 12> nouns{"ball",  "lampe", "kiste",   "buch",
                                                   "brief", "stein", "krug",    "tuch",
                                                   "seil",  "stab",  "flasche", "messer"};
    static const std::array<const char*, 10> adjectives{"rot",  "alt",    "neu",  "gross",  "klein",
                                                        "blau", "schwer", "hell", "dunkel", "lang"};
    Story s;
    for (int n = 0; n < 250; ++n) {
        StoryObject o;
        o.name = "Ding";
        o.gender = static_cast<uint8_t>(n % 3 + 1);
        for (int k = 0; k < 3; ++k)
            o.nouns.push_back({nouns[(n + k * 5) % nouns.size()], static_cast<uint8_t>(n % 3 + 1)});
        for (int k = 0; k < 3; ++k)
            o.adjectives.push_back(adjectives[(n * 3 + k) % adjectives.size()]);
        o.nounPrefixes = {"holz"};
        s.addObject(o, n < 200 ? Story::ObjectKind::Portable : Story::ObjectKind::Fixed);
    }
    // One object that the command names exactly.
    s.objects[41].nouns.push_back({"schl\xFCssel", 1});
    s.objects[41].adjectives = {"alt", "rot"};
    return s;
}

void BM_TokenizeAndReadPhrases(benchmark::State& state) {
    rux::SilentHost host;
    auto engine = std::make_unique<rux::Engine>(host);
    const auto bytes = rux::storykit::writeStory(crowdedStory());
    rux::loadStoryBytes(*engine, bytes, "bench.vux");
    const std::string line = "nimm den alten roten Schl\xFCssel und die kleine helle Lampe";
    rux::NounPhrase first;
    rux::NounPhrase second;
    for (auto _ : state) {
        engine->world.byteVariables[14] = 0; // as at the start of every sentence
        rux::tokenize(*engine, line);
        engine->parser.parsePosition = 2;
        if (rux::readNounPhrase(*engine, 1, first) != 42) state.SkipWithError("phrase not read");
        engine->parser.parsePosition = 7;
        benchmark::DoNotOptimize(rux::readNounPhrase(*engine, 1, second));
    }
}
BENCHMARK(BM_TokenizeAndReadPhrases)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace
