// Statements of scripts: structured blocks, texts, assignments, the world
// instructions with readable forms, and every instruction by its name.

#include "tools/ruxc/script_compiler.h"

#include "engine/script/instruction_table.h"
#include "tools/ruxc/source_text.h"

namespace ruxc {

using rux::storykit::AssemblerError;
using rux::storykit::Code;
using rux::storykit::Conditions;
using rux::storykit::Operand;

namespace {

Operand op(int type, int index) {
    return {static_cast<uint8_t>(type), static_cast<uint8_t>(index)};
}

int findMnemonic(const std::string& word) {
    for (int code = 1; code < 256; ++code)
        if (rux::instructionTable[code].mnemonic == word) return code;
    return 0;
}

const std::map<std::string, int> placeRelations = {{"at", 0},       {"in", 2},    {"on", 3},
                                                   {"attached", 4}, {"under", 5}, {"behind", 6}};

} // namespace

Code ScriptCompiler::compileBody(Cursor& cursor) {
    const SourcePlace start = cursor.peek().place;
    try {
        statements(cursor, {"end"});
        if (!cursor.acceptWord("end"))
            c_.error(start, "das Skript wird nicht mit „end“ geschlossen");
        else
            expectLineEnd(c_, cursor);
        if (failed_) return {};
        Code code = a_.finish();
        if (code.size() > 0xFFFF) c_.error(start, "das Skript ist länger als 65535 Bytes");
        return code;
    } catch (const AssemblerError& error) {
        c_.error(start, std::string("das Skript lässt sich nicht übersetzen: ") + error.what());
        return {};
    }
}

bool ScriptCompiler::statements(Cursor& cursor, std::initializer_list<const char*> stops) {
    while (true) {
        cursor.skipBlankLines();
        if (cursor.done() || cursor.peek().kind == TokenKind::End) return false;
        for (const char* stop : stops)
            if (cursor.isWord(stop)) return true;
        if (!statement(cursor)) failed_ = true;
    }
}

bool ScriptCompiler::statement(Cursor& cursor) {
    const Token first = cursor.peek();
    const bool startsWithValue =
        first.kind == TokenKind::Number || first.text == "@" || first.text == "-";
    if (first.kind != TokenKind::Word && !startsWithValue) {
        c_.error(first.place, "eine Anweisung beginnt mit einem Wort");
        cursor.skipLine();
        return false;
    }
    const std::string& w = first.text;
    bool ok = true;
    auto line = [&](bool good) {
        if (!good) {
            cursor.skipLine();
            return false;
        }
        return expectLineEnd(c_, cursor);
    };

    if (w == "if") {
        ifStatement(cursor);
        return true;
    }
    if (w == "select") {
        selectStatement(cursor);
        return true;
    }
    if (w == "while") {
        cursor.next();
        Conditions list = rux::storykit::Condition{};
        ok = conditions(cursor, list);
        cursor.acceptWord("do");
        line(ok);
        a_.while_(list);
        open(first.place);
        statements(cursor, {"end"});
        if (cursor.acceptWord("end")) line(true);
        a_.end();
        --depth_;
        return ok;
    }
    if (w == "repeat") {
        cursor.next();
        line(true);
        a_.repeat();
        open(first.place);
        statements(cursor, {"until"});
        Conditions list = rux::storykit::Condition{};
        if (cursor.acceptWord("until")) ok = line(conditions(cursor, list));
        a_.until(list);
        --depth_;
        return ok;
    }
    if (w == "for") {
        cursor.next();
        Operand variable, from, to;
        ok = destination(cursor, variable);
        if (ok && !cursor.acceptSymbol("=")) {
            c_.error(cursor.peek().place, "nach der Schleifenvariablen folgt „=“");
            ok = false;
        }
        ok = ok && operand(cursor, from);
        if (ok && !cursor.acceptWord("to")) {
            c_.error(cursor.peek().place, "hier fehlt „to“");
            ok = false;
        }
        ok = ok && operand(cursor, to);
        line(ok);
        a_.for_(variable, from, to);
        open(first.place);
        statements(cursor, {"end"});
        if (cursor.acceptWord("end")) line(true);
        a_.end();
        --depth_;
        return ok;
    }
    if (w == "else" || w == "elif" || w == "case" || w == "default") {
        c_.error(first.place, "„" + w + "“ steht außerhalb des passenden Blocks");
        cursor.skipLine();
        return false;
    }
    if (w == "local") {
        cursor.next();
        while (!cursor.atLineEnd()) {
            std::string name;
            if (!readName(c_, cursor, name, "der Name einer lokalen Variablen")) return line(false);
            if (locals_.size() >= 8) {
                c_.error(first.place, "ein Skript hat höchstens 8 lokale Variablen");
                return line(false);
            }
            if (!locals_.emplace(name, static_cast<int>(locals_.size()) + 1).second)
                c_.error(first.place,
                         "die lokale Variable „" + shownText(name) + "“ gibt es schon");
            cursor.acceptSymbol(",");
        }
        return line(true);
    }
    if (w == "print" || w == "printstop" || w == "pending" || w == "textbox") {
        cursor.next();
        TextChoice choice;
        if (!text(cursor, choice)) return line(false);
        if (w == "print" && cursor.acceptWord("random")) {
            a_.emit("printrandom", {choice.mark, 1, choice.variantCount});
        } else if (w == "textbox") {
            a_.emit("textbox",
                    {choice.mark, choice.variantIsOperand ? choice.variantOperand : op(0, choice.variant)});
        } else if (choice.variantIsOperand) {
            if (w != "print") {
                c_.error(first.place, "„" + w + "“ braucht eine feste Variante");
                return line(false);
            }
            a_.emit("printvar", {choice.mark, choice.variantOperand});
        } else {
            a_.emit(w == "print"       ? "print"
                    : w == "printstop" ? "printstop"
                                       : "setpending",
                    {choice.mark, choice.variant});
        }
        return line(true);
    }
    if (w == "setmessage") {
        cursor.next();
        const Symbol* s = lookup(c_, cursor.next(), SymbolKind::MessageVariable);
        TextChoice choice;
        if (!s || !text(cursor, choice)) return line(false);
        a_.emit("setmessage", {s->number, choice.mark,
                               choice.variantIsOperand ? choice.variantOperand : op(0, choice.variant)});
        return line(true);
    }
    if (w == "place") {
        cursor.next();
        Operand object, holder = op(0, 0);
        if (!operand(cursor, object)) return line(false);
        int relation = 0;
        const Token how = cursor.next();
        if (how.kind == TokenKind::Word && placeRelations.count(how.text)) {
            relation = placeRelations.at(how.text);
            if (!operand(cursor, holder)) return line(false);
        } else if (how.kind == TokenKind::Word && how.text == "carried") {
        } else if (how.kind == TokenKind::Word && how.text == "worn") {
            relation = 1;
        } else if (how.kind == TokenKind::Word && how.text == "nowhere") {
            holder = op(0, 255);
        } else {
            c_.error(how.place, "nach dem Objekt folgt in, on, at, under, behind, attached, "
                                "carried, worn oder nowhere");
            return line(false);
        }
        a_.emit("place", {object, relation, holder});
        return line(true);
    }
    if (w == "goto" || w == "board") {
        cursor.next();
        Operand where;
        if (!operand(cursor, where)) return line(false);
        a_.emit("move", {w == "goto" ? 0 : 1, where});
        return line(true);
    }
    if (w == "call" || w == "do") {
        cursor.next();
        const Symbol* s =
            lookup(c_, cursor.next(), w == "call" ? SymbolKind::Routine : SymbolKind::Action);
        if (!s) return line(false);
        a_.emit("call", {w == "call" ? rux::callKind::routine : rux::callKind::action, s->number});
        return line(true);
    }
    if (w == "perform") {
        cursor.next();
        Operand act;
        if (!operand(cursor, act)) return line(false);
        std::vector<Operand> list;
        while (!cursor.atLineEnd()) {
            Operand o;
            if (!operand(cursor, o)) return line(false);
            list.push_back(o);
            cursor.acceptSymbol(",");
        }
        a_.emit("perform", {act, list});
        return line(true);
    }
    if (w == "set" || w == "clear") {
        cursor.next();
        Operand who;
        int flag = 0;
        if (!operand(cursor, who) || !constant(cursor, flag, "ein Flag")) return line(false);
        a_.emit(w == "set" ? "flagon" : "flagoff", {who, flag});
        return line(true);
    }
    if (const int code = findMnemonic(w); code != 0 && !cursor.isSymbol("=", 1) &&
                                          !cursor.isSymbol("+=", 1) && !cursor.isSymbol("-=", 1)) {
        return generic(cursor, w);
    }

    // Assignment: DEST = VALUE | DEST = random A to B | DEST op= VALUE
    Operand target, value;
    if (!destination(cursor, target)) return line(false);
    const Token how = cursor.next();
    static const std::map<std::string, const char*> compound = {
        {"=", "assign"}, {"+=", "add"}, {"-=", "sub"}, {"*=", "mul"}, {"/=", "div"}, {"%=", "mod"}};
    const auto it = how.kind == TokenKind::Symbol ? compound.find(how.text) : compound.end();
    if (it == compound.end()) {
        c_.error(how.place, "unbekannte Anweisung „" + shownText(w) + "“");
        return line(false);
    }
    if (how.text == "=" && cursor.acceptWord("random")) {
        Operand low, high;
        if (!operand(cursor, low)) return line(false);
        if (!cursor.acceptWord("to")) {
            c_.error(cursor.peek().place, "hier fehlt „to“");
            return line(false);
        }
        if (!operand(cursor, high)) return line(false);
        a_.emit("random", {target, low, high});
        return line(true);
    }
    if (!operand(cursor, value)) return line(false);
    a_.emit(it->second, {target, value});
    return line(true);
}

bool ScriptCompiler::generic(Cursor& cursor, const std::string& mnemonic) {
    const Token first = cursor.next();
    const int code = findMnemonic(mnemonic);
    const std::string_view kinds = rux::instructionTable[code].operands;
    std::vector<rux::storykit::Assembler::Arg> args;
    for (char kind : kinds) {
        if (kind == 'W' || kind == 'S') {
            c_.error(first.place, "„" + mnemonic +
                                      "“ wird als Block geschrieben (if, while, "
                                      "repeat, for, select)");
            cursor.skipLine();
            return false;
        }
        bool ok = true;
        if (kind == 'B') {
            int value = 0;
            ok = constant(cursor, value, "eine Zahl");
            args.emplace_back(value);
        } else if (kind == 'O' || kind == 'D') {
            Operand o;
            ok = kind == 'O' ? operand(cursor, o) : destination(cursor, o);
            args.emplace_back(o);
        } else if (kind == 'Q') {
            Conditions list = rux::storykit::Condition{};
            ok = conditions(cursor, list);
            args.emplace_back(list);
        } else if (kind == 'T') {
            std::string s;
            ok = readString(c_, cursor, s, "ein Text");
            args.emplace_back(s);
        } else if (kind == 'N') {
            std::vector<Operand> list;
            while (ok && !cursor.atLineEnd()) {
                Operand o;
                ok = operand(cursor, o);
                list.push_back(o);
                cursor.acceptSymbol(",");
            }
            args.emplace_back(list);
        }
        if (!ok) {
            cursor.skipLine();
            return false;
        }
        cursor.acceptSymbol(",");
    }
    a_.emit(mnemonic, args);
    return expectLineEnd(c_, cursor);
}

void ScriptCompiler::ifStatement(Cursor& cursor) {
    int opened = 0;
    auto head = [&]() {
        const SourcePlace place = cursor.next().place; // "if" or "elif"
        Conditions list = rux::storykit::Condition{};
        bool ok = conditions(cursor, list);
        cursor.acceptWord("then");
        if (ok) {
            expectLineEnd(c_, cursor);
        } else {
            cursor.skipLine();
            failed_ = true;
        }
        a_.if_(list);
        ++opened;
        open(place);
    };
    head();
    statements(cursor, {"elif", "else", "end"});
    while (cursor.isWord("elif")) {
        a_.else_();
        head();
        statements(cursor, {"elif", "else", "end"});
    }
    if (cursor.acceptWord("else")) {
        expectLineEnd(c_, cursor);
        a_.else_();
        statements(cursor, {"end"});
    }
    if (cursor.acceptWord("end")) expectLineEnd(c_, cursor);
    for (int k = 0; k < opened; ++k)
        a_.end();
    depth_ -= opened;
}

void ScriptCompiler::selectStatement(Cursor& cursor) {
    cursor.next();
    Operand value;
    if (!operand(cursor, value)) failed_ = true;
    expectLineEnd(c_, cursor);
    a_.select(value);
    open(cursor.peek().place);
    bool hasDefault = false;
    statements(cursor, {"case", "default", "end"});
    while (cursor.isWord("case") || cursor.isWord("default")) {
        const Token head = cursor.next();
        if (head.text == "default") {
            if (hasDefault) c_.error(head.place, "zweimal „default“ in einer Auswahl");
            hasDefault = true;
            a_.default_();
        } else {
            if (hasDefault) c_.error(head.place, "„case“ nach „default“");
            std::vector<rux::storykit::CaseLabel> labels;
            do {
                int low = 0, high = 0;
                if (!constant(cursor, low, "ein Wert")) {
                    failed_ = true;
                    break;
                }
                high = low;
                if (cursor.acceptSymbol("..") && !constant(cursor, high, "ein Wert"))
                    failed_ = true;
                labels.emplace_back(low, high);
            } while (cursor.acceptSymbol(","));
            cursor.acceptSymbol(":");
            if (labels.empty()) labels.emplace_back(0, 0);
            // The assembler takes the labels as an initializer list.
            switch (labels.size()) {
            case 1: a_.case_({labels[0]}); break;
            case 2: a_.case_({labels[0], labels[1]}); break;
            case 3: a_.case_({labels[0], labels[1], labels[2]}); break;
            case 4: a_.case_({labels[0], labels[1], labels[2], labels[3]}); break;
            default:
                c_.error(head.place, "höchstens vier Werte oder Bereiche je „case“");
                failed_ = true;
                a_.case_({labels[0]});
            }
        }
        expectLineEnd(c_, cursor);
        statements(cursor, {"case", "default", "end"});
    }
    // Without a default entry the selection would read past its end.
    if (!hasDefault) a_.default_();
    if (cursor.acceptWord("end")) expectLineEnd(c_, cursor);
    a_.end();
    --depth_;
}

void ScriptCompiler::open(const SourcePlace& place) {
    // The machine keeps twelve block levels, the script itself being one.
    if (++depth_ == 12) {
        c_.error(place, "zu tief verschachtelt: höchstens 11 Blöcke ineinander "
                        "(jedes „elif“ zählt als ein Block mehr)");
        failed_ = true;
    }
}

} // namespace ruxc
