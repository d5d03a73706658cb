#include "engine/text/output_layout.h"

#include "engine/engine.h"
#include "engine/text/output.h"

#include <algorithm>

namespace rux {

void setLayout(Engine& engine, const OutputLayout& layout) {
    OutputBuffer& out = engine.output;
    out.visibleLines = std::clamp(layout.visibleLines, 1, kMaxScreenLines);
    out.wrapWidth = std::max(layout.wrapWidth, 1);
    out.charWidths.assign(layout.charWidths); // control bytes take no room
    out.screenLines.clear();
    out.currentLine = out.visibleLines;
    out.lineWidth = 0;
    out.breakWidth = 0;
    out.lineBreakByte = -1;
    out.currentStyle = kNormalStyle;
    // An open prompt or key question stays open: the window may be resized
    // while it waits, and closing it is the wait's own business.
    ++out.layoutGeneration;
}

namespace {

// What laying the text out again must leave as it found it.
struct ReplayScope {
    explicit ReplayScope(OutputBuffer& out)
        : out(out), captureMode(out.captureMode), atParagraphStart(out.atParagraphStart),
          linesSincePrompt(out.linesSincePrompt) {
        out.captureMode = false;
        out.replayMode = true;
    }
    ~ReplayScope() {
        out.replayMode = false;
        out.captureMode = captureMode;
        out.atParagraphStart = atParagraphStart;
        out.linesSincePrompt = linesSincePrompt;
    }
    OutputBuffer& out;
    bool captureMode;
    bool atParagraphStart;
    int linesSincePrompt;
};

} // namespace

void relayout(Engine& engine, const OutputLayout& layout) {
    ReplayScope scope(engine.output);
    setLayout(engine, layout);
    engine.output.logs.forEachOutputPiece(
        [&](std::string_view piece) { outputText(engine, piece); });
}

void setVisibleLines(Engine& engine, int visibleLines) {
    OutputBuffer& out = engine.output;
    out.visibleLines = std::clamp(visibleLines, 1, kMaxScreenLines);
    // Lines that no longer fit leave at the top, so the line being filled
    // stays the current one.
    while (out.currentLine > out.visibleLines) {
        out.screenLines.scrollUp();
        --out.currentLine;
    }
}

} // namespace rux
