// Printing short text marks through the formatter into the output buffer,
// with both logs on, as a story's turn does.

#include "engine/engine.h"
#include "engine/text/formatter.h"
#include "engine/text/output.h"
#include "engine/world/loader.h"
#include "storykit/story_writer.h"

#include <benchmark/benchmark.h>

namespace {

using rux::storykit::Story;
using rux::storykit::StoryObject;

Story markStory() {
    Story s;
    StoryObject apple;
    apple.name = "rot^ Apfel";
    apple.gender = 1;
    s.addObject(apple);
    // One line each, with a little markup: a style switch, an object, a number.
    s.setText(1, {"Du siehst /b!01A hier./x", "Es ist /!T Uhr, /Fwirklich/N./x",
                  "Das macht /cz0015 Punkte./x", "Nichts geschieht./x"});
    return s;
}

void BM_PrintMessageLines(benchmark::State& state) {
    rux::SilentHost host;
    auto engine = std::make_unique<rux::Engine>(host);
    const auto bytes = rux::storykit::writeStory(markStory());
    rux::loadStoryBytes(*engine, bytes, "bench.vux");
    constexpr int lines = 200000;
    for (auto _ : state) {
        for (int i = 0; i < lines; ++i)
            rux::printMessage(*engine, 1, static_cast<uint8_t>(i % 4 + 1));
    }
    state.SetItemsProcessed(state.iterations() * lines);
    state.counters["ns_per_line"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * lines,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PrintMessageLines)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

} // namespace
