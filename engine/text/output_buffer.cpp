#include "engine/engine.h"
#include "engine/text/output.h"
#include "engine/text/paging.h"

#include <algorithm>
#include <array>

namespace rux {

namespace {

constexpr unsigned char kLineFeed = '\n';
constexpr unsigned char kHyphen = '-';
constexpr unsigned char kSoftHyphen = 0xAD;
constexpr unsigned char kDroppedByte = 5;
constexpr int kNoBreak = -1;
constexpr int kMaxPromptCount = 255;

// What a byte does to the wrapping.
enum class ByteKind : uint8_t {
    Printable, // takes its width
    Break,     // tab, space, hyphen, soft hyphen: the line may end here
    LineEnd,   // line feed, carriage return
    Style,     // 1, 2, 3: switch the style
    Dropped,   // 5: leaves no trace
    Control,   // kept in the line, no width
};

constexpr std::array<ByteKind, 256> kByteKinds = [] {
    std::array<ByteKind, 256> kinds{};
    for (int c = 0; c < 256; ++c)
        kinds[c] = c < 32 ? ByteKind::Control : ByteKind::Printable;
    kinds[1] = kinds[2] = kinds[3] = ByteKind::Style;
    kinds[kDroppedByte] = ByteKind::Dropped;
    kinds['\t'] = kinds[' '] = kinds[kHyphen] = kinds[kSoftHyphen] = ByteKind::Break;
    kinds['\n'] = kinds['\r'] = ByteKind::LineEnd;
    return kinds;
}();

void writeTranscriptLine(OutputBuffer& out) {
    out.transcriptLine.clear();
    for (char c : out.screenLines[out.currentLine])
        if (static_cast<unsigned char>(c) >= 32) out.transcriptLine.push_back(c);
    out.transcriptWriter(out.transcriptLine);
}

// Finishes the current line and moves to an empty one, scrolling at the
// bottom. Returns false when the front end laid everything out again while
// the paging prompt was open: the display then holds all logged text already.
bool startNewLine(Engine& engine) {
    OutputBuffer& out = engine.output;
    if (out.transcriptWriter && !out.replayMode) writeTranscriptLine(out);
    out.linesSincePrompt = std::min(out.linesSincePrompt + 1, kMaxPromptCount);
    if (out.linesSincePrompt >= out.visibleLines && !out.replayMode && out.pagingEnabled) {
        const uint32_t generation = out.layoutGeneration;
        startPaging(engine, kPagingPrompt);
        if (out.layoutGeneration != generation) return false;
    }
    if (out.currentLine >= out.visibleLines) {
        out.screenLines.scrollUp();
        out.currentLine = out.visibleLines;
    } else {
        ++out.currentLine;
    }
    out.screenLines[out.currentLine].clear();
    out.lineWidth = 0;
    return true;
}

// Wraps one piece into the display lines. Bytes go straight into the current
// line; the pending word and break byte are positions in it, so a line end
// or an overflow only has to cut the line and carry the word over.
class PieceWrapper {
  public:
    explicit PieceWrapper(Engine& engine)
        : engine_(engine), out_(engine.output), line_(&out_.screenLines[out_.currentLine]),
          wordStart_(line_->size()), widthBeforePiece_(out_.lineWidth) {}

    void wrap(std::string_view text) {
        const CharWidthTable* widths = &out_.charWidths[out_.currentStyle - 1];
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        const std::size_t size = text.size();
        std::size_t i = 0;
        while (i < size) {
            const unsigned char byte = bytes[i];
            const ByteKind kind = kByteKinds[byte];
            if (kind == ByteKind::Printable || (kind == ByteKind::Break && byte != kSoftHyphen)) {
                // A run of characters and visible break bytes goes into the
                // line in one piece, up to the one that fills the line.
                const std::size_t runStart = i;
                const std::size_t lineStart = line_->size();
                int width = out_.lineWidth;
                int lastWidth = 0;
                do {
                    const unsigned char b = bytes[i];
                    const ByteKind k = kByteKinds[b];
                    if (k == ByteKind::Break) {
                        if (b == kSoftHyphen) break;
                        pendingBreak_ = b;
                        breakPosition_ = lineStart + (i - runStart);
                        wordStart_ = breakPosition_ + 1;
                        out_.breakWidth = width;
                    } else if (k != ByteKind::Printable) {
                        break;
                    }
                    lastWidth = (*widths)[b];
                    width += lastWidth;
                    ++i;
                } while (width < out_.wrapWidth && i < size);
                line_->append(text.data() + runStart, i - runStart);
                out_.lineWidth = width;
                if (width >= out_.wrapWidth && !overflow(lastWidth)) return;
                continue;
            }
            ++i;
            if (kind == ByteKind::Break) { // the soft hyphen: invisible unless the line ends here
                pendingBreak_ = byte;
                breakPosition_ = wordStart_ = line_->size();
                out_.breakWidth = out_.lineWidth;
            } else if (kind == ByteKind::LineEnd) {
                if (!endLine()) return;
            } else if (kind == ByteKind::Style) {
                out_.currentStyle = byte;
                widths = &out_.charWidths[byte - 1];
                line_->push_back(static_cast<char>(byte));
            } else if (kind == ByteKind::Control) {
                line_->push_back(static_cast<char>(byte));
            } // the dropped byte leaves nothing
        }
    }

  private:
    bool endLine() {
        if (out_.currentStyle > kNormalStyle) line_->push_back(kNormalStyle);
        out_.carriedWord.clear();
        return continueOnNewLine();
    }

    // The line is full. It normally ends at the pending break byte, or before
    // this piece when the piece has none yet; a hyphen or soft hyphen there
    // shows as "-". A word that fills the whole line by itself is cut before
    // the byte that no longer fits, so no line is left empty or overlong.
    bool overflow(int lastByteWidth) {
        const bool hasBreak = pendingBreak_ != kNoBreak;
        const int keptWidth = hasBreak ? out_.breakWidth : widthBeforePiece_;
        std::size_t cut = hasBreak ? breakPosition_ : wordStart_;
        std::size_t carryFrom = wordStart_;
        int carriedWidth = out_.lineWidth - keptWidth;
        bool showHyphen = pendingBreak_ == kHyphen || pendingBreak_ == kSoftHyphen;
        if (keptWidth <= 0) {
            // A byte wider than the whole line stays where it is.
            if (out_.lineWidth - lastByteWidth <= 0) return true;
            cut = carryFrom = line_->size() - 1;
            carriedWidth = lastByteWidth;
            showHyphen = false;
        }
        out_.carriedWord.assign(*line_, carryFrom);
        line_->resize(cut);
        if (showHyphen) line_->push_back(kHyphen);
        if (out_.currentStyle > kNormalStyle) line_->push_back(kNormalStyle);
        if (!continueOnNewLine()) return false;
        out_.lineWidth = carriedWidth;
        return true;
    }

    // Starts the next line with the current style and the carried word.
    bool continueOnNewLine() {
        if (!startNewLine(engine_)) return false;
        line_ = &out_.screenLines[out_.currentLine];
        if (out_.currentStyle > kNormalStyle) line_->push_back(out_.currentStyle);
        wordStart_ = line_->size();
        line_->append(out_.carriedWord);
        pendingBreak_ = kNoBreak;
        widthBeforePiece_ = 0;
        return true;
    }

    Engine& engine_;
    OutputBuffer& out_;
    std::string* line_;
    std::size_t wordStart_;         // where the pending word begins in the line
    std::size_t breakPosition_ = 0; // where the pending break byte stands
    int pendingBreak_ = kNoBreak;
    int widthBeforePiece_; // width of the line's text from earlier pieces
};

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
    OutputBuffer& out = engine.output;
    if (out.captureMode) {
        out.capturedText.append(text);
        return;
    }
    if (!out.replayMode) {
        out.scrollback.append(text);
        out.outputLog.append(text);
    }
    out.atParagraphStart = false;
    PieceWrapper(engine).wrap(text);
    if (!out.pendingNotice.empty()) showPendingNotice(engine);
}

void paragraphBreak(Engine& engine) {
    OutputBuffer& out = engine.output;
    const uint8_t settings = engine.world.byteVariables[17];
    const std::string indent(std::min(engine.world.byteVariables[26] / 2, 80), ' ');
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
    out.outputLog.clear();
    out.linesSincePrompt = 0;
}

void clearLogs(Engine& engine) {
    engine.output.scrollback.clear();
    engine.output.outputLog.clear();
}

std::string scrollbackText(const Engine& engine) {
    return std::string(engine.output.scrollback.text());
}

std::string_view currentDisplayLine(const Engine& engine) {
    return engine.output.screenLines[engine.output.currentLine];
}

} // namespace rux
