#include "engine/engine.h"
#include "engine/text/noun_phrases.h"

namespace rux {

// The slot's column and extent describe the line the word table was cut
// from; a slot that reaches past the line's end is cut at it.
std::string typedWord(const Engine& engine, int position) {
    const WordTable& words = engine.parser.words;
    const WordSlot& slot = words.word(position);
    const std::string& line = words.line;
    if (slot.column == 0 || slot.column > line.size()) return {};
    return line.substr(slot.column - 1u, slot.extent);
}

} // namespace rux
