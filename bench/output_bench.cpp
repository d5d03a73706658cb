// The output sink: laying a full output log out again after a resize, and
// the cost of one short line passing through outputText.

#include "engine/engine.h"
#include "engine/text/output.h"
#include "engine/text/output_layout.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

namespace {

using namespace rux;

// Proportional widths in pixels, as a front end would measure them.
OutputLayout pixelLayout(int wrapWidth) {
    OutputLayout layout;
    layout.visibleLines = 30;
    layout.wrapWidth = wrapWidth;
    for (CharWidthTable& widths : layout.charWidths)
        for (int c = 32; c < 256; ++c)
            widths[c] = static_cast<uint8_t>(5 + c % 5);
    return layout;
}

// Sentences in pieces the way the formatter hands them over, with styles,
// soft hyphens and paragraph breaks, until the output log is full.
void fillOutputLog(Engine& engine) {
    const std::string pieces[] = {
        "Du stehst in einer ",
        "\2dunklen Halle\1",
        ". Die T\xFC"
        "r im Norden ist ver\xAD"
        "schlossen",
        ", ein schmaler Gang f\xFChrt nach Osten.",
        "\n",
        "\3nimm die Lampe\1",
        "\n",
        "Du nimmst die ",
        "Lampe",
        ". Sie ist schwer und riecht nach Petroleum.",
        "\n",
    };
    std::size_t written = 0;
    while (written < kLogLimit)
        for (const std::string& piece : pieces) {
            outputText(engine, piece);
            written += piece.size();
        }
}

void BM_RelayoutFullOutputLog(benchmark::State& state) {
    SilentHost host;
    auto engine = std::make_unique<Engine>(host);
    engine->output.pagingEnabled = false;
    setLayout(*engine, pixelLayout(620));
    fillOutputLog(*engine);
    int width = 620;
    for (auto _ : state) {
        width = width == 620 ? 470 : 620;
        relayout(*engine, pixelLayout(width));
        benchmark::DoNotOptimize(engine->output.lineWidth);
    }
    state.counters["log_chars"] = static_cast<double>(engine->output.logs.outputLogCharacters());
}
BENCHMARK(BM_RelayoutFullOutputLog)->Unit(benchmark::kMicrosecond);

constexpr int kShortLines = 200000;

void BM_OutputTextShortLines(benchmark::State& state) {
    SilentHost host; // answers every paging prompt at once
    auto engine = std::make_unique<Engine>(host);
    setLayout(*engine, pixelLayout(620));
    const std::string line = "Du siehst hier nichts Besonderes.";
    for (auto _ : state) {
        for (int i = 0; i < kShortLines; ++i) {
            outputText(*engine, line);
            lineBreak(*engine);
        }
        benchmark::DoNotOptimize(engine->output.currentLine);
    }
    state.counters["per_line"] = benchmark::Counter(
        kShortLines, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_OutputTextShortLines)->Unit(benchmark::kMillisecond);

} // namespace
