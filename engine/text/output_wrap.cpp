#include "engine/text/output_wrap.h"

#include "engine/engine.h"
#include "engine/text/output_bytes.h"
#include "engine/text/paging.h"

#include <algorithm>

namespace rux {

namespace {

constexpr int kNoBreak = -1;
constexpr int kMaxPromptCount = 255;

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
    if (!out.replayMode) {
        if (out.transcriptWriter) writeTranscriptLine(out);
        engine.host.lineFinished(out.screenLines[out.currentLine]);
    }
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
    out.lineBreakByte = -1;
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

    void wrap(std::string_view text, const std::optional<RunScan>& firstRun) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        std::size_t i = 0;
        if (firstRun) {
            i = appendRun(text, 0, *firstRun);
            if (out_.lineWidth >= out_.wrapWidth && !overflow()) return;
        }
        while (i < text.size()) {
            const unsigned char byte = bytes[i];
            if (startsRun(byte)) {
                i = appendRun(text, i, scanStyledRun(out_, text, i));
                if (out_.lineWidth >= out_.wrapWidth && !overflow()) return;
                continue;
            }
            ++i;
            const ByteKind kind = kByteKinds[byte];
            if (kind == ByteKind::Break) { // the soft hyphen: invisible unless the line ends here
                pendingBreak_ = byte;
                breakPosition_ = wordStart_ = line_->size();
                out_.breakWidth = out_.lineWidth;
                noteLineBreak();
            } else if (kind == ByteKind::LineEnd) {
                if (!endLine()) return;
            } else if (kind == ByteKind::Style) {
                out_.currentStyle = byte;
                line_->push_back(static_cast<char>(byte));
            } else if (kind == ByteKind::Control) {
                line_->push_back(static_cast<char>(byte));
            } // the dropped byte leaves nothing
        }
    }

  private:
    // Appends the scanned run of characters and visible break bytes that
    // begins at `from` to the line in one piece, and returns where it
    // stopped: at the end of the run or after the byte that fills the line.
    std::size_t appendRun(std::string_view text, std::size_t from, const RunScan& run) {
        const std::size_t runPosition = line_->size();
        line_->append(text.data() + from, run.end - from);
        if (run.lastBreak != kNoPosition) {
            pendingBreak_ = static_cast<unsigned char>(text[run.lastBreak]);
            breakPosition_ = runPosition + (run.lastBreak - from);
            wordStart_ = breakPosition_ + 1;
            out_.breakWidth = run.widthAtBreak;
            noteLineBreak();
        }
        out_.lineWidth = run.width;
        return run.end;
    }

    void noteLineBreak() {
        out_.lineBreakByte = pendingBreak_;
        out_.lineBreakPosition = breakPosition_;
    }

    // Whether the piece continues a word that earlier pieces began after
    // the line's last break opportunity.
    bool continuesEarlierWord() const {
        if (pendingBreak_ != kNoBreak || out_.lineBreakByte == kNoBreak) return false;
        const std::size_t wordStart =
            out_.lineBreakPosition + (out_.lineBreakByte == kSoftHyphen ? 0 : 1);
        // A soft hyphen that ended an earlier piece breaks there with its "-".
        const bool fromBreak = out_.lineBreakByte == kSoftHyphen && wordStart == wordStart_;
        return (wordStart < wordStart_ || fromBreak) && wordStart_ <= line_->size();
    }

    bool endLine() {
        if (out_.currentStyle > kNormalStyle) line_->push_back(kNormalStyle);
        out_.carriedWord.clear();
        return continueOnNewLine();
    }

    // The line is full. It normally ends at the pending break byte; when the
    // piece has none yet, at the line's last break opportunity if the piece
    // continues a word begun there, else before this piece. A hyphen or soft
    // hyphen there shows as "-". A word that fills the whole line by itself is cut before
    // the byte that no longer fits, so no line is left empty or overlong.
    bool overflow() {
        // The last byte of the line is the one that filled it.
        const auto lastByte = static_cast<unsigned char>(line_->back());
        const int lastByteWidth = out_.charWidths[out_.currentStyle - 1][lastByte];
        if (continuesEarlierWord()) {
            // The word began in an earlier piece: it moves from the line's
            // last break opportunity on, rather than being split.
            pendingBreak_ = out_.lineBreakByte;
            breakPosition_ = out_.lineBreakPosition;
            wordStart_ = breakPosition_ + (pendingBreak_ == kSoftHyphen ? 0 : 1);
        }
        const bool breakFound = pendingBreak_ != kNoBreak;
        const int keptWidth = breakFound ? out_.breakWidth : widthBeforePiece_;
        std::size_t cut = breakFound ? breakPosition_ : wordStart_;
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

} // namespace

void wrapLoneByte(Engine& engine, unsigned char byte) {
    OutputBuffer& out = engine.output;
    switch (kByteKinds[byte]) {
    case ByteKind::LineEnd:
        if (out.currentStyle > kNormalStyle)
            out.screenLines[out.currentLine].push_back(kNormalStyle);
        if (!startNewLine(engine)) return;
        if (out.currentStyle > kNormalStyle)
            out.screenLines[out.currentLine].push_back(static_cast<char>(out.currentStyle));
        break;
    case ByteKind::Style:
        out.currentStyle = byte;
        out.screenLines[out.currentLine].push_back(static_cast<char>(byte));
        break;
    default: {
        const char text = static_cast<char>(byte);
        PieceWrapper(engine).wrap(std::string_view(&text, 1), std::nullopt);
        break;
    }
    }
}

void wrapPiece(Engine& engine, std::string_view text, const std::optional<RunScan>& firstRun) {
    PieceWrapper(engine).wrap(text, firstRun);
}

} // namespace rux
