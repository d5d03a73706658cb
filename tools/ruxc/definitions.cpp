// Second pass, part one: the one-line statements (story identity,
// vocabulary, variables, texts) and the dispatch to the block statements.

#include "tools/ruxc/definitions.h"

#include "tools/ruxc/compilation.h"
#include "tools/ruxc/script_compiler.h"
#include "tools/ruxc/source_text.h"
#include "tools/ruxc/text_refs.h"

namespace ruxc {

namespace {

// Skips the name and an optional "@number" of a declaration.
std::string declaredName(Cursor& cursor) {
    const std::string name = cursor.next().text;
    if (cursor.acceptSymbol("@")) cursor.next();
    return name;
}

// The symbol a definition line declared, or none when its name was not
// usable there (the declaring pass has reported why already).
const Symbol* definedSymbol(Compilation& c, const std::string& name, SymbolKind kind) {
    const Symbol* s = c.symbols.find(name);
    return s != nullptr && s->kind == kind && s->number >= 1 ? s : nullptr;
}

// Words longer than 12 characters are cut, as the parser cuts typed words.
bool checkWord(Compilation& c, std::string& word, const SourcePlace& place) {
    if (word.empty()) {
        c.error(place, "ein leeres Wort kann der Parser nie erkennen");
        return false;
    }
    if (word.size() > rux::wordCapacity) word.resize(rux::wordCapacity);
    return true;
}

void defineVariable(Compilation& c, Cursor& cursor, const Unit& unit) {
    const std::string name = declaredName(cursor);
    const SymbolKind kind = unit.keyword == "byte"        ? SymbolKind::ByteVariable
                            : unit.keyword == "long"      ? SymbolKind::LongVariable
                            : unit.keyword == "objectvar" ? SymbolKind::ObjectVariable
                                                          : SymbolKind::RoomVariable;
    const Symbol* s = definedSymbol(c, name, kind);
    if (!s) return;
    long long value = 0;
    if (cursor.acceptSymbol("=")) {
        if (unit.keyword == "byte" || unit.keyword == "long") {
            const long long low = unit.keyword == "long" ? -2147483648LL : 0;
            const long long high = unit.keyword == "long" ? 2147483647LL : 255;
            if (!readNumber(c, cursor, value, low, high, "der Anfangswert")) return;
        } else {
            ScriptCompiler sc(c);
            int number = 0;
            if (!sc.constant(cursor, number, "der Anfangswert")) return;
            value = number;
        }
    }
    auto put = [&](auto& list, auto v) {
        if (list.size() < static_cast<std::size_t>(s->number)) list.resize(s->number);
        list[s->number - 1] = v;
    };
    // The story file stores byte variables 17 to 26 with the display
    // settings, which would silently replace a start value given here.
    if (unit.keyword == "byte" && value != 0 && s->number >= 17 && s->number <= 26) {
        c.error(cursor.peek().place, "den Anfangswert der Byte-Variablen 17 bis 26 setzt "
                                     "„setting Nummer = Wert“");
        return;
    }
    if (unit.keyword == "byte") put(c.story.byteVariables, static_cast<uint8_t>(value));
    if (unit.keyword == "long") put(c.story.longVariables, static_cast<int32_t>(value));
    if (unit.keyword == "objectvar") put(c.story.objectVariables, static_cast<uint8_t>(value));
    if (unit.keyword == "roomvar") put(c.story.roomVariables, static_cast<uint8_t>(value));
    expectLineEnd(c, cursor);
}

void defineRule(Compilation& c, Cursor& cursor, const SourcePlace& place) {
    static const std::map<std::string, std::pair<int, int>> kinds = {
        {"replace", {1, 1}}, {"split", {2, 2}}, {"join", {3, 2}}, {"drop", {4, 0}}};
    const Token& how = cursor.next();
    const auto it = kinds.find(how.text);
    if (it == kinds.end()) {
        c.error(how.place, "eine Regel ist replace, split, join oder drop");
        return;
    }
    rux::ReplacementRule rule;
    rule.kind = static_cast<uint8_t>(it->second.first);
    std::string words[3];
    for (int k = 0; k <= it->second.second; ++k) {
        if (!readString(c, cursor, words[k], "ein Wort")) return;
        words[k] = foldWord(words[k]);
        if (!checkWord(c, words[k], place)) return;
    }
    rule.match = words[0];
    rule.first = words[1];
    rule.second = words[2];
    if (rule.match == "und")
        c.error(place, "eine Regel für „und“ liest die Engine nicht; sie wäre wirkungslos");
    c.story.replacementRules.push_back(rule);
    expectLineEnd(c, cursor);
}

void defineLine(Compilation& c, const Unit& unit) {
    Cursor cursor = c.cursor(unit);
    const Token keyword = cursor.next();
    const std::string& k = unit.keyword;
    rux::storykit::Story& story = c.story;

    if (k == "title" || k == "label") {
        std::string text;
        if (!readString(c, cursor, text, "der Titel")) return;
        if (text.size() > 255) c.error(keyword.place, "der Text ist länger als 255 Zeichen");
        (k == "title" ? story.title : story.label) = text;
    } else if (k == "setting") {
        long long number = 0, value = 0;
        if (!readNumber(c, cursor, number, 17, 26, "die Nummer der Einstellung")) return;
        if (!cursor.acceptSymbol("=")) {
            c.error(cursor.peek().place, "hier fehlt „=“");
            return;
        }
        if (!readNumber(c, cursor, value, 0, 255, "der Wert")) return;
        uint8_t* fields[] = {&story.display.paragraphStyle,  &story.display.titleStyle,
                             &story.display.statusLines,     &story.display.statusLineCount,
                             &story.display.scoreMessages,   &story.display.status22,
                             &story.display.status23,        &story.display.status24,
                             &story.display.descriptionMode, &story.display.indentWidth};
        *fields[number - 17] = static_cast<uint8_t>(value);
    } else if (k == "direction") {
        const std::string name = cursor.next().text;
        const Symbol* s = definedSymbol(c, name, SymbolKind::Direction);
        if (!s) return;
        std::string shortName, longName;
        if (!readString(c, cursor, shortName, "die Kurzform") ||
            !readString(c, cursor, longName, "die Langform"))
            return;
        shortName = foldWord(shortName);
        longName = foldWord(longName);
        if (!checkWord(c, shortName, keyword.place) || !checkWord(c, longName, keyword.place))
            return;
        if (s->number > rux::maxDirections) {
            c.error(keyword.place, "höchstens 16 Richtungen");
            return;
        }
        story.directionNames[s->number - 1] = {shortName, longName};
        story.directionCount = static_cast<uint8_t>(s->number);
    } else if (k == "preposition" || k == "word") {
        const std::string name = cursor.next().text;
        std::string word = name;
        if (cursor.peek().kind == TokenKind::String) word = cursor.next().text;
        word = foldWord(word);
        if (!checkWord(c, word, keyword.place)) return;
        auto& list = k == "preposition" ? story.prepositions : story.wordList;
        if (k == "preposition" && list.size() >= rux::maxPrepositions) {
            c.error(keyword.place, "höchstens 63 Präpositionen");
            return;
        }
        if (list.size() >= 255) {
            c.error(keyword.place, "höchstens 255 Wörter in der Wortliste");
            return;
        }
        list.push_back(word);
    } else if (k == "verb") {
        while (!cursor.atLineEnd()) {
            std::string word;
            if (!readString(c, cursor, word, "ein Verb")) return;
            word = foldWord(word);
            if (checkWord(c, word, keyword.place)) c.verbNumber(word);
        }
    } else if (k == "functionkey") {
        long long n = 0;
        std::string text;
        if (!readNumber(c, cursor, n, 1, 10, "die Nummer der Funktionstaste") ||
            !readString(c, cursor, text, "der Befehl"))
            return;
        story.functionKeys[n - 1] = text;
    } else if (k == "rule") {
        defineRule(c, cursor, keyword.place);
        return;
    } else if (k == "state") {
        const std::string name = cursor.next().text;
        const Symbol* s = c.symbols.find(name);
        cursor.acceptSymbol("@");
        if (cursor.peek().kind == TokenKind::Number) cursor.next();
        std::string text;
        if (cursor.peek().kind == TokenKind::String) text = cursor.next().text;
        if (!s || s->kind != SymbolKind::State) return;
        if (text.size() > rux::nameCapacity) {
            c.error(keyword.place, "ein Zustandsname hat höchstens 36 Zeichen");
            return;
        }
        if (story.stateNames.size() <= static_cast<std::size_t>(s->number))
            story.stateNames.resize(s->number + 1);
        story.stateNames[s->number] = text;
    } else if (k == "byte" || k == "long" || k == "objectvar" || k == "roomvar") {
        defineVariable(c, cursor, unit);
        return;
    } else if (k == "constant") {
        const std::string name = cursor.next().text;
        long long value = 0;
        if (!cursor.acceptSymbol("=") ||
            !readNumber(c, cursor, value, -2147483648LL, 2147483647LL, "der Wert")) {
            c.error(keyword.place, "eine Konstante braucht „= Wert“");
            return;
        }
        c.symbols.setNumber(name, c.longConstant(static_cast<int32_t>(value), keyword.place));
    } else if (k == "messagevar") {
        const std::string name = declaredName(cursor);
        const Symbol* s = definedSymbol(c, name, SymbolKind::MessageVariable);
        if (!s) return;
        rux::TextRef ref;
        if (cursor.acceptSymbol("=") && !readTextRef(c, cursor, ref)) return;
        if (story.messageVariables.size() < static_cast<std::size_t>(s->number))
            story.messageVariables.resize(s->number);
        story.messageVariables[s->number - 1] = ref;
    } else if (k == "array") {
        const std::string name = declaredName(cursor);
        const Symbol* s = definedSymbol(c, name, SymbolKind::ByteArray);
        if (!s) return;
        long long dims[3] = {1, 1, 1};
        for (int d = 0; d < 3 && !cursor.atLineEnd(); ++d)
            if (!readNumber(c, cursor, dims[d], 1, d == 0 ? 256 : 255, "eine Größe")) return;
        if (dims[0] * dims[1] * dims[2] > 65535) {
            c.error(keyword.place, "ein Feld hat höchstens 65535 Elemente");
            return;
        }
        if (story.byteArrays.size() < static_cast<std::size_t>(s->number))
            story.byteArrays.resize(s->number);
        story.byteArrays[s->number - 1] = {static_cast<uint8_t>(dims[0] & 0xFF),
                                           static_cast<uint8_t>(dims[1]),
                                           static_cast<uint8_t>(dims[2])};
    } else if (k == "objectflag" || k == "roomflag" || k == "property") {
        declaredName(cursor);
    } else if (k == "text") {
        const std::string name = declaredName(cursor);
        const Symbol* s = definedSymbol(c, name, SymbolKind::Text);
        if (!s) return;
        int variant = 0;
        while (!cursor.atLineEnd()) {
            const Token& t = cursor.peek();
            std::string text;
            if (!readString(c, cursor, text, "ein Text")) return;
            c.putVariant(s->number, ++variant, text, t.place);
        }
        if (variant == 0) c.error(keyword.place, "ein Text braucht mindestens eine Variante");
    } else if (k == "message" || k == "footnote") {
        long long n = 0;
        std::string text;
        if (!readNumber(c, cursor, n, 1, 255, "die Nummer") ||
            !readString(c, cursor, text, "der Text"))
            return;
        c.putVariant(k == "message" ? 0 : 255, static_cast<int>(n), text, keyword.place);
    } else if (k == "meta" || k == "everyturn") {
        while (!cursor.atLineEnd()) {
            const Symbol* s =
                lookup(c, cursor.next(), k == "meta" ? SymbolKind::Action : SymbolKind::Routine);
            if (s) (k == "meta" ? c.metaActions : c.everyTurnRoutines).insert(s->number);
        }
    } else if (k == "scoreslots") {
        long long n = 0;
        if (!readNumber(c, cursor, n, 0, 255, "die Zahl der Punktefelder")) return;
        story.scoreSlotCount = static_cast<uint8_t>(n);
    } else if (k == "minutes") {
        // the clock's minutes per turn live in byte variable 34
        long long n = 0;
        if (!readNumber(c, cursor, n, 0, 255, "die Minuten je Zug")) return;
        if (story.byteVariables.size() < 34) story.byteVariables.resize(34);
        story.byteVariables[33] = static_cast<uint8_t>(n);
    } else {
        c.error(keyword.place, "unbekannte Anweisung „" + shownText(k) + "“");
        return;
    }
    expectLineEnd(c, cursor);
}

} // namespace

void defineStory(Compilation& c) {
    c.story.objects.resize(c.objects.size());
    c.story.rooms.resize(c.roomNames.size());
    for (std::size_t r = 0; r < c.roomNames.size(); ++r)
        c.story.rooms[r].id = static_cast<uint8_t>(r + 1);
    c.story.actions.resize(c.actionCount);
    // Named texts and constants first, so that scripts know their numbers
    // and how many variants a text has.
    for (const Unit& unit : c.units)
        if (unit.keyword == "text" || unit.keyword == "constant") defineLine(c, unit);
    for (const Unit& unit : c.units) {
        const std::string& k = unit.keyword;
        if (k == "text" || k == "constant") continue;
        if (k == "item" || k == "fixture" || k == "class")
            defineObject(c, unit);
        else if (k == "room")
            defineRoom(c, unit);
        else if (k == "action")
            defineAction(c, unit);
        else if (k == "routine" || k == "textroutine" || k == "hook")
            defineRoutine(c, unit);
        else
            defineLine(c, unit);
    }
}

} // namespace ruxc
