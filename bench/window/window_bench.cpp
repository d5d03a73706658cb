// The window's work after a resize: laying the whole output log out again
// (49152 characters) and painting a full text area with its status line,
// into an image on the offscreen platform. Together they should stay well
// under a frame's worth of time (8 ms).

#include "engine/text/output.h"
#include "engine/text/output_layout.h"
#include "engine/world/engine_start.h"
#include "ui/engine_access.h"
#include "ui/text_painter.h"
#include "ui/window_look.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

using namespace rux;
using namespace rux::ui;

const QSize kTextArea(605, 500);
const QSize kStatusLine(605, 36);

// An engine whose output log is full: ordinary sentences, room titles in
// bold and echoed commands in the input style.
struct FullScreen {
    SilentHost host;
    std::unique_ptr<Engine> engine = std::make_unique<Engine>(host);
    WindowLook look = WindowLook::from(DisplayOptions{});

    FullScreen() {
        initEngine(*engine);
        engine->output.pagingEnabled = false;
        setLayout(*engine, look.outputLayout(kTextArea));
        const std::string sentence = "Ein verwilderter Vorgarten. Zwischen Brennnesseln führt ein "
                                     "Plattenweg nach Norden zur Haustür der alten Villa. ";
        // More than the log keeps, so that it is full to its limit.
        for (std::size_t written = 0; written < 2 * kLogLimit;) {
            for (const std::string& piece :
                 {std::string("\x03untersuche die standuhr\x01"), std::string("\n\x02Diele\x01\n"),
                  sentence, sentence, sentence, std::string("\n> ")}) {
                outputText(*engine, piece);
                written += piece.size();
            }
        }
        engine->text.statusTexts = {"", "Diele", "", "10/34"};
    }
};

FullScreen& screen() {
    static FullScreen full;
    return full;
}

void BM_PaintTextArea(benchmark::State& state) {
    FullScreen& s = screen();
    QImage image(kTextArea, QImage::Format_ARGB32_Premultiplied);
    QImage status(kStatusLine, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter statusPainter(&status);
        paintStatusTexts(statusPainter, kStatusLine, s.engine->text.statusTexts, s.look);
        QPainter painter(&image);
        paintDisplayLines(painter, kTextArea, s.engine->output, s.look);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintTextArea)->Unit(benchmark::kMillisecond);

void BM_RelayoutFullLog(benchmark::State& state) {
    FullScreen& s = screen();
    int width = kTextArea.width();
    for (auto _ : state) {
        width = width == kTextArea.width() ? kTextArea.width() - 40 : kTextArea.width();
        relayout(*s.engine, s.look.outputLayout(QSize(width, kTextArea.height())));
    }
    state.counters["characters"] = static_cast<double>(s.engine->output.logs.outputLogCharacters());
}
BENCHMARK(BM_RelayoutFullLog)->Unit(benchmark::kMillisecond);

// What a resize costs the player: the layout with its measured widths, the
// text laid out again and the area painted.
void BM_ResizeAndPaint(benchmark::State& state) {
    FullScreen& s = screen();
    QImage image(kTextArea, QImage::Format_ARGB32_Premultiplied);
    int width = kTextArea.width();
    for (auto _ : state) {
        width = width == kTextArea.width() ? kTextArea.width() - 40 : kTextArea.width();
        s.look = WindowLook::from(DisplayOptions{});
        relayout(*s.engine, s.look.outputLayout(QSize(width, kTextArea.height())));
        QPainter painter(&image);
        paintDisplayLines(painter, kTextArea, s.engine->output, s.look);
    }
}
BENCHMARK(BM_ResizeAndPaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
