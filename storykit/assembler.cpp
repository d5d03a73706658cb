#include "storykit/assembler.h"

#include "engine/script/instruction_table.h"

#include <algorithm>

namespace rux::storykit {

namespace {

uint8_t checkedByte(int value, const char* what) {
    if (value < 0 || value > 255)
        throw AssemblerError(std::string(what) +
                             " does not fit in a byte: " + std::to_string(value));
    return static_cast<uint8_t>(value);
}

void appendOperand(std::vector<uint8_t>& bytes, Operand operand) {
    bytes.push_back(operand.type);
    bytes.push_back(operand.index);
}

Condition makeCondition(int code, std::initializer_list<Operand> before, int middle,
                        std::initializer_list<Operand> after) {
    Condition c;
    c.bytes.push_back(checkedByte(code, "condition code"));
    for (Operand o : before)
        appendOperand(c.bytes, o);
    if (middle >= 0) c.bytes.push_back(checkedByte(middle, "condition byte"));
    for (Operand o : after)
        appendOperand(c.bytes, o);
    return c;
}

int findMnemonic(std::string_view mnemonic) {
    for (int code = 0; code < 256; ++code)
        if (instructionTable[code].mnemonic == mnemonic) return code;
    throw AssemblerError("unknown mnemonic: " + std::string(mnemonic));
}

} // namespace

Operand value(int type, int index) {
    return {checkedByte(type, "value type"), checkedByte(index, "operand index")};
}
Operand num(int n) {
    return value(6, n);
}
Operand byteVar(int i) {
    return value(3, i);
}
Operand local(int k) {
    if (k < 1 || k > 8) throw AssemblerError("locals are numbered 1..8");
    return value(3, 256 - k);
}
Operand longVar(int i) {
    return value(4, i);
}
Operand longConst(int i) {
    return value(5, i);
}
Operand objectVar(int i) {
    return value(7, i);
}
Operand roomNum(int room) {
    return value(8, room);
}
Operand roomVar(int i) {
    return value(9, i);
}
Operand actionValue(int i) {
    return value(10, i);
}
Operand stateOf(int object) {
    return value(21, object);
}

Condition rawCondition(int code, std::initializer_list<int> bytes) {
    Condition c;
    c.bytes.push_back(checkedByte(code, "condition code"));
    for (int b : bytes)
        c.bytes.push_back(checkedByte(b, "condition byte"));
    return c;
}
Condition compare(Operand a, int relation, Operand b) {
    return makeCondition(1, {a}, relation, {b});
}
Condition eq(Operand a, Operand b) {
    return compare(a, relationEqual, b);
}
Condition lt(Operand a, Operand b) {
    return compare(a, relationLess, b);
}
Condition gt(Operand a, Operand b) {
    return compare(a, relationGreater, b);
}
Condition visible(Operand object) {
    return located(object, relationVisible, num(0));
}
Condition visibleFromRoom(Operand object) {
    return located(object, relationVisibleFromRoom, num(0));
}
Condition located(Operand object, int relation, Operand holder) {
    return makeCondition(2, {object}, relation, {holder});
}
Condition hasState(Operand object, int state) {
    return makeCondition(3, {object}, state, {});
}
Condition objectFlag(Operand object, int flag) {
    return makeCondition(4, {object}, flag, {});
}
Condition positive(Operand v) {
    return makeCondition(5, {v}, -1, {});
}
Condition chance(Operand percent) {
    return makeCondition(6, {percent}, -1, {});
}
Condition roomFlag(Operand room, int flag) {
    return makeCondition(7, {room}, flag, {});
}
Condition kindOf(Operand object, int kind) {
    return makeCondition(8, {object}, kind, {});
}
Condition roomBase(Operand room, int base) {
    return makeCondition(9, {room}, base, {});
}
Condition together(Operand a, Operand b) {
    return makeCondition(10, {a, b}, -1, {});
}
Condition sameLocation(Operand a, Operand b) {
    return makeCondition(11, {a, b}, -1, {});
}
Condition metaAction(Operand action) {
    return makeCondition(12, {action}, -1, {});
}
Condition hasProperty(Operand object, int property) {
    return makeCondition(13, {object}, property, {});
}
Condition darkRoom(Operand room) {
    return makeCondition(14, {room}, -1, {});
}
Condition isFixed(Operand object) {
    return makeCondition(15, {object}, -1, {});
}
Condition always() {
    return makeCondition(16, {num(0), num(0)}, -1, {});
}
Condition not_(Condition condition) {
    if (condition.bytes.empty() || condition.bytes[0] >= 128)
        throw AssemblerError("only a plain condition can be negated");
    condition.bytes[0] |= conditionNegated;
    return condition;
}

Conditions::Conditions(Condition first) : body_(std::move(first.bytes)) {}

Conditions Conditions::join(int connector, const Condition& next) const {
    if (connector == 0) throw AssemblerError("connector 0 ends a condition list");
    Conditions joined = *this;
    joined.body_.push_back(checkedByte(connector, "connector"));
    joined.body_.insert(joined.body_.end(), next.bytes.begin(), next.bytes.end());
    return joined;
}

std::vector<uint8_t> Conditions::bytes() const {
    std::vector<uint8_t> list = body_;
    list.push_back(connectorEnd);
    return list;
}

// --- emission

void Assembler::byte(int value) {
    code_.push_back(checkedByte(value, "byte"));
}

void Assembler::word(Label target) {
    if (target.id < 0 || target.id >= static_cast<int>(labelPositions_.size()))
        throw AssemblerError("label from another assembler");
    uses_.push_back({code_.size(), target.id});
    code_.push_back(0);
    code_.push_back(0);
}

void Assembler::operand(Operand operand) {
    appendOperand(code_, operand);
}

void Assembler::conditions(const Conditions& list) {
    const std::vector<uint8_t> bytes = list.bytes();
    code_.insert(code_.end(), bytes.begin(), bytes.end());
}

Assembler::Label Assembler::label() {
    labelPositions_.push_back(-1);
    return Label{static_cast<int>(labelPositions_.size()) - 1};
}

void Assembler::bindTo(Label label, int position) {
    if (labelPositions_.at(label.id) >= 0) throw AssemblerError("label bound twice");
    labelPositions_[label.id] = position;
}

Assembler& Assembler::bind(Label label) {
    bindTo(label, position());
    return *this;
}

uint16_t Assembler::position() const {
    if (code_.size() >= 0xFFFF) throw AssemblerError("code longer than a block can be");
    return static_cast<uint16_t>(code_.size() + 1);
}

Assembler& Assembler::emit(std::string_view mnemonic, std::vector<Arg> args) {
    const int code = findMnemonic(mnemonic);
    const std::string_view kinds = instructionTable[code].operands;
    byte(code);
    std::size_t next = 0;
    for (char kind : kinds) {
        if (kind == 'S') continue; // selection entries follow as code of their own
        if (next == args.size()) throw AssemblerError(std::string(mnemonic) + ": too few operands");
        const Arg& arg = args[next++];
        const char given = arg.kind;
        const bool fits =
            given == kind || (kind == 'D' && given == 'O') || (kind == 'W' && given == 'B');
        if (!fits)
            throw AssemblerError(std::string(mnemonic) + ": operand " + std::to_string(next) +
                                 " should be of kind " + kind);
        switch (kind) {
        case 'B': byte(arg.number); break;
        case 'O':
        case 'D': operand(arg.operand); break;
        case 'W':
            if (given == 'W') {
                word(arg.label);
            } else {
                if (arg.number < 0 || arg.number > 0xFFFF)
                    throw AssemblerError("position out of range");
                byte(arg.number >> 8);
                byte(arg.number & 0xFF);
            }
            break;
        case 'Q': conditions(arg.conditions); break;
        case 'T':
            byte(static_cast<int>(arg.text.size()));
            code_.insert(code_.end(), arg.text.begin(), arg.text.end());
            break;
        case 'N':
            byte(static_cast<int>(arg.operands.size()));
            for (Operand o : arg.operands)
                operand(o);
            break;
        default: throw AssemblerError("unknown operand kind");
        }
    }
    if (next != args.size()) throw AssemblerError(std::string(mnemonic) + ": too many operands");
    return *this;
}

Assembler& Assembler::raw(std::initializer_list<int> bytes) {
    for (int b : bytes)
        byte(b);
    return *this;
}

Assembler& Assembler::rawWord(Label target) {
    word(target);
    return *this;
}

Assembler& Assembler::rawOperand(Operand o) {
    operand(o);
    return *this;
}

Assembler& Assembler::rawConditions(const Conditions& list) {
    conditions(list);
    return *this;
}

Assembler& Assembler::print(int mark, int variant) {
    return emit("print", {mark, variant});
}
Assembler& Assembler::assign(Operand d, Operand s) {
    return emit("assign", {d, s});
}
Assembler& Assembler::add(Operand d, Operand s) {
    return emit("add", {d, s});
}
Assembler& Assembler::sub(Operand d, Operand s) {
    return emit("sub", {d, s});
}
Assembler& Assembler::mul(Operand d, Operand s) {
    return emit("mul", {d, s});
}
Assembler& Assembler::div(Operand d, Operand s) {
    return emit("div", {d, s});
}
Assembler& Assembler::mod(Operand d, Operand s) {
    return emit("mod", {d, s});
}
Assembler& Assembler::bitAnd(Operand d, Operand s) {
    return emit("and", {d, s});
}
Assembler& Assembler::bitOr(Operand d, Operand s) {
    return emit("or", {d, s});
}
Assembler& Assembler::test(Operand d, const Conditions& list) {
    return emit("test", {d, list});
}
Assembler& Assembler::setTrue(Operand d) {
    return emit("settrue", {d});
}
Assembler& Assembler::setFalse(Operand d) {
    return emit("setfalse", {d});
}
Assembler& Assembler::callRoutine(int routine) {
    return emit("call", {callKind::routine, routine});
}
Assembler& Assembler::callAction(int index) {
    return emit("call", {callKind::action, index});
}
Assembler& Assembler::callExitRoutine(int id) {
    return emit("call", {callKind::exitRoutine, id});
}
Assembler& Assembler::stop() {
    return emit("stop");
}
Assembler& Assembler::nop() {
    return emit("nop");
}
Assembler& Assembler::leave() {
    return emit("leave");
}
Assembler& Assembler::require(const Conditions& list, int mark, int variant) {
    return emit("require", {list, mark, variant});
}

// --- structured blocks

Assembler::OpenBlock& Assembler::innermost(BlockKind kind, const char* what) {
    if (blocks_.empty() || blocks_.back().kind != kind)
        throw AssemblerError(std::string(what) + " without its opening block");
    return blocks_.back();
}

Assembler& Assembler::if_(const Conditions& list) {
    OpenBlock block{BlockKind::If, label(), label()};
    emit("if", {block.first, block.second, list});
    blocks_.push_back(block);
    return *this;
}

Assembler& Assembler::else_() {
    OpenBlock& block = innermost(BlockKind::If, "else");
    if (block.hasElse) throw AssemblerError("second else in one if");
    block.hasElse = true;
    emit("else");
    return bind(block.first);
}

Assembler& Assembler::while_(const Conditions& list) {
    OpenBlock block{BlockKind::While, label(), label()};
    byte(opcode::whileLoop);
    word(block.first);
    word(block.second);
    bind(block.first); // the head is the condition list
    conditions(list);
    blocks_.push_back(block);
    return *this;
}

Assembler& Assembler::repeat() {
    OpenBlock block{BlockKind::Repeat, label(), label()};
    emit("repeat", {block.first});
    bind(block.first);
    blocks_.push_back(block);
    return *this;
}

Assembler& Assembler::until(const Conditions& list) {
    innermost(BlockKind::Repeat, "until");
    emit("until", {list});
    blocks_.pop_back();
    return *this;
}

Assembler& Assembler::for_(Operand variable, Operand first, Operand last) {
    OpenBlock block{BlockKind::For, label(), label()};
    emit("for", {block.second, variable, first, last});
    blocks_.push_back(block);
    return *this;
}

Assembler& Assembler::select(Operand v) {
    OpenBlock block{BlockKind::Select, label(), label()};
    emit("select", {v, block.second});
    blocks_.push_back(block);
    return *this;
}

// Ends the code of the entry being written and points the previous
// entry's link here.
void Assembler::closeEntry(OpenBlock& block) {
    if (block.entryOpen) emit("leave");
    if (block.entryHasNext) bind(block.first);
    block.entryOpen = false;
    block.entryHasNext = false;
}

Assembler& Assembler::case_(std::initializer_list<CaseLabel> labels) {
    OpenBlock& block = innermost(BlockKind::Select, "case");
    closeEntry(block);
    if (labels.size() == 0) throw AssemblerError("an entry needs at least one label");
    // Sorted and merged, no label can be mistaken for a range or for the
    // default entry's opening bytes.
    std::vector<std::pair<int, int>> ranges;
    for (const CaseLabel& l : labels) {
        checkedByte(l.low, "case label");
        checkedByte(l.high, "case label");
        if (l.low <= l.high) ranges.emplace_back(l.low, l.high);
    }
    if (ranges.empty()) throw AssemblerError("an entry needs at least one label");
    std::sort(ranges.begin(), ranges.end());
    std::vector<std::pair<int, int>> merged;
    for (const auto& r : ranges) {
        if (!merged.empty() && r.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, r.second);
        else
            merged.push_back(r);
    }
    for (auto [low, high] : merged) {
        if (low == 0) { // 0 cannot start a range; it stands alone, first
            byte(0);
            if (high == 0) continue;
            low = 1;
        }
        if (low == high) {
            byte(low);
        } else {
            byte(low);
            byte(low);
            byte(high);
        }
    }
    block.first = label();
    byte(0);
    word(block.first);
    block.entryOpen = true;
    block.entryHasNext = true;
    return *this;
}

Assembler& Assembler::default_() {
    OpenBlock& block = innermost(BlockKind::Select, "default");
    closeEntry(block);
    byte(selectDefaultFirst);
    byte(selectDefaultSecond);
    block.entryOpen = true;
    return *this;
}

Assembler& Assembler::end() {
    if (blocks_.empty()) throw AssemblerError("end without an open block");
    OpenBlock block = blocks_.back();
    switch (block.kind) {
    case BlockKind::If:
        emit("endif");
        bind(block.second);
        if (!block.hasElse) bindTo(block.first, 0);
        break;
    case BlockKind::While:
        emit("endwhile");
        bind(block.second);
        break;
    case BlockKind::For:
        emit("next");
        bind(block.second);
        break;
    case BlockKind::Select:
        closeEntry(blocks_.back());
        bind(block.second);
        break;
    case BlockKind::Repeat: throw AssemblerError("a repeat block ends with until");
    }
    blocks_.pop_back();
    return *this;
}

Code Assembler::finish() {
    nop();
    return finishRaw();
}

Code Assembler::finishRaw() {
    if (!blocks_.empty()) throw AssemblerError("a block is still open");
    Code code = code_;
    for (const Use& use : uses_) {
        const int target = labelPositions_[use.label];
        if (target < 0) throw AssemblerError("a label was never bound");
        code[use.offset] = static_cast<uint8_t>(target >> 8);
        code[use.offset + 1] = static_cast<uint8_t>(target & 0xFF);
    }
    return code;
}

} // namespace rux::storykit
