#pragma once
// The output sink's state: display lines, layout, wrapping, styles, paging,
// capture mode, the key question and the two logs.

#include "engine/text/output_logs.h"
#include "engine/world/object_set.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace rux {

inline constexpr int kMaxScreenLines = 80;
inline constexpr int kDefaultVisibleLines = 24;
inline constexpr int kDefaultWrapWidth = 80;

// Text styles, also the bytes that switch to them inside output.
inline constexpr uint8_t kNormalStyle = 1;
inline constexpr uint8_t kBoldStyle = 2;
inline constexpr uint8_t kInputStyle = 3;

// Input modes: what a key pressed now answers.
inline constexpr uint8_t kNoInput = 0;
inline constexpr uint8_t kPagingPrompt = 1;
inline constexpr uint8_t kKeyQuestion = 2;

// Pixel width of each byte in one style's font; 0 for the control bytes.
using CharWidthTable = std::array<uint8_t, 256>;

// Every printable byte one unit wide: the layout of tools and tests, where a
// unit is a character cell.
inline constexpr CharWidthTable kUnitCharWidths = [] {
    CharWidthTable widths{};
    for (int c = 32; c < 256; ++c)
        widths[c] = 1;
    return widths;
}();

// The width tables of the three styles (normal, bold, input), and for each
// the one width that all its printable bytes share, if they do: the scan of
// a run then counts bytes instead of adding up their widths. The tables are
// only taken whole, so that the shared widths always match them.
class StyleWidths {
  public:
    StyleWidths() { assign({kUnitCharWidths, kUnitCharWidths, kUnitCharWidths}); }

    const CharWidthTable& operator[](std::size_t style) const { return tables_[style]; }
    // The width of every byte from 32 up but the soft hyphen, or -1 when
    // they differ.
    int sharedWidth(std::size_t style) const { return shared_[style]; }

    // Takes the tables; the control bytes 0 to 31 take no room.
    void assign(const std::array<CharWidthTable, 3>& tables) {
        tables_ = tables;
        for (std::size_t style = 0; style < tables_.size(); ++style) {
            CharWidthTable& widths = tables_[style];
            std::fill(widths.begin(), widths.begin() + 32, uint8_t{0});
            shared_[style] = widths[32];
            for (int c = 33; c < 256; ++c)
                if (c != 0xAD && widths[c] != widths[32]) shared_[style] = -1;
        }
    }

  private:
    std::array<CharWidthTable, 3> tables_;
    std::array<int, 3> shared_{};
};

// The display lines, numbered from 1. Scrolling turns the ring instead of
// moving strings, and emptied lines keep their storage.
class ScreenLines {
  public:
    std::string& operator[](int line) { return slots_[slot(line)]; }
    const std::string& operator[](int line) const { return slots_[slot(line)]; }

    // Line 1 is dropped; every line moves up one place.
    void scrollUp() { first_ = first_ + 1 < kMaxScreenLines ? first_ + 1 : 0; }
    void clear() {
        for (std::string& line : slots_)
            line.clear();
        first_ = 0;
    }

  private:
    int slot(int line) const {
        const int slot = first_ + line - 1; // below twice the ring's size
        return slot < kMaxScreenLines ? slot : slot - kMaxScreenLines;
    }

    std::array<std::string, kMaxScreenLines> slots_;
    int first_ = 0;
};

struct OutputBuffer {
    ScreenLines screenLines;                 // 1..visibleLines, bytes as output
    int currentLine = kDefaultVisibleLines;  // the line being filled
    int visibleLines = kDefaultVisibleLines; // 1..kMaxScreenLines
    int lineWidth = 0;                       // pixels on the current line
    int breakWidth = 0;                      // lineWidth at the last break opportunity
    // The last break opportunity on the current line (-1: none yet) and
    // where its byte stands, so that a word whose pieces arrive one by one
    // («Ding» and then «,») still moves to the next line whole.
    int lineBreakByte = -1;
    std::size_t lineBreakPosition = 0;
    int wrapWidth = kDefaultWrapWidth; // pixels available for text, at least 1
    StyleWidths charWidths;            // normal, bold, input
    uint8_t currentStyle = kNormalStyle;
    int linesSincePrompt = 1; // lines started since the player last let the prompt go
    bool atParagraphStart = false;

    bool replayMode = false;   // the text is being laid out again
    bool pagingEnabled = true; // off for tools that print without a player

    bool captureMode = false;
    std::string capturedText;

    uint8_t inputMode = kNoInput;
    ObjectSet allowedKeys; // upper-case key codes a key question accepts
    uint8_t answerKey = 0; // the last key question's answer, 27 for Escape

    OutputLogs logs; // the scrollback and the output log

    // Receives every finished display line, control bytes removed, while a
    // transcript is open; empty while none is.
    std::function<void(std::string_view)> transcriptWriter;
    // A report the transcript writer leaves when a write fails; it cannot
    // print while a line is being finished, so the text shows after the piece.
    std::string pendingNotice;

    // Counts layouts, so that text interrupted by a prompt during which the
    // front end laid everything out again knows it has been shown already.
    uint32_t layoutGeneration = 0;

    std::string carriedWord;    // scratch: the word moving to the next line
    std::string transcriptLine; // scratch: a finished line without control bytes
};

} // namespace rux
