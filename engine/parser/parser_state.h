#pragma once
// The parser's data that scripts and the text operations read: the word
// table of the typed line and the position the parser is looking at.

#include <array>
#include <cstdint>
#include <string>

namespace rux {

inline constexpr int wordTableSlots = 24;

// One token of the typed line.
struct WordSlot {
    std::string text;   // folded, at most 12 characters; empty marks a free slot
    uint8_t column = 0; // 1-based position in the line of the token's first character
    uint8_t extent = 0; // number of line characters the token covers (before folding)
};

// The typed line as folded words in slots 1..24.
struct WordTable {
    std::array<WordSlot, wordTableSlots + 1> slots; // slot 0 is not used
    uint8_t wordCount = 0;                          // tokens in use
    // The line the words were cut from, as typed; `column` and `extent`
    // point into it, so the text can quote a word the way it was written.
    std::string line;

    // Slot n; a number outside 1..24 gives an empty slot.
    const WordSlot& word(int n) const {
        static const WordSlot none;
        return n >= 1 && n <= wordTableSlots ? slots[n] : none;
    }
};

struct ParserState {
    WordTable words;
    uint8_t parsePosition = 0; // the word the parser is looking at
    std::string quotedText;    // what was typed between double quotes, unfolded
    int32_t typedNumber = 0;   // the number of the last phrase that named a special object
    uint8_t hookWordPosition = 0; // parsePosition when a hook routine was started
    uint8_t hookCase = 0;         // case of the phrase being read, for hook routines
    uint8_t endingStyle = 2;      // adjective-ending table in use (declension style)
    std::string numberText;       // display text of the last number string read
};

} // namespace rux
