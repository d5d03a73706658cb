// Operands, constants, texts and condition lists of scripts.

#include "engine/script/instruction_table.h"
#include "tools/ruxc/script_compiler.h"
#include "tools/ruxc/source_text.h"

namespace ruxc {

using rux::storykit::Condition;
using rux::storykit::Conditions;
using rux::storykit::Operand;

namespace {

Operand op(int type, int index) {
    return {static_cast<uint8_t>(type), static_cast<uint8_t>(index)};
}

// Names of engine cells that every story can use.
struct NamedCell {
    const char* name;
    int type;
    int index; // -1: the action cell, whose index depends on the action count
};
constexpr NamedCell namedCells[] = {
    {"player", 6, 251},   {"nothing", 0, 0},      {"object1", 7, 1},        {"object2", 7, 2},
    {"object3", 7, 3},    {"addressee", 7, 4},    {"recent", 7, 5},         {"enclosure", 7, 6},
    {"self", 7, 7},       {"vehicle", 7, 8},      {"related", 7, 9},        {"here", 9, 1},
    {"scriptroom", 9, 2}, {"direction", 15, 33},  {"preposition", 17, 255}, {"particle", 17, 254},
    {"verb", 18, 255},    {"wordindex", 39, 255}, {"turns", 4, 1},          {"score", 4, 3},
    {"scorebase", 4, 4},  {"action", 10, -1},
};

// Cells read through a function of an object (or room, or slot): the type
// for a constant argument; the next type takes the argument from a
// variable of the kind given.
struct CellFunction {
    const char* name;
    int type;
    int variableType; // 7 object, 3 byte, 9 room variable
};
constexpr CellFunction cellFunctions[] = {
    {"state", 21, 7},      {"weight", 23, 7},  {"volume", 25, 7},      {"target", 27, 7},
    {"count", 29, 7},      {"leadsto", 31, 7}, {"slot", 33, 3},        {"itempoints", 35, 7},
    {"roompoints", 37, 9}, {"parent", 43, 7},  {"outerobject", 45, 7}, {"outerholder", 47, 7},
    {"wordchar", 40, 3},
};

bool assignable(Operand o, int actionCount) {
    const int t = o.type;
    const int i = o.index;
    switch (t) {
    case 3:
    case 4:
    case 7:
    case 9: return true;
    case 10: return i > actionCount;
    case 14: return true;
    case 15: return i >= 33;
    case 17: return i >= 254;
    case 18: return i == 255;
    default: return (t >= 21 && t <= 38) || (t >= 64 && t <= 191);
    }
}

} // namespace

bool ScriptCompiler::constant(Cursor& cursor, int& out, const char* what) {
    const Token& t = cursor.peek();
    if (t.kind == TokenKind::Number || (t.kind == TokenKind::Symbol && t.text == "-")) {
        long long value = 0;
        if (!readNumber(c_, cursor, value, 0, 255, what)) return false;
        out = static_cast<int>(value);
        return true;
    }
    if (t.kind == TokenKind::Word) {
        if (const Symbol* s = c_.symbols.find(t.text)) {
            cursor.next();
            out = s->number;
            return true;
        }
        if (t.text == "player") {
            cursor.next();
            out = 251;
            return true;
        }
        c_.error(t.place, "unbekannter Name „" + shownText(t.text) + "“");
        cursor.next();
        return false;
    }
    c_.error(t.place, std::string("hier fehlt ") + what);
    return false;
}

bool ScriptCompiler::functionOperand(Cursor& cursor, const std::string& name, Operand& out) {
    const SourcePlace place = cursor.peek().place;
    cursor.next(); // the name
    cursor.next(); // "("
    Operand argument;
    if (!operand(cursor, argument)) return false;
    if (!cursor.acceptSymbol(")")) {
        c_.error(cursor.peek().place, "hier fehlt „)“");
        return false;
    }
    auto pick = [&](int constantType, int variableType) {
        const bool constantArgument =
            argument.type == 0 || argument.type == 6 || argument.type == 8 || argument.type == 1;
        if (constantArgument) {
            out = op(constantType, argument.index);
            return true;
        }
        if (argument.type == variableType ||
            (argument.index >= 248 &&
             (argument.type == 3 || argument.type == 7 || argument.type == 9))) {
            out = op(constantType + 1, argument.index);
            return true;
        }
        c_.error(place,
                 "„" + name + "(…)“ nimmt eine feste Nummer oder eine Variable der passenden Art");
        return false;
    };
    for (const CellFunction& f : cellFunctions)
        if (name == f.name) return pick(f.type, f.variableType);
    const Symbol* s = c_.symbols.find(name);
    if (s && s->kind == SymbolKind::Property) return pick(63 + s->number, 7);
    if (s && s->kind == SymbolKind::ByteArray) return pick(127 + s->number, 3);
    c_.error(place,
             "„" + shownText(name) + "“ ist keine Funktion, keine Eigenschaft und kein Feld");
    return false;
}

bool ScriptCompiler::operand(Cursor& cursor, Operand& out) {
    const Token& t = cursor.peek();
    if (t.kind == TokenKind::Number || (t.kind == TokenKind::Symbol && t.text == "-")) {
        const SourcePlace place = t.place;
        const bool negative = cursor.acceptSymbol("-");
        if (cursor.peek().kind != TokenKind::Number) {
            c_.error(place, "nach „-“ fehlt eine Zahl");
            return false;
        }
        const long long value = cursor.next().number * (negative ? -1 : 1);
        if (value < -2147483648LL || value > 2147483647LL) {
            c_.error(place, "die Zahl passt nicht in 32 Bit");
            return false;
        }
        if (value >= 0 && value <= 255)
            out = op(0, static_cast<int>(value));
        else
            out = op(5, c_.longConstant(static_cast<int32_t>(value), place));
        return true;
    }
    if (t.kind == TokenKind::Symbol && t.text == "@") {
        // A raw operand: @type:index
        cursor.next();
        long long type = 0, index = 0;
        if (!readNumber(c_, cursor, type, 0, 255, "die Wertart")) return false;
        if (!cursor.acceptSymbol(":")) {
            c_.error(cursor.peek().place, "nach der Wertart folgt „:“ und der Index");
            return false;
        }
        if (!readNumber(c_, cursor, index, 0, 255, "der Index")) return false;
        out = op(static_cast<int>(type), static_cast<int>(index));
        return true;
    }
    if (t.kind != TokenKind::Word) {
        c_.error(t.place, "hier fehlt ein Wert");
        return false;
    }
    const std::string name = t.text;
    if (cursor.isSymbol("(", 1)) return functionOperand(cursor, name, out);
    if (const auto local = locals_.find(name); local != locals_.end()) {
        cursor.next();
        out = op(3, 256 - local->second);
        return true;
    }
    for (const NamedCell& cell : namedCells) {
        if (name == cell.name) {
            cursor.next();
            out = op(cell.type, cell.index < 0 ? c_.actionCount + 1 : cell.index);
            return true;
        }
    }
    const Symbol* s = c_.symbols.find(name);
    if (!s) {
        c_.error(t.place, "unbekannter Name „" + shownText(name) + "“");
        cursor.next();
        return false;
    }
    cursor.next();
    switch (s->kind) {
    case SymbolKind::Object: out = op(6, s->number); return true;
    case SymbolKind::Room: out = op(8, s->number); return true;
    case SymbolKind::Action: out = op(10, s->number); return true;
    case SymbolKind::ByteVariable: out = op(3, s->number); return true;
    case SymbolKind::LongVariable: out = op(4, s->number); return true;
    case SymbolKind::LongConstant: out = op(5, s->number); return true;
    case SymbolKind::ObjectVariable: out = op(7, s->number); return true;
    case SymbolKind::RoomVariable: out = op(9, s->number); return true;
    case SymbolKind::Direction: out = op(15, s->number); return true;
    case SymbolKind::Preposition: out = op(17, s->number); return true;
    default: out = op(0, s->number); return true; // flags, states, words, routines, texts
    }
}

bool ScriptCompiler::destination(Cursor& cursor, Operand& out) {
    const Token start = cursor.peek();
    if (!operand(cursor, out)) return false;
    if (!assignable(out, c_.actionCount)) {
        c_.error(start.place, "„" + shownText(start.text) + "“ lässt sich nichts zuweisen");
        return false;
    }
    return true;
}

bool ScriptCompiler::text(Cursor& cursor, TextChoice& out) {
    const Token& t = cursor.peek();
    out = TextChoice{};
    if (t.kind == TokenKind::String) {
        const rux::TextRef ref = c_.inlineText(t.text, t.place);
        cursor.next();
        out.mark = ref.mark;
        out.variant = ref.variant;
        return true;
    }
    if (t.kind == TokenKind::Word && (t.text == "message" || t.text == "footnote")) {
        out.mark = t.text == "message" ? 0 : 255;
        cursor.next();
    } else if (t.kind == TokenKind::Word) {
        const Symbol* s = lookup(c_, t, SymbolKind::Text);
        cursor.next();
        if (!s) return false;
        out.mark = s->number;
        const auto it = c_.story.texts.find(s->number);
        out.variantCount = it == c_.story.texts.end() ? 1 : static_cast<int>(it->second.size());
        if (cursor.atLineEnd() || cursor.isWord("random")) return true;
    } else {
        c_.error(t.place, "hier fehlt ein Text");
        return false;
    }
    const Token& v = cursor.peek();
    if (v.kind == TokenKind::Number) {
        long long value = 0;
        if (!readNumber(c_, cursor, value, 1, 255, "die Variante")) return false;
        out.variant = static_cast<int>(value);
        return true;
    }
    out.variantIsOperand = true;
    return operand(cursor, out.variantOperand);
}

bool ScriptCompiler::simpleCondition(Cursor& cursor, Condition& out) {
    using namespace rux::storykit;
    const Token& t = cursor.peek();
    bool negate = false;
    auto finish = [&](Condition condition) {
        if (negate) condition.bytes[0] ^= rux::conditionNegated;
        out = condition;
        return true;
    };
    if (t.kind == TokenKind::Word) {
        const std::string& w = t.text;
        Operand a, b;
        if (w == "true") {
            cursor.next();
            return finish(always());
        }
        if (w == "visible" || w == "nearby" || w == "chance" || w == "dark" || w == "meta" ||
            w == "fixed" || w == "positive") {
            cursor.next();
            if (!operand(cursor, a)) return false;
            if (w == "visible") return finish(visible(a));
            if (w == "nearby") return finish(visibleFromRoom(a));
            if (w == "chance") return finish(chance(a));
            if (w == "dark") return finish(darkRoom(a));
            if (w == "meta") return finish(metaAction(a));
            if (w == "fixed") return finish(isFixed(a));
            return finish(positive(a));
        }
        if (w == "together" || w == "samelocation") {
            cursor.next();
            if (!operand(cursor, a) || !operand(cursor, b)) return false;
            return finish(w == "together" ? together(a, b) : sameLocation(a, b));
        }
        // Any condition by its name in the instruction table.
        for (int code = 1; code < 128; ++code) {
            const rux::ConditionInfo& info = rux::conditionTable[code];
            if (!info.known() || info.name != w || cursor.isSymbol("(", 1)) continue;
            cursor.next();
            Condition raw;
            raw.bytes.push_back(static_cast<uint8_t>(code));
            for (char kind : info.operands) {
                if (kind == 'O') {
                    if (!operand(cursor, a)) return false;
                    raw.bytes.push_back(a.type);
                    raw.bytes.push_back(a.index);
                } else {
                    int value = 0;
                    if (!constant(cursor, value, "eine Zahl")) return false;
                    raw.bytes.push_back(static_cast<uint8_t>(value));
                }
            }
            return finish(raw);
        }
    }
    Operand a, b;
    if (!operand(cursor, a)) return false;
    const Token& relation = cursor.peek();
    if (relation.kind == TokenKind::Symbol) {
        const std::string r = relation.text;
        cursor.next();
        if (!operand(cursor, b)) return false;
        if (r == "=") return finish(eq(a, b));
        if (r == "<") return finish(lt(a, b));
        if (r == ">") return finish(gt(a, b));
        negate = true;
        if (r == "<>") return finish(eq(a, b));
        if (r == "<=") return finish(gt(a, b));
        if (r == ">=") return finish(lt(a, b));
        c_.error(relation.place, "unbekannter Vergleich „" + r + "“");
        return false;
    }
    if (relation.kind != TokenKind::Word) {
        c_.error(relation.place, "hier fehlt ein Vergleich");
        return false;
    }
    const std::string r = relation.text;
    cursor.next();
    if (r == "is" || r == "has") negate = cursor.acceptWord("not");
    static const std::map<std::string, int> placeRelations = {
        {"at", 0}, {"in", 2}, {"on", 3}, {"attached", 4}, {"under", 5}, {"behind", 6}};
    if (const auto it = placeRelations.find(r); it != placeRelations.end()) {
        if (!operand(cursor, b)) return false;
        return finish(located(a, it->second, b));
    }
    if (r == "carried") return finish(located(a, 0, op(0, 0)));
    if (r == "worn") return finish(located(a, 1, op(0, 0)));
    if (r == "is") {
        int state = 0;
        if (!constant(cursor, state, "ein Zustand")) return false;
        return finish(hasState(a, state));
    }
    if (r == "isa") {
        int kind = 0;
        if (!constant(cursor, kind, "ein Objekt")) return false;
        return finish(kindOf(a, kind));
    }
    if (r == "has") {
        const Token& f = cursor.peek();
        const Symbol* s = f.kind == TokenKind::Word ? c_.symbols.find(f.text) : nullptr;
        if (!s || (s->kind != SymbolKind::ObjectFlag && s->kind != SymbolKind::RoomFlag &&
                   s->kind != SymbolKind::Property)) {
            c_.error(f.place, "nach „has“ steht ein Flag oder eine Eigenschaft");
            cursor.next();
            return false;
        }
        cursor.next();
        if (s->kind == SymbolKind::ObjectFlag) return finish(objectFlag(a, s->number));
        if (s->kind == SymbolKind::RoomFlag) return finish(roomFlag(a, s->number));
        return finish(hasProperty(a, s->number));
    }
    c_.error(relation.place, "unbekannte Bedingung „" + shownText(r) + "“");
    return false;
}

bool ScriptCompiler::conditions(Cursor& cursor, Conditions& out) {
    auto one = [&](Condition& condition) {
        const bool negated = cursor.acceptWord("not");
        if (!simpleCondition(cursor, condition)) return false;
        if (negated) condition.bytes[0] ^= rux::conditionNegated;
        return true;
    };
    Condition first;
    if (!one(first)) return false;
    out = Conditions(first);
    while (cursor.isWord("and") || cursor.isWord("or")) {
        const bool isAnd = cursor.next().text == "and";
        Condition next;
        if (!one(next)) return false;
        out = isAnd ? out.and_(next) : out.or_(next);
    }
    if (cursor.isSymbol("(") || cursor.isSymbol(")"))
        c_.error(cursor.peek().place,
                 "Klammern gibt es in Bedingungen nicht; sie werden von links nach rechts gelesen");
    return true;
}

} // namespace ruxc
