#pragma once
// The parser's data that scripts and the text operations read: the word
// table of the typed line and the position the parser is looking at.

namespace rux {

struct ParserState {};

}  // namespace rux
