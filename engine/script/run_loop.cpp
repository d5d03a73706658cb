// The interpreter's loop: runs a call's instructions until the call ends.
//
// Assignment, arithmetic, loops, branches and calls run inline here. While
// they run, the cursor (position, block bounds, jump budget) lives in a
// local object that the compiler keeps in registers: a store to a story
// variable cannot disturb it, so nothing is reloaded after each write.
// Everything else (the other instructions, the rarer operand types, faults)
// works on the ScriptCall's members; the loop writes the cursor back before
// handing over and reads it again afterwards, since that code may move it,
// run other calls or end this one.
//
// A routine called by instruction 17 runs in the same loop: the caller
// waits in its ScriptCall while the routine's own call (kept in the
// machine's slot for its depth) takes the cursor, and gets it back when the
// routine ends. A call thus costs no C++ call and return.
//
// Dispatch jumps straight from a table indexed by the code byte (labels as
// values, a GNU extension GCC and Clang share) to the instruction's code.
// The block's end is an end marker in place of the next code byte, picked
// without a branch, so that every instruction can end in its own jump.
//
// Adding or changing an inline instruction:
//  1. Give it an Inline number, an entry in makeInlineCodes and a label in
//     inlineTargets (in the enum's order); a code without one goes to its
//     handler in the instruction table, which stays the reference for what
//     the instruction does. An instruction that runs inline here must do
//     exactly what its handler would.
//  2. Begin with markInstruction() unless the instruction is a quick path
//     that can neither fault nor hand over.
//  3. Read bytes only through take(), or after fits()/holdsMoreThan() said
//     they are there; debug builds assert this on every inline read.
//  4. Read and write operands through read()/readVariable()/write(); they
//     take the shortcuts of value_fast_paths.h and hand over for the rest.
//     Special cells are named in cell_names.h, not written as numbers.
//  5. Jump, open and close blocks through goTo(), openBlock(),
//     innermostBlock(), closeBlock() and exitBlock(): they share the rules
//     and the faults with ScriptCall. A single comparison is read with the
//     layout and the evaluation of comparison.h.
//  6. Anything else (a handler, runScript, printing) runs between handOver()
//     and takeBack(), followed by `if (loop.call->ended_) goto finished`.
//  7. End with RUX_NEXT_INSTRUCTION(), or RUX_NEXT_INSIDE() when the
//     instruction was known not to be the block's last and handed nothing
//     over since.
//  8. Test it on both sides of each line: the differential tests run random
//     blocks through this loop and through the handlers alone.

#include "engine/script/arithmetic.h"
#include "engine/script/call_entry.h"
#include "engine/script/instruction_handlers.h"
#include "engine/script/instruction_table.h"
#include "engine/script/interpreter.h"
#include "engine/script/script_call.h"

#include <array>
#include <bit>
#include <cassert>
#include <cstring>
#include <new>

namespace rux {

namespace {

// The inline instructions, numbered densely to index the jump targets;
// None sends a code through the handler table.
enum class Inline : uint8_t {
    None,
    Assign,
    Add,
    Subtract,
    Multiply,
    Divide,
    Remainder,
    BitAnd,
    BitOr,
    Next,
    ForLoop,
    Repeat,
    Until,
    EndWhile,
    WhileLoop,
    EndIf,
    Leave, // also the else part: both leave the innermost block through its end
    IfBlock,
    Call,
    NoOperation,
};

constexpr std::array<Inline, 256> makeInlineCodes() {
    std::array<Inline, 256> codes{};
    codes[opcode::assign] = Inline::Assign;
    codes[opcode::add] = Inline::Add;
    codes[opcode::subtract] = Inline::Subtract;
    codes[opcode::multiply] = Inline::Multiply;
    codes[opcode::divide] = Inline::Divide;
    codes[opcode::remainder] = Inline::Remainder;
    codes[opcode::bitAnd] = Inline::BitAnd;
    codes[opcode::bitOr] = Inline::BitOr;
    codes[opcode::next] = Inline::Next;
    codes[opcode::forLoop] = Inline::ForLoop;
    codes[opcode::repeat] = Inline::Repeat;
    codes[opcode::until] = Inline::Until;
    codes[opcode::endWhile] = Inline::EndWhile;
    codes[opcode::whileLoop] = Inline::WhileLoop;
    codes[opcode::endIf] = Inline::EndIf;
    codes[opcode::leave] = Inline::Leave;
    codes[opcode::elsePart] = Inline::Leave;
    codes[opcode::ifBlock] = Inline::IfBlock;
    codes[opcode::call] = Inline::Call;
    codes[opcode::noOperation] = Inline::NoOperation;
    return codes;
}

constexpr std::array<Inline, 256> inlineCodes = makeInlineCodes();

// Stands for the instruction at a block's end. Its code goes to the handler
// table, which no inline instruction does; the table's entry checks for it.
constexpr uint8_t blockEndMarker = 0;
static_assert(inlineCodes[blockEndMarker] == Inline::None);

// What the loop looks up on every instruction, in one object so that one
// register reaches all of it.
struct LoopTables {
    std::array<const void*, 256> targets; // every code byte's jump target
    // The end marker's address, read from here rather than held in a
    // register of its own.
    const uint8_t* blockEnd;
    std::array<uint8_t, 256> numbers; // every index's value as a number operand
};

constexpr std::array<uint8_t, 256> makeNumberValues() {
    std::array<uint8_t, 256> values{};
    for (int index = 0; index < 256; ++index)
        values[index] = static_cast<uint8_t>(numberOperandValue(static_cast<uint8_t>(index)));
    return values;
}

} // namespace

// The loop's cursor and the operations on it. The loop keeps one of these as
// a local variable whose address never leaves it, so that once the
// operations are inlined the compiler can hold the fields in registers. Only
// what loops and every instruction touch is a field; the open levels and
// the running instruction's start stay in the call, because registers that
// survive calls are few.
class RunLoop {
  public:
    RunLoop(ScriptCall& root, const LoopTables& tables)
        : call(&root), cells(root.engine), tables(tables), blockEnd(&blockEndMarker) {
        // Hidden from the optimiser, so that the address is a value it keeps
        // (in a register or a stack slot) instead of building it anew at
        // every instruction.
        asm("" : "+r"(blockEnd));
        start();
    }

    ScriptCall* call; // the running call: the root call or one the loop entered
    const DirectCells cells;
    const LoopTables& tables;
    const uint8_t* blockEnd; // the end marker's address
    const uint8_t* pc;       // the next byte
    const uint8_t* begin;    // the block
    const uint8_t* end;
    int64_t jumpsLeft; // the machine's budget of jumps and calls

    // Takes the cursor of a call that is about to run its first instruction.
    [[gnu::always_inline]] void start() {
        call->instructionAt_ = call->code_ + call->instructionStart_;
        pull();
    }

    // Routine calls run in this loop: the running call waits while the loop
    // runs the routine's block as a call of its own, kept in the machine's
    // slot for its depth, and takes up the caller again when it ends. The
    // steps are runScript's for the usual case; false (nothing changed) when
    // runScript must decide instead: an empty block, the abort flag set, the
    // depth limit reached, a block outside the code area, the budget of
    // jumps and calls used up.
    [[gnu::always_inline]] bool callRoutine(CodeBlock block) {
        if (checkCallEntry(cells.engine, block) != CallEntry::Enter || !spendJump(jumpsLeft))
            [[unlikely]]
            return false;
        const auto callerPosition = static_cast<uint32_t>(pc - call->code_);
        // The caller's instruction start needs no update: nothing reads it
        // while the caller waits, and it is taken afresh when it next hands
        // over.
        call->position_ = callerPosition;
        cells.engine.machine.position = callerPosition;
        call = enterCall(cells.engine, block, call, callerPosition);
        call->instructionAt_ = call->code_ + call->begin_;
        pullCursor();
        return true;
    }
    // Ends a call that callRoutine started; its caller goes on. A story loaded
    // inside the call has already moved the caller's cursor to the new code
    // area (see ScriptCall::followNewCodeArea).
    [[gnu::always_inline]] void leaveCall() {
        MachineState& machine = cells.engine.machine;
        --machine.callDepth;
        machine.position = call->callerPosition_;
        call = call->caller_;
        machine.currentCall = call;
        pullCursor();
    }

    // The members of the call are the cursor outside the loop.
    [[gnu::always_inline]] void pull() {
        pullCursor();
        jumpsLeft = cells.engine.machine.jumpsLeft;
    }
    [[gnu::always_inline]] void pullCursor() {
        // Code outside the loop runs calls of its own and puts the running
        // call back when they return; it moves the cursor only within the block.
        assert(cells.engine.machine.currentCall == call);
        assert(call->begin_ <= call->position_ && call->position_ <= call->end_);
        pc = call->code_ + call->position_;
        begin = call->code_ + call->begin_;
        end = call->code_ + call->end_;
    }
    [[gnu::always_inline]] void push() {
        call->position_ = static_cast<uint32_t>(pc - call->code_);
        call->instructionStart_ = static_cast<uint32_t>(call->instructionAt_ - call->code_);
        cells.engine.machine.jumpsLeft = jumpsLeft;
    }
    // Hands the cursor to an instruction outside the loop: the call's
    // members and the machine's program position, which must agree.
    [[gnu::always_inline]] void handOver() {
        push();
        MachineState& machine = cells.engine.machine;
        machine.position = call->position_;
        assert(machine.currentCall == call);
        assert(call->begin_ <= machine.position && machine.position <= call->end_);
    }
    // Takes the cursor back after an instruction outside the loop, which may
    // have loaded a story (a new code area) or ended the call.
    [[gnu::always_inline]] void takeBack() {
        call->refreshCodeArea();
        pull();
    }

    // Checks the loop's promise that an inline read of n bytes at `at`
    // stays inside the block; a read that does not is a fault in the loop.
    [[gnu::always_inline]] void checkInside([[maybe_unused]] const uint8_t* at,
                                            [[maybe_unused]] std::size_t n) const {
        assert(begin <= at && n <= static_cast<std::size_t>(end - at));
    }
    // The code byte of the next instruction, known to lie inside the block.
    [[gnu::always_inline]] uint8_t nextCodeInside() {
        checkInside(pc, 1);
        return *pc++;
    }

    // Starts the instruction at the cursor (faults name its position) and
    // gives its code. At the block's end the "instruction" is the end marker,
    // so that the test for the end and the dispatch are one step without a
    // branch: the table's entry point recognises the marker.
    [[gnu::always_inline]] uint8_t startInstruction() {
        const uint8_t* at = pc < end ? pc : blockEnd;
        assert(at == blockEnd || begin <= at);
        pc = at + 1;
        return *at;
    }
    // Notes where the running instruction starts, for faults and for code
    // outside the loop. Every instruction does this before anything that
    // may hand over; the quick paths of assignment and arithmetic, which
    // cannot, skip it. The cursor is then just past the instruction's code.
    [[gnu::always_inline]] void markInstruction() { call->instructionAt_ = pc - 1; }
    [[gnu::always_inline]] bool atBlockEnd() const {
        return call->instructionAt_ == &blockEndMarker;
    }

    // Operands: the frequent cells inline, the rest through readValue and
    // assignValue with the members up to date.
    [[gnu::always_inline]] int32_t read(uint8_t type, uint8_t index) {
        if (type == directType::number) [[likely]]
            return tables.numbers[index];
        int32_t value;
        return cells.read(type, index, value) ? value : readOther(type, index);
    }
    // A cell that is nearly always a variable: the left side of a
    // comparison, a for loop's variable.
    [[gnu::always_inline]] int32_t readVariable(uint8_t type, uint8_t index) {
        int32_t value;
        return cells.readVariable(type, index, value) ? value : readOther(type, index);
    }
    [[gnu::always_inline]] int32_t readOther(uint8_t type, uint8_t index) {
        push();
        const int32_t value = readValue(cells.engine, type, index);
        pull();
        return value;
    }
    [[gnu::always_inline]] void write(uint8_t type, uint8_t index, int32_t value) {
        if (cells.assign(type, index, value)) [[likely]]
            return;
        push();
        assignValue(cells.engine, type, index, value);
        pull();
    }

    // Whether the block holds n more bytes. Compared as addresses, this is
    // the same sum that then moves the cursor on.
    [[gnu::always_inline]] bool fits(std::size_t n) const {
        return reinterpret_cast<std::uintptr_t>(pc) + n <= reinterpret_cast<std::uintptr_t>(end);
    }

    // The next n bytes, or none when the block ends first (the call then ends).
    [[gnu::always_inline]] const uint8_t* take(std::size_t n) {
        if (fits(n)) [[likely]] {
            checkInside(pc, n);
            const uint8_t* bytes = pc;
            pc += n;
            return bytes;
        }
        push();
        call->pastEnd();
        pull();
        return nullptr;
    }

    // Whether the block holds more than n further bytes: an instruction that
    // ends there is not the block's last, so the next one starts at the
    // cursor with no test for the end (see RUX_NEXT_INSIDE).
    [[gnu::always_inline]] bool holdsMoreThan(std::size_t n) const {
        return reinterpret_cast<std::uintptr_t>(pc) + n < reinterpret_cast<std::uintptr_t>(end);
    }

    // The operands that need no hand-over: true with the value, or false.
    [[gnu::always_inline]] bool readDirect(uint8_t type, uint8_t index, int32_t& value) const {
        if (type == directType::number) [[likely]] {
            value = tables.numbers[index];
            return true;
        }
        return cells.read(type, index, value);
    }

    // The same for a comparison's right side, which is nearly always a value:
    // numbers, then constants, come first.
    [[gnu::always_inline]] bool readComparand(uint8_t type, uint8_t index, int32_t& value) const {
        if (type == directType::number) [[likely]] {
            value = tables.numbers[index];
            return true;
        }
        if (type == directType::longConstant) [[likely]] {
            value = cells.world.longConstants[index];
            return true;
        }
        return cells.read(type, index, value);
    }
    // The types of an instruction's two operands (D, O) in one number: the
    // first in the low byte, the second in the third.
    [[gnu::always_inline]] static uint32_t bothTypes(const uint8_t* operands) {
        uint32_t bytes;
        std::memcpy(&bytes, operands, sizeof bytes);
        if constexpr (std::endian::native == std::endian::big) bytes = __builtin_bswap32(bytes);
        return bytes & 0x00FF00FF;
    }

    // The usual cases of the instructions below, done at once when every
    // operand needs no hand-over and the instruction is not the block's
    // last: true when done (the cursor is then past the instruction), false
    // (nothing done) when the instruction must run the general way.
    [[gnu::always_inline]] bool assignInside() {
        if (!holdsMoreThan(4)) return false; // D, O
        checkInside(pc, 4 + 1);
        const uint8_t* p = pc;
        int32_t value;
        if (!readDirect(p[2], p[3], value) || !cells.assign(p[0], p[1], value)) return false;
        pc += 4;
        return true;
    }
    [[gnu::always_inline]] bool updateInside(int32_t (*operation)(int32_t, int32_t)) {
        if (!holdsMoreThan(4)) return false; // D, O
        checkInside(pc, 4 + 1);
        const uint8_t* p = pc;
        int32_t value;
        // A long variable and a number, the usual case, told by one test of
        // both types. The hint is the builtin: GCC lays out the whole
        // condition by it, where the attribute left the likely path apart.
        if (__builtin_expect(bothTypes(p) ==
                                     (directType::longVariable | directType::number << 16) &&
                                 p[1] > lastRedirectedLongVariable,
                             1)) {
            int32_t& cell = cells.world.longVariables[p[1]];
            cell = operation(cell, tables.numbers[p[3]]);
            pc += 4;
            return true;
        }
        if (p[0] == directType::longVariable) [[likely]] {
            int32_t* cell = cells.longCell(p[0], p[1]);
            if (!cell || !readDirect(p[2], p[3], value)) return false;
            *cell = operation(*cell, value);
        } else if (uint8_t* byte = cells.byteCell(p[0], p[1])) {
            if (!readDirect(p[2], p[3], value)) return false;
            *byte = static_cast<uint8_t>(operation(*byte, value));
        } else {
            return false;
        }
        pc += 4;
        return true;
    }
    // A condition list at the cursor that is a single comparison of cells
    // that need no hand-over, where more than 7 bytes are known to follow:
    // true with its outcome in `holds` (the cursor then past it); false,
    // and nothing read, otherwise.
    //
    // A loop's head mostly compares the loop's counter with its limit. A
    // counter that may pass 255 needs a long variable, and its limit then
    // mostly lies beyond a number's range, in a long constant: loop heads
    // test those two first, other comparisons byte variables and numbers.
    template <bool loopHead = false> [[gnu::always_inline]] bool comparisonAt(bool& holds) {
        checkInside(pc, comparison::wholeListSize + 1);
        if (!comparison::isWholeListAt(pc)) [[unlikely]]
            return false;
        using namespace comparison;
        const uint8_t* p = pc;
        int32_t a;
        int32_t b;
        if constexpr (loopHead) {
            bool direct = cells.readCounter(p[leftType], p[leftIndex], a);
            if (p[rightType] == directType::longConstant) [[likely]]
                b = cells.world.longConstants[p[rightIndex]];
            else
                direct = direct && readComparand(p[rightType], p[rightIndex], b);
            if (!direct) [[unlikely]]
                return false;
        } else {
            if (!cells.readVariable(p[leftType], p[leftIndex], a) ||
                !readComparand(p[rightType], p[rightIndex], b)) [[unlikely]]
                return false;
        }
        // A loop's head mostly asks whether the counter is still below its limit.
        constexpr uint8_t usualRelation = loopHead ? relationLess : 0;
        holds = comparison::holds<usualRelation>(a, p[relation], b);
        pc += wholeListSize;
        return true;
    }

    // The two words that open a while or an if, and the condition list
    // after them when it is a single comparison with room before the block's
    // end (see comparisonAt): `inside` then tells it was read, with its
    // outcome in `holds`; otherwise the list is still to be read. One test of
    // the bounds serves both. None when the block ends within the words (the
    // call has then ended).
    template <bool loopHead = false>
    [[gnu::always_inline]] const uint8_t* headerAndComparison(bool& holds, bool& inside) {
        if (!holdsMoreThan(4 + comparison::wholeListSize)) [[unlikely]]
            return take(4);
        checkInside(pc, 4);
        const uint8_t* words = pc;
        pc += 4;
        inside = comparisonAt<loopHead>(holds);
        return words;
    }
    // The jump back to a loop's head: true when the jump is made and room
    // for a single comparison follows its target; false, and nothing done,
    // otherwise (goTo then decides).
    [[gnu::always_inline]] bool jumpBeforeComparison(uint16_t blockPosition) {
        const auto length = static_cast<std::size_t>(end - begin);
        std::size_t offset;
        if (!jumpOffset(blockPosition, length, offset) ||
            offset + comparison::wholeListSize >= length || !spendJump(jumpsLeft)) [[unlikely]]
            return false;
        pc = begin + offset;
        return true;
    }
    // The same for a while loop whose head was found roomy when it started:
    // its position needs no test.
    [[gnu::always_inline]] bool jumpToRoomyHead(const BlockLevel& loopLevel) {
        if (!loopLevel.headHasRoom || !spendJump(jumpsLeft)) [[unlikely]]
            return false;
        pc = begin + loopLevel.loopPosition - 1;
        return true;
    }

    // A condition list that is a single comparison, the usual case, read at
    // once: true with its outcome in `holds`; false (nothing read) otherwise.
    [[gnu::always_inline]] bool singleComparison(bool& holds) {
        if (!fits(comparison::wholeListSize)) return false;
        checkInside(pc, comparison::wholeListSize);
        if (!comparison::isWholeListAt(pc)) return false;
        const uint8_t* p = pc;
        pc += comparison::wholeListSize;
        // Read here rather than through comparison::evaluate: a lambda that
        // captured the loop would take its address, and the compiler would
        // then keep the cursor in memory instead of registers.
        using namespace comparison;
        const int32_t a = readVariable(p[leftType], p[leftIndex]);
        holds = comparison::holds(a, p[relation], read(p[rightType], p[rightIndex]));
        return true;
    }
    // Any other condition list; afterwards call->ended() tells whether it ran
    // past the block.
    [[gnu::always_inline]] bool fullConditionList() {
        push();
        const bool holds = call->conditions();
        pull();
        return holds;
    }

    // Jumps to a block position; position L + 1 is the block's end. False
    // (and the call has ended) for a position outside the block or when the
    // script has used up its jumps.
    [[gnu::always_inline]] bool goTo(uint16_t blockPosition) {
        std::size_t offset;
        if (!jumpOffset(blockPosition, static_cast<std::size_t>(end - begin), offset))
            [[unlikely]] {
            push();
            call->jumpOutside(blockPosition);
            pull();
            return false;
        }
        if (!spendJump(jumpsLeft)) [[unlikely]] {
            push();
            call->endlessLoop();
            pull();
            return false;
        }
        pc = begin + offset;
        return true;
    }

    // The call's open blocks, with the faults reported as ScriptCall does.
    [[gnu::always_inline]] BlockLevel* openBlock() {
        if (BlockLevel* opened = call->blocks_.open()) [[likely]]
            return opened;
        push();
        call->tooManyLevels();
        pull();
        return nullptr;
    }
    [[gnu::always_inline]] BlockLevel* innermostBlock() {
        if (BlockLevel* innermost = call->blocks_.innermost()) [[likely]]
            return innermost;
        push();
        call->noOpenBlock();
        pull();
        return nullptr;
    }
    [[gnu::always_inline]] void closeBlock() {
        if (innermostBlock()) call->blocks_.closeInnermost();
    }
    // Leaves the innermost block through its end.
    [[gnu::always_inline]] void exitBlock(const BlockLevel& innermost) {
        if (goTo(innermost.endPosition)) call->blocks_.closeInnermost();
    }

    // d := d op s, the value of d read before s is evaluated. A long or byte
    // variable as d is found once for reading and writing.
    [[gnu::always_inline]] void update(int32_t (*operation)(int32_t, int32_t)) {
        const uint8_t* p = take(4); // D, O
        if (!p) return;
        if (int32_t* cell = cells.longCell(p[0], p[1])) [[likely]] {
            const int32_t current = *cell;
            *cell = operation(current, read(p[2], p[3]));
        } else if (uint8_t* byte = cells.byteCell(p[0], p[1])) {
            const int32_t current = *byte;
            *byte = static_cast<uint8_t>(operation(current, read(p[2], p[3])));
        } else {
            const int32_t current = read(p[0], p[1]);
            write(p[0], p[1], operation(current, read(p[2], p[3])));
        }
    }
};

void ScriptCall::run() {
    static const void* const inlineTargets[] = {
        &&table,     &&assign, &&add,   &&subtract, &&multiply, &&divide,      &&remainder,
        &&bitAnd,    &&bitOr,  &&next,  &&forLoop,  &&repeat,   &&until,       &&endWhile,
        &&whileLoop, &&endIf,  &&leave, &&ifBlock,  &&callCode, &&noOperation,
    };
    static_assert(std::size(inlineTargets) == static_cast<std::size_t>(Inline::NoOperation) + 1);
    static const LoopTables tables = [] {
        LoopTables built{};
        // Every code byte's target, so that dispatching is a single load.
        for (std::size_t code = 0; code < built.targets.size(); ++code)
            built.targets[code] = inlineTargets[static_cast<uint8_t>(inlineCodes[code])];
        built.blockEnd = &blockEndMarker;
        built.numbers = makeNumberValues();
        return built;
    }();

    RunLoop loop(*this, tables);
    const uint8_t*& pc = loop.pc;
    const uint8_t*& end = loop.end;

// Reads the condition list at the cursor into `holds`; a list that runs past
// the block ends the call.
#define RUX_CONDITION_LIST(holds)                                                                  \
    if (!loop.singleComparison(holds)) {                                                           \
        holds = loop.fullConditionList();                                                          \
        if (loop.call->ended_) goto finished;                                                      \
    }

// Every instruction ends with its own copy of the dispatch (see the build
// settings for this file), so that each one's jump is predicted on its own.
#define RUX_NEXT_INSTRUCTION() goto* tables.targets[loop.startInstruction()]

// The same after an instruction that was known not to be the block's last
// when it took its bytes, and that handed nothing over since: the next
// instruction starts at the cursor.
#define RUX_NEXT_INSIDE() goto* tables.targets[loop.nextCodeInside()]

// An arithmetic instruction, d := d op s.
#define RUX_UPDATE(operation)                                                                      \
    if (loop.updateInside(operation)) RUX_NEXT_INSIDE();                                           \
    loop.markInstruction();                                                                        \
    loop.update(operation);                                                                        \
    RUX_NEXT_INSTRUCTION()

    RUX_NEXT_INSTRUCTION();

assign:
    if (loop.assignInside()) RUX_NEXT_INSIDE();
    loop.markInstruction();
    if (const uint8_t* p = loop.take(4)) // D, O
        loop.write(p[0], p[1], loop.read(p[2], p[3]));
    RUX_NEXT_INSTRUCTION();
add:
    RUX_UPDATE(arithmetic::plus);
subtract:
    RUX_UPDATE(arithmetic::minus);
multiply:
    RUX_UPDATE(arithmetic::times);
divide:
    RUX_UPDATE(arithmetic::quotient);
remainder:
    RUX_UPDATE(arithmetic::remainder);
bitAnd:
    RUX_UPDATE(arithmetic::bitAnd);
bitOr:
    RUX_UPDATE(arithmetic::bitOr);

forLoop:
    loop.markInstruction();
    if (const uint8_t* p = loop.take(8)) { // W end, D variable, O first, O last
        const int32_t first = loop.read(p[4], p[5]);
        const int32_t last = loop.read(p[6], p[7]);
        if (BlockLevel* opened = loop.openBlock()) {
            opened->endPosition = wordAt(p);
            opened->loopType = p[2];
            opened->loopIndex = p[3];
            loop.write(p[2], p[3], first);
            opened->loopLimit = static_cast<uint8_t>(last);
            opened->loopPosition = static_cast<uint16_t>(pc - loop.begin + 1);
            if (loop.readVariable(p[2], p[3]) > opened->loopLimit) loop.exitBlock(*opened);
        }
    }
    RUX_NEXT_INSTRUCTION();
next:
    loop.markInstruction();
    if (BlockLevel* open = loop.innermostBlock()) {
        const uint8_t type = open->loopType;
        const uint8_t index = open->loopIndex;
        loop.write(type, index, arithmetic::plus(loop.readVariable(type, index), 1));
        // A byte variable wraps to 0 after 255, which ends the loop as well.
        const int32_t value = loop.readVariable(type, index);
        if (value > open->loopLimit || value == 0)
            loop.exitBlock(*open);
        else
            loop.goTo(open->loopPosition);
    }
    RUX_NEXT_INSTRUCTION();

repeat:
    loop.markInstruction();
    if (const uint8_t* p = loop.take(2)) // W head
        if (BlockLevel* opened = loop.openBlock()) opened->loopPosition = wordAt(p);
    RUX_NEXT_INSTRUCTION();
until : {
    loop.markInstruction();
    bool done = false;
    RUX_CONDITION_LIST(done)
    if (BlockLevel* open = loop.innermostBlock()) {
        if (done)
            loop.call->blocks_.closeInnermost();
        else
            loop.goTo(open->loopPosition);
    }
    RUX_NEXT_INSTRUCTION();
}

whileLoop : {
    loop.markInstruction();
    bool holds = false;
    bool inside = false;
    const uint8_t* p = loop.headerAndComparison<true>(holds, inside); // W head, W end
    if (!p) RUX_NEXT_INSTRUCTION();
    if (!inside) RUX_CONDITION_LIST(holds)
    if (BlockLevel* opened = loop.openBlock()) {
        opened->loopPosition = wordAt(p);
        opened->endPosition = wordAt(p + 2);
        // The head is the usual one, the list just read.
        opened->headHasRoom = inside && opened->loopPosition == p + 4 - loop.begin + 1;
        if (!holds)
            loop.exitBlock(*opened);
        else if (inside)
            RUX_NEXT_INSIDE();
    }
    RUX_NEXT_INSTRUCTION();
}
endWhile:
    loop.markInstruction();
    // The head is the while instruction's condition list; the body follows it.
    if (BlockLevel* open = loop.innermostBlock()) {
        bool holds = false;
        bool inside = false;
        if (loop.jumpToRoomyHead(*open) || loop.jumpBeforeComparison(open->loopPosition))
            inside = loop.comparisonAt<true>(holds);
        else if (!loop.goTo(open->loopPosition))
            RUX_NEXT_INSTRUCTION();
        if (!inside) RUX_CONDITION_LIST(holds)
        if (!holds)
            loop.exitBlock(*open);
        else if (inside)
            RUX_NEXT_INSIDE();
    }
    RUX_NEXT_INSTRUCTION();

ifBlock : {
    loop.markInstruction();
    bool holds = false;
    bool inside = false;
    const uint8_t* p = loop.headerAndComparison(holds, inside); // W else, W end
    if (!p) RUX_NEXT_INSTRUCTION();
    if (!inside) RUX_CONDITION_LIST(holds)
    if (BlockLevel* opened = loop.openBlock()) {
        const uint16_t elsePosition = wordAt(p);
        opened->loopPosition = elsePosition;
        opened->endPosition = wordAt(p + 2);
        if (!holds) {
            if (elsePosition == 0)
                loop.exitBlock(*opened);
            else
                loop.goTo(elsePosition); // the else part closes the level with its end-if
        } else if (inside) {
            RUX_NEXT_INSIDE();
        }
    }
    RUX_NEXT_INSTRUCTION();
}
leave:
    loop.markInstruction();
    if (BlockLevel* innermost = loop.innermostBlock()) loop.exitBlock(*innermost);
    RUX_NEXT_INSTRUCTION();
endIf:
    loop.markInstruction();
    loop.closeBlock();
    RUX_NEXT_INSTRUCTION();
noOperation:
    RUX_NEXT_INSTRUCTION();

callCode:
    loop.markInstruction();
    if (const uint8_t* p = loop.take(2)) { // B kind, B number
        const uint8_t kind = p[0];
        const uint8_t number = p[1];
        // Routines, by far the most frequent target, are run by this loop.
        const NumberedCode* routine = nullptr;
        if (kind == callKind::routine) {
            routine = engine.world.findRoutine(number);
            if (!routine) RUX_NEXT_INSTRUCTION();
            if (loop.callRoutine(routine->script)) [[likely]]
                RUX_NEXT_INSTRUCTION();
        }
        loop.handOver();
        if (routine)
            runScript(engine, routine->script);
        else
            instructions::callTarget(engine, kind, number);
        loop.takeBack();
        if (loop.call->ended_) goto finished;
    }
    RUX_NEXT_INSTRUCTION();

table : {
    loop.markInstruction();
    if (loop.atBlockEnd()) {
        loop.call->instructionAt_ = pc = end;
        goto finished;
    }
    ScriptCall& running = *loop.call;
    const uint8_t code = *running.instructionAt_;
    loop.handOver();
    instructionHandlers[code](running);
    loop.takeBack();
    if (running.ended_) goto finished;
    RUX_NEXT_INSTRUCTION();
}

finished:
    // A call the loop entered itself returns to its caller, which may have
    // been ended with it (the budget of jumps and calls used up).
    if (loop.call != this) {
        loop.leaveCall();
        if (loop.call->ended_) goto finished;
        RUX_NEXT_INSTRUCTION();
    }
    loop.push();
#undef RUX_NEXT_INSTRUCTION
#undef RUX_NEXT_INSIDE
#undef RUX_UPDATE
#undef RUX_CONDITION_LIST
}

} // namespace rux
