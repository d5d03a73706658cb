#include "engine/engine.h"
#include "engine/text/capital_scope.h"
#include "engine/text/case_functions.h"
#include "engine/text/output.h"
#include "engine/text/output_bytes.h"
#include "engine/text/output_wrap.h"

#include <algorithm>

namespace rux {

namespace {

// Puts a run that the scan found to fill the whole piece and to end before
// the line is full onto the line: the most common piece needs no more
// wrapping than that.
void appendWholeRun(OutputBuffer& out, std::string_view text, const RunScan& run) {
    std::string& line = out.screenLines[out.currentLine];
    if (run.lastBreak != kNoPosition) {
        out.breakWidth = run.widthAtBreak;
        out.lineBreakByte = static_cast<unsigned char>(text[run.lastBreak]);
        out.lineBreakPosition = line.size() + run.lastBreak;
    }
    line.append(text);
    out.lineWidth = run.width;
}

// Puts a report left by the transcript writer on lines of its own.
void showPendingNotice(Engine& engine) {
    const std::string notice = std::move(engine.output.pendingNotice);
    engine.output.pendingNotice.clear();
    if (!currentDisplayLine(engine).empty()) outputText(engine, "\n");
    outputText(engine, notice);
    outputText(engine, "\n");
}

} // namespace

void outputText(Engine& engine, std::string_view text) {
    if (engine.text.capitalPending) {
        const auto first = std::find_if(text.begin(), text.end(), showsAsCharacter);
        if (first != text.end()) {
            engine.text.capitalPending = false;
            if (capitalLetter(*first) != *first) {
                std::string raised(text);
                const auto at = static_cast<std::size_t>(first - text.begin());
                raised[at] = capitalLetter(raised[at]);
                outputText(engine, raised);
                return;
            }
        }
    }
    engine.machine.chargeOutput(text.size());
    OutputBuffer& out = engine.output;
    if (out.captureMode) {
        out.capturedText.append(text);
        return;
    }
    out.atParagraphStart = false;
    const bool startsWithRun = !text.empty() && startsRun(static_cast<unsigned char>(text[0]));
    RunScan run{};
    bool whole = false;
    if (startsWithRun) {
        run = scanStyledRun(out, text, 0);
        whole = run.end == text.size() && run.width < out.wrapWidth;
    }
    // The scanned run holds no control byte: the log need look for one only
    // in the rest of the piece, if any.
    if (!out.replayMode)
        out.logs.append(text, !whole && OutputLogs::holdsFilteredByte(std::string_view(
                                            text.data() + run.end, text.size() - run.end)));
    if (whole)
        appendWholeRun(out, text, run);
    else if (startsWithRun)
        wrapPiece(engine, text, run);
    else if (text.size() == 1)
        wrapLoneByte(engine, static_cast<unsigned char>(text[0]));
    else
        wrapPiece(engine, text, std::nullopt);
    if (!out.pendingNotice.empty()) showPendingNotice(engine);
}

void paragraphBreak(Engine& engine) {
    OutputBuffer& out = engine.output;
    const uint8_t settings = engine.world.byteVariables[17];
    const std::string_view indent = spaces(engine.world.byteVariables[26] / 2);
    // Captured text (a name, the status line) gets the break, but the
    // screen's paragraph state is not the captured text's to change.
    if (out.captureMode) {
        out.capturedText += (settings & 1) ? "\n\n" : "\n";
        if (settings & 2) out.capturedText += indent;
        return;
    }
    if (out.atParagraphStart) return;
    outputText(engine, "\n");
    if (settings & 1) outputText(engine, "\n");
    if ((settings & 2) && !indent.empty()) outputText(engine, indent);
    out.atParagraphStart = true;
}

std::string_view spaces(int count) {
    static constexpr std::string_view eighty = "                                        "
                                               "                                        ";
    static_assert(eighty.size() == 80);
    return eighty.substr(0, static_cast<std::size_t>(std::clamp(count, 0, 80)));
}

void lineBreak(Engine& engine) {
    if (engine.output.captureMode)
        engine.output.capturedText.push_back('\n');
    else
        outputText(engine, "\n");
}

void clearScreen(Engine& engine, ScreenStart start) {
    OutputBuffer& out = engine.output;
    out.screenLines.clear();
    out.currentLine = start == ScreenStart::Top ? 1 : out.visibleLines;
    out.lineWidth = 0;
    out.lineBreakByte = -1;
    out.logs.clearOutputLog();
    out.linesSincePrompt = 0;
}

void clearLogs(Engine& engine) {
    engine.output.logs.clear();
}

std::string scrollbackText(const Engine& engine) {
    return engine.output.logs.scrollbackText();
}

std::string_view currentDisplayLine(const Engine& engine) {
    return engine.output.screenLines[engine.output.currentLine];
}

} // namespace rux
