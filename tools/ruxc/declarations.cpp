// First pass: every declared name gets its kind and number, so that the
// second pass can refer to names declared further down or in other files.

#include "tools/ruxc/compilation.h"
#include "tools/ruxc/source_text.h"

#include <algorithm>

namespace ruxc {

namespace {

// Where automatic numbers of a kind start and the highest number allowed.
// Low numbers that the engine gives a role of its own are left to
// declarations with an explicit "@number".
struct NumberRange {
    SymbolKind kind;
    const char* keyword;
    int firstAutomatic;
    int highest;
};

constexpr NumberRange numberedKinds[] = {
    {SymbolKind::Action, "action", 1, 255},
    {SymbolKind::Routine, "routine", 10, 255},
    {SymbolKind::TextRoutine, "textroutine", 1, 255},
    {SymbolKind::ByteVariable, "byte", 36, rux::maxByteVariables},
    {SymbolKind::LongVariable, "long", 6, rux::maxLongVariables},
    {SymbolKind::ObjectVariable, "objectvar", 10, rux::maxObjectVariables},
    {SymbolKind::RoomVariable, "roomvar", 3, rux::maxRoomVariables},
    {SymbolKind::MessageVariable, "messagevar", 1, rux::maxMessageVariables},
    {SymbolKind::ByteArray, "array", 1, rux::maxByteArrays},
    {SymbolKind::ObjectFlag, "objectflag", 24, rux::maxObjectFlags},
    {SymbolKind::RoomFlag, "roomflag", 4, rux::maxRoomFlags},
    {SymbolKind::Property, "property", 1, 32},
    {SymbolKind::Text, "text", 1, 253},
};

const NumberRange* numberedKind(const std::string& keyword) {
    for (const NumberRange& range : numberedKinds)
        if (keyword == range.keyword) return &range;
    return nullptr;
}

struct Declared {
    std::string name;
    const NumberRange* range;
    int number; // 0: automatic
    SourcePlace place;
};

void declare(Compilation& c, const std::string& name, const Symbol& symbol) {
    if (!c.symbols.add(name, symbol)) {
        const Symbol* earlier = c.symbols.find(name);
        c.error(symbol.place, "„" + shownText(name) + "“ ist schon vergeben (" +
                                  earlier->place.file + ":" + std::to_string(earlier->place.line) +
                                  ")");
    }
}

} // namespace

void declareNames(Compilation& c) {
    std::vector<Declared> numbered;
    std::vector<ObjectDeclaration> items, fixtures, classes;
    int directions = 0, prepositions = 0, words = 0;

    for (std::size_t u = 0; u < c.units.size(); ++u) {
        const Unit& unit = c.units[u];
        Cursor cursor = c.cursor(unit);
        const Token& keyword = cursor.next();
        const std::string& k = unit.keyword;
        if (k == "item" || k == "fixture" || k == "class" || k == "room" || k == "state" ||
            k == "direction" || k == "preposition" || k == "word" || k == "constant" ||
            numberedKind(k)) {
            std::string name;
            if (!readName(c, cursor, name, "ein Name")) continue;
            const SourcePlace place = keyword.place;
            if (k == "item" || k == "fixture" || k == "class") {
                const ObjectKind kind = k == "item"      ? ObjectKind::Item
                                        : k == "fixture" ? ObjectKind::Fixture
                                                         : ObjectKind::Class;
                (kind == ObjectKind::Item      ? items
                 : kind == ObjectKind::Fixture ? fixtures
                                               : classes)
                    .push_back({name, kind, u});
                declare(c, name, {SymbolKind::Object, 0, place});
            } else if (k == "room") {
                c.roomNames.push_back(name);
                declare(c, name, {SymbolKind::Room, static_cast<int>(c.roomNames.size()), place});
            } else if (k == "state") {
                long long value = 0;
                if (!cursor.acceptSymbol("@"))
                    c.error(place, "ein Zustand braucht seine Nummer („@Zahl“)");
                else
                    readNumber(c, cursor, value, 0, 255, "die Nummer des Zustands");
                declare(c, name, {SymbolKind::State, static_cast<int>(value), place});
            } else if (k == "direction") {
                declare(c, name, {SymbolKind::Direction, ++directions, place});
            } else if (k == "preposition") {
                declare(c, name, {SymbolKind::Preposition, ++prepositions, place});
            } else if (k == "word") {
                declare(c, name, {SymbolKind::Word, ++words, place});
            } else if (k == "constant") {
                declare(c, name, {SymbolKind::LongConstant, 0, place});
            } else {
                const NumberRange* range = numberedKind(k);
                long long value = 0;
                if (cursor.acceptSymbol("@"))
                    readNumber(c, cursor, value, 1, range->highest, "die Nummer");
                numbered.push_back({name, range, static_cast<int>(value), place});
                declare(c, name, {range->kind, static_cast<int>(value), place});
            }
        }
    }

    // Objects: items first, then fixtures, then classes.
    c.objects = items;
    c.objects.insert(c.objects.end(), fixtures.begin(), fixtures.end());
    c.objects.insert(c.objects.end(), classes.begin(), classes.end());
    for (std::size_t i = 0; i < c.objects.size(); ++i)
        if (c.symbols.find(c.objects[i].name)->kind == SymbolKind::Object)
            c.symbols.setNumber(c.objects[i].name, static_cast<int>(i + 1));
    c.story.portableCount = static_cast<int>(items.size());
    c.story.fixedObjectCount = static_cast<int>(fixtures.size());

    // Explicit numbers first, then the automatic ones in declaration order.
    std::map<SymbolKind, std::set<int>> used;
    for (const Declared& d : numbered) {
        if (d.number == 0) continue;
        if (!used[d.range->kind].insert(d.number).second)
            c.error(d.place, std::string("die Nummer ") + std::to_string(d.number) + " ist für " +
                                 kindName(d.range->kind) + " schon vergeben");
    }
    for (const Declared& d : numbered) {
        if (d.number != 0) continue;
        std::set<int>& taken = used[d.range->kind];
        int n = d.range->firstAutomatic;
        while (taken.count(n))
            ++n;
        if (n > d.range->highest) {
            c.error(d.place, std::string("zu viele Namen dieser Art: mehr als ") +
                                 std::to_string(d.range->highest) + " sind nicht möglich");
            continue;
        }
        taken.insert(n);
        const Symbol* s = c.symbols.find(d.name);
        if (s && s->kind == d.range->kind && s->place.line == d.place.line &&
            s->place.file == d.place.file)
            c.symbols.setNumber(d.name, n);
    }
    for (const auto& [kind, numbers] : used)
        if (!numbers.empty()) c.highest[kind] = *numbers.rbegin();
    for (const Declared& d : numbered) {
        if (d.range->kind != SymbolKind::Action) continue;
        const Symbol* s = c.symbols.find(d.name);
        if (s && s->kind == SymbolKind::Action && s->place.file == d.place.file &&
            s->place.line == d.place.line)
            c.actionNames[s->number] = d.name;
    }
    c.actionCount = c.actionNames.empty() ? 0 : c.actionNames.rbegin()->first;

    // Inline texts go into marks after the named ones.
    const std::set<int>& textMarks = used[SymbolKind::Text];
    c.firstPoolMark = textMarks.empty() ? 1 : *textMarks.rbegin() + 1;
    c.poolMark = 0;
}

} // namespace ruxc
