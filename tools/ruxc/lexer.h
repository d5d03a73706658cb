#pragma once
// Splits a story source (already Windows-1252) into tokens. Lines matter:
// a statement ends at the end of its line, so line ends are tokens too.

#include "tools/ruxc/diagnostics.h"

#include <string>
#include <vector>

namespace ruxc {

enum class TokenKind { Word, Number, String, Symbol, LineEnd, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text; // a word, a symbol, or a string's contents with escapes undone
    long long number = 0;
    SourcePlace place;
};

// Words are letters, digits and "_" starting with a letter or "_"; "#"
// starts a comment up to the end of the line. A string runs from " to ";
// a line break inside it becomes a line feed of the text and the blanks
// that indent the next line are dropped. Escapes: \" \\ \n.
std::vector<Token> tokenize(const std::string& text, const std::string& file,
                            Diagnostics& diagnostics);

} // namespace ruxc
