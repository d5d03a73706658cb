#pragma once
// Small comparisons of typed words with vocabulary entries.

#include <string>
#include <string_view>

namespace rux {

class Engine;

// Whether `word` is `noun` followed by "n" (the dative plural).
inline bool isNounWithN(std::string_view word, std::string_view noun) {
    return word.size() == noun.size() + 1 && word.back() == 'n' &&
           word.substr(0, noun.size()) == noun;
}

// The word at `position` folded over its whole typed length: the word
// table keeps 12 characters, which cuts longer words ("verschlossenen").
// A word that the replacement rules have rewritten, or one without a typed
// line behind it, is its table text.
std::string fullTypedWord(const Engine& engine, int position);

} // namespace rux
