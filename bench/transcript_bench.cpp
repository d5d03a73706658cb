// Output with an open transcript: every finished line is written and made
// durable on the disk before the next one. Reported per screen line
// ("per_line"), next to the same output with no transcript open.

#include "engine/session/transcript.h"
#include "engine/text/output.h"
#include "engine/text/output_layout.h"
#include "tests/support/test_engine.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

namespace {

constexpr std::string_view kLine = "Du stehst in einem dunklen Flur. Eine Treppe geht nach oben.\n";

void outputLines(benchmark::State& state, bool withTranscript) {
    rux::test::TestEngine test;
    rux::Engine& engine = *test;
    rux::OutputLayout layout;
    layout.wrapWidth = 200;
    rux::setLayout(engine, layout);
    engine.output.pagingEnabled = false;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "rux-transcript-bench.skr";
    std::filesystem::remove(path);
    if (withTranscript) rux::openTranscript(engine, path.string());
    for (auto _ : state)
        rux::outputText(engine, kLine);
    rux::closeTranscript(engine);
    std::filesystem::remove(path);
    state.counters["per_line"] =
        benchmark::Counter(static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_OutputLineWithTranscript(benchmark::State& state) {
    outputLines(state, true);
}
void BM_OutputLineWithoutTranscript(benchmark::State& state) {
    outputLines(state, false);
}

BENCHMARK(BM_OutputLineWithTranscript)->UseRealTime(); // the disk sync is waiting, not CPU time
BENCHMARK(BM_OutputLineWithoutTranscript)->UseRealTime();

} // namespace
