#include "tools/ruxc/text_refs.h"

namespace ruxc {

bool readTextRef(Compilation& c, Cursor& cursor, rux::TextRef& out) {
    const Token& t = cursor.peek();
    if (t.kind == TokenKind::String) {
        out = c.inlineText(t.text, t.place);
        cursor.next();
        return true;
    }
    if (t.kind == TokenKind::Word && t.text == "routine") {
        cursor.next();
        const Symbol* s = lookup(c, cursor.next(), SymbolKind::TextRoutine);
        if (!s) return false;
        out = {0, static_cast<uint8_t>(s->number)};
        return true;
    }
    const Symbol* s = lookup(c, t, SymbolKind::Text);
    cursor.next();
    if (!s) return false;
    long long variant = 1;
    if (cursor.peek().kind == TokenKind::Number &&
        !readNumber(c, cursor, variant, 1, 255, "die Variante"))
        return false;
    out = {static_cast<uint8_t>(s->number), static_cast<uint8_t>(variant)};
    return true;
}

} // namespace ruxc
