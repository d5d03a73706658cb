// Second pass: actions (verb patterns, slots, scripts and hooks) and
// routines.

#include "tools/ruxc/compilation.h"
#include "tools/ruxc/definitions.h"
#include "tools/ruxc/script_compiler.h"
#include "tools/ruxc/source_text.h"

namespace ruxc {

namespace {

const std::map<std::string, int> slotCodes = {{"first", 1},     {"second", 2}, {"with", 4},
                                              {"direction", 8}, {"acc", 16},   {"dat", 32}};
const std::map<std::string, int> scopeKinds = {
    {"reachable", 0}, {"carried", 1}, {"visible", 2},  {"any", 3},     {"notcarried", 4},
    {"inside", 5},    {"never", 6},   {"quoted", 252}, {"number", 253}};

bool readMask(Compilation& c, Cursor& cursor, uint8_t& mask) {
    mask = 0;
    while (!cursor.atLineEnd()) {
        const Token& t = cursor.next();
        const auto it = slotCodes.find(t.text);
        if (it == slotCodes.end()) {
            c.error(t.place, "ein Satzteil ist first, second, with, direction, acc oder dat");
            return false;
        }
        mask |= static_cast<uint8_t>(it->second);
    }
    return true;
}

// object1 SOURCE [implicit FLAG] [KIND] [list] [all]
bool readSlot(Compilation& c, Cursor& cursor, rux::storykit::StoryAction& a, int slot) {
    const Token& source = cursor.next();
    if (source.text != "none") {
        const auto it = slotCodes.find(source.text);
        if (it == slotCodes.end() || it->second == 8) {
            c.error(source.place, "die Quelle ist first, second, with, acc, dat oder none");
            return false;
        }
        a.slotSource[slot] = static_cast<uint8_t>(it->second);
    }
    int kind = 0;
    while (!cursor.atLineEnd()) {
        const Token& t = cursor.next();
        if (t.text == "implicit") {
            const Symbol* flag = lookup(c, cursor.next(), SymbolKind::ObjectFlag);
            if (!flag) return false;
            a.slotImplicitSet[slot] = static_cast<uint8_t>(flag->number);
        } else if (t.text == "list") {
            kind |= 8;
        } else if (t.text == "all") {
            kind |= 16;
        } else if (scopeKinds.count(t.text)) {
            kind |= scopeKinds.at(t.text);
        } else {
            c.error(t.place, "unbekannte Angabe „" + shownText(t.text) + "“ zum Objekt");
            return false;
        }
    }
    a.slotKind[slot] = static_cast<uint8_t>(kind);
    return true;
}

bool readPattern(Compilation& c, Cursor& cursor, rux::storykit::StoryAction& a) {
    std::string verb;
    if (!readString(c, cursor, verb, "das Verb")) return false;
    verb = foldWord(verb);
    if (verb.empty()) {
        c.error(cursor.peek().place, "ein leeres Verb kann der Parser nie erkennen");
        return false;
    }
    if (verb.size() > rux::wordCapacity) verb.resize(rux::wordCapacity);
    int particle = 0;
    int group = 0;
    while (!cursor.atLineEnd()) {
        const Token& t = cursor.next();
        if (t.text == "dich") {
            group = 128;
        } else if (t.text == "mir") {
            group = 192;
        } else if (t.text == "others") {
            group = 64;
        } else {
            const Symbol* p = lookup(c, t, SymbolKind::Preposition);
            if (!p) return false;
            particle = p->number;
        }
    }
    a.verbPatterns.push_back(
        {static_cast<uint8_t>(c.verbNumber(verb)), static_cast<uint8_t>(group + particle)});
    return true;
}

} // namespace

void defineAction(Compilation& c, const Unit& unit) {
    Cursor cursor = c.cursor(unit);
    const Token keyword = cursor.next();
    const std::string name = cursor.next().text;
    const Symbol* s = c.symbols.find(name);
    if (cursor.acceptSymbol("@")) cursor.next();
    if (!s || s->kind != SymbolKind::Action) return;
    const int id = s->number;
    rux::storykit::StoryAction& a = c.story.actions[id - 1];
    if (cursor.peek().kind == TokenKind::String) {
        a.name = cursor.next().text;
        if (a.name.size() > rux::nameCapacity)
            c.error(keyword.place, "ein Aktionsname hat höchstens 36 Zeichen");
    }
    expectLineEnd(c, cursor);
    bool excludesGiven = false;
    uint8_t allowed = 0;
    while (true) {
        cursor.skipBlankLines();
        if (cursor.done() || cursor.acceptWord("end")) break;
        const Token k = cursor.next();
        bool ok = true;
        if (k.text == "pattern") {
            ok = readPattern(c, cursor, a);
        } else if (k.text == "prepositions") {
            while (ok && !cursor.atLineEnd()) {
                const Symbol* p = lookup(c, cursor.next(), SymbolKind::Preposition);
                ok = p != nullptr;
                if (ok) a.acceptedPrepositions.push_back(static_cast<uint8_t>(p->number));
            }
        } else if (k.text == "requires") {
            ok = readMask(c, cursor, a.requiredMask);
        } else if (k.text == "allows") {
            ok = readMask(c, cursor, allowed);
        } else if (k.text == "excludes") {
            ok = readMask(c, cursor, a.excludedMask);
            excludesGiven = true;
        } else if (k.text == "object1" || k.text == "object2" || k.text == "object3") {
            ok = readSlot(c, cursor, a, k.text.back() - '1');
        } else if (k.text == "secondaction" || k.text == "alias") {
            const Symbol* other = lookup(c, cursor.next(), SymbolKind::Action);
            ok = other != nullptr;
            if (ok)
                (k.text == "alias" ? a.alias : a.secondObjectAction) =
                    static_cast<uint8_t>(other->number);
        } else if (k.text == "option") {
            long long n = 0;
            ok = readNumber(c, cursor, n, 0, 255, "der Wert");
            a.option = static_cast<uint8_t>(n);
        } else if (k.text == "meta") {
            c.metaActions.insert(id);
        } else if (k.text == "script" || k.text == "hook") {
            expectLineEnd(c, cursor);
            rux::storykit::Code code = ScriptCompiler(c).compileBody(cursor);
            if (k.text == "script") {
                a.script = code;
            } else if (id > rux::standardActionCount) {
                c.error(k.place, "nur die Standardaktionen 1 bis 54 haben einen Hook");
            } else {
                c.story.actionHooks[id - 1] = code;
            }
            continue;
        } else {
            c.error(k.place, "unbekannte Eigenschaft „" + shownText(k.text) + "“");
            ok = false;
        }
        endPropertyLine(c, cursor, ok);
    }
    // Without "excludes", every slot the action neither requires nor allows
    // must stay empty.
    if (!excludesGiven) a.excludedMask = static_cast<uint8_t>(63 & ~(a.requiredMask | allowed));
}

void defineRoutine(Compilation& c, const Unit& unit) {
    Cursor cursor = c.cursor(unit);
    const Token keyword = cursor.next();
    if (unit.keyword == "hook") {
        const Symbol* s = lookup(c, cursor.next(), SymbolKind::Action);
        expectLineEnd(c, cursor);
        rux::storykit::Code code = ScriptCompiler(c).compileBody(cursor);
        if (s && s->number > rux::standardActionCount)
            c.error(keyword.place, "nur die Standardaktionen 1 bis 54 haben einen Hook");
        else if (s)
            c.story.actionHooks[s->number - 1] = code;
        return;
    }
    const std::string name = cursor.next().text;
    const Symbol* s = c.symbols.find(name);
    if (cursor.acceptSymbol("@")) cursor.next();
    const bool everyTurn = cursor.acceptWord("everyturn");
    expectLineEnd(c, cursor);
    rux::storykit::Code code = ScriptCompiler(c).compileBody(cursor);
    const SymbolKind kind =
        unit.keyword == "routine" ? SymbolKind::Routine : SymbolKind::TextRoutine;
    if (!s || s->kind != kind || s->number < 1) return;
    if (unit.keyword == "routine" && s->number == 1) c.hasStartRoutine = true;
    if (everyTurn) {
        if (unit.keyword == "routine")
            c.everyTurnRoutines.insert(s->number);
        else
            c.error(keyword.place, "nur Routinen laufen in jedem Zug");
    }
    auto& list = unit.keyword == "routine" ? c.story.routines : c.story.textRoutines;
    if (list.size() < static_cast<std::size_t>(s->number)) list.resize(s->number);
    list[s->number - 1] = code;
}

} // namespace ruxc
