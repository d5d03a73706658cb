#include "engine/parser/word_forms.h"

#include "engine/engine.h"
#include "engine/parser/word_folding.h"

namespace rux {

std::string fullTypedWord(const Engine& engine, int position) {
    const WordTable& words = engine.parser.words;
    const WordSlot& slot = words.word(position);
    if (slot.text.size() < wordLength || slot.column == 0 || slot.column > words.line.size())
        return slot.text;
    const std::string_view typed =
        std::string_view(words.line).substr(slot.column - 1u, slot.extent);
    std::string full;
    foldWholeWordInto(typed, full);
    if (full.compare(0, wordLength, slot.text) != 0) return slot.text;
    return full;
}

} // namespace rux
