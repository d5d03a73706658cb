#pragma once
// The parser's canonical spelling of a word: lower case, umlauts for "ae",
// "oe" and "ue", "ss" for "ß", at most 12 characters.

#include <string>
#include <string_view>

namespace rux {

// Appends the folded characters of `raw` (Windows-1252) to `out` until it
// holds 12 characters.
void foldWordInto(std::string_view raw, std::string& out);

// The same without the limit: the whole typed word, folded.
void foldWholeWordInto(std::string_view raw, std::string& out);

inline std::string foldWord(std::string_view raw) {
    std::string out;
    foldWordInto(raw, out);
    return out;
}

} // namespace rux
