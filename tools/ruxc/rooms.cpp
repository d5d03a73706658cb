// Second pass: rooms with their exits, exit messages and exit routines.

#include "tools/ruxc/compilation.h"
#include "tools/ruxc/definitions.h"
#include "tools/ruxc/script_compiler.h"
#include "tools/ruxc/source_text.h"
#include "tools/ruxc/text_refs.h"

namespace ruxc {

namespace {

void exitLine(Compilation& c, Cursor& cursor, int roomIndex) {
    const Symbol* direction = lookup(c, cursor.next(), SymbolKind::Direction);
    if (!direction) {
        cursor.skipLine();
        if (cursor.tokens()[cursor.position() - 2].text == "do")
            ScriptCompiler(c).compileBody(cursor);
        return;
    }
    rux::storykit::StoryRoom& room = c.story.rooms[roomIndex];
    if (room.exits.size() < static_cast<std::size_t>(direction->number))
        room.exits.resize(direction->number);
    const Token& t = cursor.peek();
    if (t.kind == TokenKind::Word && t.text == "do") {
        cursor.next();
        expectLineEnd(c, cursor);
        c.story.exitRoutines.push_back(ScriptCompiler(c).compileBody(cursor));
        c.pendingExits.push_back({roomIndex, direction->number, true,
                                  static_cast<int>(c.story.exitRoutines.size()) - 1});
        return;
    }
    if (t.kind == TokenKind::String || (t.kind == TokenKind::Word && c.symbols.find(t.text) &&
                                        c.symbols.find(t.text)->kind == SymbolKind::Text)) {
        rux::TextRef ref;
        if (readTextRef(c, cursor, ref)) {
            c.story.exitMessages.push_back(ref);
            c.pendingExits.push_back({roomIndex, direction->number, false,
                                      static_cast<int>(c.story.exitMessages.size()) - 1});
        }
        expectLineEnd(c, cursor);
        return;
    }
    const Symbol* target = lookup(c, cursor.next(), SymbolKind::Room);
    if (target) room.exits[direction->number - 1] = static_cast<uint8_t>(target->number);
    expectLineEnd(c, cursor);
}

} // namespace

void defineRoom(Compilation& c, const Unit& unit) {
    Cursor cursor = c.cursor(unit);
    const Token keyword = cursor.next();
    const std::string name = cursor.next().text;
    const Symbol* s = c.symbols.find(name);
    if (!s || s->kind != SymbolKind::Room) return;
    const int index = s->number - 1;
    rux::storykit::StoryRoom& room = c.story.rooms[index];
    if (cursor.peek().kind == TokenKind::String) {
        room.name = cursor.next().text;
        if (room.name.size() > rux::nameCapacity)
            c.error(keyword.place, "ein Raumname hat höchstens 36 Zeichen");
        if (room.name == "[Z]")
            c.error(keyword.place, "„[Z]“ kann kein Raumname sein; es steht für keinen Namen");
    }
    expectLineEnd(c, cursor);
    while (true) {
        cursor.skipBlankLines();
        if (cursor.done() || cursor.acceptWord("end")) break;
        const Token k = cursor.next();
        bool ok = true;
        if (k.text == "exit") {
            exitLine(c, cursor, index);
            continue;
        } else if (k.text == "description") {
            ok = readTextRef(c, cursor, room.description);
        } else if (k.text == "base") {
            const Symbol* base = lookup(c, cursor.next(), SymbolKind::Room);
            ok = base != nullptr;
            if (ok) room.base = static_cast<uint8_t>(base->number);
        } else if (k.text == "is") {
            while (ok && !cursor.atLineEnd()) {
                const Symbol* flag = lookup(c, cursor.next(), SymbolKind::RoomFlag);
                if (!flag)
                    ok = false;
                else {
                    auto& flags = c.story.roomFlags;
                    if (flags.size() < static_cast<std::size_t>(flag->number))
                        flags.resize(flag->number);
                    flags[flag->number - 1].push_back(static_cast<uint8_t>(index + 1));
                }
            }
        } else if (k.text == "script") {
            const Token& which = cursor.next();
            const int n = which.text == "before" ? 1 : which.text == "after" ? 2 : 0;
            if (n == 0) c.error(which.place, "ein Raumskript heißt before oder after");
            expectLineEnd(c, cursor);
            rux::storykit::Code code = ScriptCompiler(c).compileBody(cursor);
            if (n) room.scripts[n - 1] = code;
            continue;
        } else {
            c.error(k.place, "unbekannte Eigenschaft „" + shownText(k.text) + "“");
            ok = false;
        }
        endPropertyLine(c, cursor, ok);
    }
}

} // namespace ruxc
