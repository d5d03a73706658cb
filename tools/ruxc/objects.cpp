// Second pass: items, fixtures and classes.

#include "tools/ruxc/compilation.h"
#include "tools/ruxc/definitions.h"
#include "tools/ruxc/script_compiler.h"
#include "tools/ruxc/source_text.h"
#include "tools/ruxc/text_refs.h"

namespace ruxc {

namespace {

const std::map<std::string, int> holderRelations = {{"at", 0},       {"in", 2},    {"on", 3},
                                                    {"attached", 4}, {"under", 5}, {"behind", 6}};
const std::map<std::string, int> scriptNumbers = {
    {"before", 1}, {"after", 2}, {"reactbefore", 3}, {"reactafter", 4}, {"order", 5}};
const std::map<std::string, int> textSlots = {
    {"description", 0}, {"roomtext", 1}, {"readtext", 2}, {"insidetext", 7}};

// An object or room as a byte; reports other names.
bool placeNumber(Compilation& c, Cursor& cursor, int& number, bool& isRoom) {
    const Token& t = cursor.next();
    const Symbol* s = t.kind == TokenKind::Word ? c.symbols.find(t.text) : nullptr;
    if (!s || (s->kind != SymbolKind::Object && s->kind != SymbolKind::Room)) {
        c.error(t.place, "hier fehlt ein Objekt oder ein Raum");
        return false;
    }
    number = s->number;
    isRoom = s->kind == SymbolKind::Room;
    return true;
}

bool readGenderAndArticle(Compilation& c, Cursor& cursor, uint8_t& gender, uint8_t& article) {
    if (cursor.peek().kind == TokenKind::Word && genderOf(cursor.peek().text) >= 0)
        gender = static_cast<uint8_t>(genderOf(cursor.next().text));
    if (cursor.acceptWord("article")) {
        long long kind = 0;
        if (!readNumber(c, cursor, kind, 0, 63, "die Artikelart")) return false;
        article = static_cast<uint8_t>(kind);
    }
    return true;
}

bool readWords(Compilation& c, Cursor& cursor, std::vector<std::string>& out) {
    bool any = false;
    while (cursor.peek().kind == TokenKind::String) {
        const Token& t = cursor.next();
        std::string word = foldWord(t.text);
        if (word.empty()) {
            c.error(t.place, "ein leeres Wort kann der Parser nie erkennen");
            return false;
        }
        // cut like the words the player types
        if (word.size() > rux::wordCapacity) word.resize(rux::wordCapacity);
        out.push_back(word);
        any = true;
    }
    if (!any) c.error(cursor.peek().place, "hier fehlt ein Wort in Anführungszeichen");
    return any;
}

void objectLine(Compilation& c, Cursor& cursor, rux::storykit::StoryObject& o, int number) {
    const Token keyword = cursor.next();
    const std::string& k = keyword.text;
    if (keyword.kind != TokenKind::Word) {
        c.error(keyword.place, "hier fehlt eine Eigenschaft des Objekts");
        cursor.skipLine();
        return;
    }
    bool ok = true;
    if (k == "noun") {
        std::vector<std::string> words;
        ok = readWords(c, cursor, words);
        int form = o.gender;
        if (cursor.peek().kind == TokenKind::Word && genderOf(cursor.peek().text) >= 0)
            form = genderOf(cursor.next().text);
        for (const std::string& w : words)
            o.nouns.push_back({w, static_cast<uint8_t>(form)});
    } else if (k == "adjective") {
        ok = readWords(c, cursor, o.adjectives);
    } else if (k == "prefix") {
        ok = readWords(c, cursor, o.nounPrefixes);
    } else if (k == "plural") {
        ok = readString(c, cursor, o.pluralName, "der Pluralname") &&
             readGenderAndArticle(c, cursor, o.pluralGender, o.pluralArticleKind);
        if (ok && o.pluralName.size() > rux::nameCapacity) {
            c.error(keyword.place, "ein Name hat höchstens 36 Zeichen");
            ok = false;
        }
    } else if (k == "article") {
        long long kind = 0;
        ok = readNumber(c, cursor, kind, 0, 63, "die Artikelart");
        o.articleKind = static_cast<uint8_t>(kind);
    } else if (holderRelations.count(k)) {
        int holder = 0;
        bool isRoom = false;
        ok = placeNumber(c, cursor, holder, isRoom);
        o.holder = static_cast<uint8_t>(holder);
        o.relation = static_cast<uint8_t>(isRoom && k == "in" ? 0 : holderRelations.at(k));
    } else if (k == "carried" || k == "worn" || k == "nowhere") {
        o.holder = k == "nowhere" ? 255 : 0;
        o.relation = k == "worn" ? 1 : 0;
    } else if (k == "weight" || k == "volume" || k == "space" || k == "count") {
        long long n = 0;
        ok = readNumber(c, cursor, n, 0, 255, "der Wert");
        (k == "weight"   ? o.weight
         : k == "volume" ? o.volume
         : k == "space"  ? o.spaceLeft
                         : o.target) = static_cast<uint8_t>(n);
    } else if (k == "state" || k == "target" || k == "base") {
        ScriptCompiler sc(c);
        int n = 0;
        ok = sc.constant(cursor, n, "ein Wert");
        (k == "state" ? o.state : k == "target" ? o.target : o.base) = static_cast<uint8_t>(n);
    } else if (k == "is") {
        while (ok && !cursor.atLineEnd()) {
            const Symbol* s = lookup(c, cursor.next(), SymbolKind::ObjectFlag);
            if (!s)
                ok = false;
            else {
                auto& flags = c.story.objectFlags;
                if (flags.size() < static_cast<std::size_t>(s->number)) flags.resize(s->number);
                flags[s->number - 1].push_back(static_cast<uint8_t>(number));
            }
        }
    } else if (k == "property") {
        const Symbol* s = lookup(c, cursor.next(), SymbolKind::Property);
        long long value = 0;
        ok = s && cursor.acceptSymbol("=") && readNumber(c, cursor, value, 0, 255, "der Wert");
        if (ok && o.properties.size() >= rux::maxObjectProperties) {
            c.error(keyword.place, "ein Objekt hat höchstens 7 Eigenschaften");
            ok = false;
        }
        if (ok)
            o.properties.emplace_back(static_cast<uint8_t>(s->number), static_cast<uint8_t>(value));
    } else if (textSlots.count(k) || k == "slot") {
        long long slot = k == "slot" ? 0 : textSlots.at(k);
        if (k == "slot") ok = readNumber(c, cursor, slot, 0, 7, "die Nummer des Textplatzes");
        rux::TextRef ref;
        ok = ok && readTextRef(c, cursor, ref);
        o.textSlots[slot] = ref;
    } else if (k == "talk") {
        std::string text;
        ok = readString(c, cursor, text, "der Gesprächstext");
        if (ok) c.putVariant(254, number, text, keyword.place);
    } else if (k == "countedforms") {
        c.tailSets[3].push_back(static_cast<uint8_t>(number));
    } else if (k == "script") {
        const Token& which = cursor.next();
        const auto it = scriptNumbers.find(which.text);
        if (it == scriptNumbers.end()) {
            c.error(which.place, "ein Objektskript heißt before, after, reactbefore, reactafter "
                                 "oder order");
            cursor.skipLine();
            ScriptCompiler(c).compileBody(cursor);
            return;
        }
        expectLineEnd(c, cursor);
        o.scripts[it->second - 1] = ScriptCompiler(c).compileBody(cursor);
        return;
    } else {
        c.error(keyword.place, "unbekannte Eigenschaft „" + shownText(k) + "“");
        ok = false;
    }
    endPropertyLine(c, cursor, ok);
}

} // namespace

void defineObject(Compilation& c, const Unit& unit) {
    Cursor cursor = c.cursor(unit);
    const Token keyword = cursor.next();
    const std::string name = cursor.next().text;
    const Symbol* s = c.symbols.find(name);
    if (!s || s->kind != SymbolKind::Object) return;
    const int number = s->number;
    rux::storykit::StoryObject& o = c.story.objects[number - 1];
    o.holder = 255; // nowhere, unless the object says where it is
    if (readString(c, cursor, o.name, "der Name des Objekts")) {
        if (o.name.size() > rux::nameCapacity)
            c.error(keyword.place, "ein Name hat höchstens 36 Zeichen");
        readGenderAndArticle(c, cursor, o.gender, o.articleKind);
    }
    expectLineEnd(c, cursor);
    while (true) {
        cursor.skipBlankLines();
        if (cursor.done() || cursor.acceptWord("end")) break;
        objectLine(c, cursor, o, number);
    }
}

} // namespace ruxc
