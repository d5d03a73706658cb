#include "engine/parser/parse_error.h"

#include "engine/parser/sentence.h"
#include "engine/script/finish_paragraph.h"
#include "engine/text/formatter.h"

namespace rux {

void printParseError(Engine& engine) {
    ParserState& p = engine.parser;
    const uint8_t code = parseError(engine);
    if (code != 0 && !p.orderMode) {
        if (code <= 40) printMessage(engine, 0, code);
        finishParagraph(engine);
    }
    if (code == 1) p.unrecognisedWord = p.words.word(p.parsePosition).text;
}

} // namespace rux
