#include "engine/script/disassembler.h"

#include "engine/script/instruction_table.h"

#include <cstdio>
#include <span>

namespace rux {

namespace {

// A bounds-checked reader over one block's bytes.
class CodeReader {
  public:
    explicit CodeReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool atEnd() const { return position_ >= bytes_.size(); }
    bool cutOff() const { return cutOff_; }
    std::size_t position() const { return position_; }
    void setPosition(std::size_t at) { position_ = at; }
    std::size_t size() const { return bytes_.size(); }

    uint8_t byte() {
        if (position_ < bytes_.size()) return bytes_[position_++];
        cutOff_ = true;
        return 0;
    }
    uint16_t word() {
        const uint16_t high = byte();
        return static_cast<uint16_t>(high << 8 | byte());
    }

  private:
    std::span<const uint8_t> bytes_;
    std::size_t position_ = 0;
    bool cutOff_ = false;
};

std::string number(int n) {
    return std::to_string(n);
}

std::string target(uint16_t position) {
    if (position == 0) return "-";
    std::string text = "@";
    text += number(position);
    return text;
}

// Types whose index is first read as a value of another type show that
// inner operand in brackets.
std::string indirect(const char* name, bool viaVariable, uint8_t variableType, uint8_t index,
                     bool squareBrackets = false) {
    const std::string inner = viaVariable ? describeOperand(variableType, index) : number(index);
    return std::string(name) + (squareBrackets ? "[" : "(") + inner + (squareBrackets ? "]" : ")");
}

std::string conditionText(CodeReader& in);

std::string operandText(CodeReader& in) {
    const uint8_t type = in.byte();
    return describeOperand(type, in.byte());
}

// Operands by kind letters (B, O, D, W, Q, T, N); S is handled by the caller.
std::string operandsText(CodeReader& in, std::string_view kinds) {
    std::string text;
    for (char kind : kinds) {
        std::string piece;
        switch (kind) {
        case 'B': piece = number(in.byte()); break;
        case 'O':
        case 'D': piece = operandText(in); break;
        case 'W': piece = target(in.word()); break;
        case 'Q': piece = conditionText(in); break;
        case 'T': {
            const uint8_t count = in.byte();
            piece = "\"";
            for (int i = 0; i < count && !in.cutOff(); ++i)
                piece.push_back(static_cast<char>(in.byte()));
            piece += "\"";
            break;
        }
        case 'N': {
            const uint8_t count = in.byte();
            piece = "[";
            for (int i = 0; i < count && !in.cutOff(); ++i) {
                if (i > 0) piece += ", ";
                piece += operandText(in);
            }
            piece += "]";
            break;
        }
        default: continue;
        }
        if (!text.empty()) text += ", ";
        text += piece;
    }
    return text;
}

std::string oneCondition(CodeReader& in) {
    const uint8_t code = in.byte();
    const bool negated = (code & conditionNegated) != 0;
    const uint8_t plain = code & ~conditionNegated;
    std::string text;
    if (plain == 1) {
        const std::string a = operandText(in);
        const uint8_t relation = in.byte();
        const char* sign = relation == relationLess      ? " < "
                           : relation == relationGreater ? " > "
                                                         : " = ";
        text = a + sign + operandText(in);
    } else if (plain == 2) {
        const std::string object = operandText(in);
        const uint8_t relation = in.byte();
        const std::string holder = operandText(in);
        if (relation == relationVisible)
            text = "visible(" + object + ")";
        else if (relation == relationVisibleFromRoom)
            text = "visiblefromroom(" + object + ")";
        else
            text = "located(" + object + ", " + number(relation) + ", " + holder + ")";
    } else if (conditionTable[plain].known()) {
        const ConditionInfo& info = conditionTable[plain];
        text = std::string(info.name) + "(" + operandsText(in, info.operands) + ")";
    } else {
        text = "cond" + number(plain);
    }
    return negated ? "not " + text : text;
}

std::string conditionText(CodeReader& in) {
    std::string text = oneCondition(in);
    for (;;) {
        const uint8_t connector = in.byte();
        if (connector == connectorEnd || in.cutOff()) return text;
        text += connector == connectorAnd ? " and " : " or ";
        text += oneCondition(in);
    }
}

std::string callText(CodeReader& in) {
    const uint8_t kind = in.byte();
    const uint8_t n = in.byte();
    switch (kind) {
    case callKind::action: return "action " + number(n);
    case callKind::routine: return "routine " + number(n);
    case callKind::exitRoutine: return "exit routine " + number(n);
    default: return number(kind) + ", " + number(n);
    }
}

// One entry of a selection, read the way the interpreter reads it. Returns
// its labels and link (empty for the default entry) and sets `next` to the
// 0-based offset of the entry that follows (0: none).
std::string selectEntryText(CodeReader& in, std::size_t& next) {
    const std::size_t start = in.position();
    uint8_t a = in.byte();
    uint8_t b = in.byte();
    next = 0;
    if (a == selectDefaultFirst && b == selectDefaultSecond) return {};
    std::string labels;
    do {
        if (!labels.empty()) labels += ", ";
        if (b == a && a != 0) {
            labels += number(a) + ".." + number(in.byte());
        } else {
            labels += number(a);
            in.setPosition(in.position() - 1);
        }
        a = in.byte();
        b = in.byte();
    } while (a != 0 && !in.cutOff());
    const uint16_t link = static_cast<uint16_t>(b << 8 | in.byte());
    if (link > start + 1) next = link - 1u;
    return labels + ", next " + target(link);
}

std::string line(std::size_t offset, std::string_view mnemonic, const std::string& operands) {
    char head[32];
    std::snprintf(head, sizeof head, "%5zu  %-12.*s", offset + 1, static_cast<int>(mnemonic.size()),
                  mnemonic.data());
    std::string text = head;
    if (!operands.empty()) text += " " + operands;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace

std::string describeOperand(uint8_t type, uint8_t index) {
    const bool local = index >= 248;
    const std::string i = number(index);
    switch (type) {
    case 2: return "count:" + i;
    case 3: return local ? "local:" + number(256 - index) : "byte:" + i;
    case 4: return "long:" + i;
    case 5: return "const:" + i;
    case 6: return "num:" + i;
    case 7: return local ? "local:" + number(256 - index) : "obj:" + i;
    case 8: return "roomnum:" + i;
    case 9: return local ? "local:" + number(256 - index) : "room:" + i;
    case 10: return "action:" + i;
    case 14: return "enum:" + i;
    case 15: return "dir:" + i;
    case 16: return "nibbles:" + i;
    case 17: return "prep:" + i;
    case 18: return "verb:" + i;
    case 21:
    case 22: return indirect("state", type == 22, 7, index);
    case 23:
    case 24: return indirect("weight", type == 24, 7, index);
    case 25:
    case 26: return indirect("volume", type == 26, 7, index);
    case 27:
    case 28:
    case 29:
    case 30:
    case 31:
    case 32: return indirect("target", type % 2 == 0, 7, index);
    case 33:
    case 34: return indirect("scoreslot", type == 34, 3, index, true);
    case 35:
    case 36: return indirect("portablepoints", type == 36, 7, index, true);
    case 37:
    case 38: return indirect("roompoints", type == 38, 9, index, true);
    case 39: return "wordlist:" + i;
    case 40:
    case 41: return indirect("char", type == 41, 3, index, true);
    case 43:
    case 44: return indirect("parent", type == 44, 7, index);
    case 45:
    case 46: return indirect("outerobject", type == 46, 7, index);
    case 47:
    case 48: return indirect("outerholder", type == 48, 7, index);
    default: break;
    }
    if (type >= 64 && type <= 127) {
        const bool viaObject = type >= 96;
        const std::string name = "prop" + number(type - (viaObject ? 95 : 63));
        return indirect(name.c_str(), viaObject, 7, index);
    }
    if (type >= 128 && type <= 191) {
        const bool viaByte = type >= 160;
        const std::string name = "array" + number(type - (viaByte ? 159 : 127));
        return indirect(name.c_str(), viaByte, 3, index, true);
    }
    return "t" + number(type) + ":" + i;
}

std::vector<std::string> disassemble(const World& world, CodeBlock block) {
    CodeReader in(world.codeBytes(block));
    std::vector<std::string> lines;
    std::vector<bool> entryStarts(in.size() + 1, false);
    while (!in.atEnd()) {
        const std::size_t start = in.position();
        if (entryStarts[start]) {
            std::size_t next = 0;
            const std::string entry = selectEntryText(in, next);
            if (next > start && next < in.size()) entryStarts[next] = true;
            lines.push_back(line(start, entry.empty() ? "default" : "case", entry));
        } else {
            const uint8_t code = in.byte();
            const InstructionInfo& info = instructionTable[code];
            if (!info.known()) {
                lines.push_back(line(start, "unknown", number(code)));
                continue;
            }
            const std::string operands =
                code == opcode::call ? callText(in) : operandsText(in, info.operands);
            if (code == opcode::select && !in.cutOff()) entryStarts[in.position()] = true;
            lines.push_back(line(start, info.mnemonic, operands));
        }
        if (in.cutOff()) {
            lines.back() += "  <cut off by the end of the block>";
            break;
        }
    }
    return lines;
}

namespace {

void appendScript(std::vector<std::string>& out, const World& world, const std::string& owner,
                  CodeBlock block) {
    if (block.length == 0) return;
    out.push_back(owner + " (offset " + number(block.start * 4) + ", " + number(block.length) +
                  " bytes):");
    for (std::string& text : disassemble(world, block))
        out.push_back(std::move(text));
    out.emplace_back();
}

std::string named(const std::string& what, int n, const std::string& name) {
    return name.empty() ? what + " " + number(n) : what + " " + number(n) + " \"" + name + "\"";
}

} // namespace

std::vector<std::string> disassembleStory(const World& world) {
    std::vector<std::string> out;
    for (int n = 1; n <= world.storyObjects() && n < objectSlots; ++n) {
        const ObjectRecord& object = world.objects[n];
        for (int s = 1; s <= objectScriptCount; ++s)
            appendScript(out, world, named("object", n, object.name) + " script " + number(s),
                         object.scripts[s]);
    }
    for (const RoomRecord& room : world.rooms)
        for (int s = 1; s <= roomScriptCount; ++s)
            appendScript(out, world, named("room", room.id, room.name) + " script " + number(s),
                         room.scripts[s]);
    for (const ActionRecord& action : world.actions)
        appendScript(out, world, named("action", action.id, action.name), action.script);
    for (int h = 1; h <= standardActionCount; ++h)
        appendScript(out, world, "action hook " + number(h), world.actionHooks[h]);
    for (const NumberedCode& routine : world.exitRoutines)
        appendScript(out, world, "exit routine " + number(routine.id), routine.script);
    for (const NumberedCode& routine : world.routines)
        appendScript(out, world, "routine " + number(routine.id), routine.script);
    for (const NumberedCode& routine : world.textRoutines)
        appendScript(out, world, "text routine " + number(routine.id), routine.script);
    return out;
}

} // namespace rux
