#pragma once
// One running code block as its instructions see it: a cursor over the
// block's bytes, the open block levels and how the call is ending.
//
// Every instruction handler reads its operands through this, strictly left
// to right, so that no read can leave the block. Two ways of reading:
//  - take(n) hands out the next n bytes at once after one bounds check; the
//    handlers of fixed-size instructions use it;
//  - byte(), word(), operand() and friends read piece by piece; a read past
//    the block's end yields 0.
// Either way, running past the end reports the fault once and ends the
// call; a handler then skips its effect (take() returns no bytes, and
// ended() tells after piecewise reads).

#include "engine/engine.h"
#include "engine/script/comparison.h"
#include "engine/script/instruction_table.h"
#include "engine/script/cell_names.h"
#include "engine/script/value_fast_paths.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace rux {

// An operand that names a cell to write: (value type, index).
struct Destination {
    uint8_t type = 0;
    uint8_t index = 0;
};

// One open block: where it ends, where its loop starts over, and the loop
// variable and limit of a for loop. Positions are 1-based within the block.
struct BlockLevel {
    uint16_t endPosition;
    uint16_t loopPosition;
    uint8_t loopType; // the loop variable (type, index)
    uint8_t loopIndex;
    uint8_t loopLimit;
    // Set by a while loop whose head, the condition list after the while
    // instruction, was found with room for a single comparison before the
    // block's end; the jump back then needs no bounds test. Cleared when the
    // call's block moves to a new code area.
    bool headHasRoom;
    Destination loopVariable() const { return {loopType, loopIndex}; }
};

// A 16-bit block position as the code stores it, high byte first.
inline uint16_t wordAt(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
}

inline constexpr int maxBlockLevels = 12; // level 1 is the block itself

// The open blocks of one call. Running out of levels and closing the
// call's own block are faults; the operations give none (or false) then,
// and the caller reports it.
class OpenBlocks {
  public:
    // A newly opened level starts cleared; the instruction fills it in.
    [[gnu::always_inline]] BlockLevel* open() {
        if (level_ >= maxBlockLevels) [[unlikely]]
            return nullptr;
        BlockLevel* opened = &levels_[++level_];
        *opened = BlockLevel{};
        return opened;
    }
    // The open block an instruction belongs to; none at the call's own level.
    [[gnu::always_inline]] BlockLevel* innermost() {
        if (level_ <= 1) [[unlikely]]
            return nullptr;
        return &levels_[level_];
    }
    [[gnu::always_inline]] bool close() {
        if (level_ <= 1) [[unlikely]]
            return false;
        --level_;
        return true;
    }
    // Closes the level that innermost() just gave, with no second test.
    [[gnu::always_inline]] void closeInnermost() { --level_; }
    int level() const { return level_; }
    // The heads found roomy in the old code area say nothing about the new.
    void forgetRoomyHeads() {
        for (BlockLevel& each : levels_)
            each.headHasRoom = false;
    }

  private:
    int level_ = 1;
    // Levels 1..12; each is cleared when it is opened, so nothing needs
    // clearing when the call starts.
    std::array<BlockLevel, maxBlockLevels + 1> levels_;
};

// Where a jump to block position X lands, as an offset from the block's
// first byte (X - 1): true when X is 1..L + 1, L + 1 being the block's end.
[[gnu::always_inline]] inline bool jumpOffset(uint16_t blockPosition, std::size_t blockLength,
                                              std::size_t& offset) {
    offset = static_cast<std::size_t>(blockPosition) - 1; // 0 wraps round and fails as well
    return offset <= blockLength;
}

// Takes one jump or call from the budget; false when it is used up.
[[gnu::always_inline]] inline bool spendJump(int64_t& jumpsLeft) {
    if (jumpsLeft <= 0) [[unlikely]]
        return false;
    --jumpsLeft;
    return true;
}

class ScriptCall;
class RunLoop;

// Any one condition of a condition list (conditions.cpp).
bool evaluateCondition(ScriptCall& call);

class ScriptCall {
  public:
    // The cursor starts at `begin`; the block is [begin, end) of the code
    // area, cut at the area's end. The call waits on the running call, if
    // any; its caller's program position is `callerPosition`.
    ScriptCall(Engine& engine, uint32_t begin, uint32_t end)
        : ScriptCall(engine, engine.machine.currentCall, engine.machine.position,
                     std::min(begin, cutAtArea(engine, end)), cutAtArea(engine, end)) {}
    // The same with the bounds already cut: begin <= end <= the area's size.
    ScriptCall(Engine& engine, ScriptCall* caller, uint32_t callerPosition, uint32_t begin,
               uint32_t end)
        : engine(engine), caller_(caller), code_(engine.world.codeArea.data()),
          callerPosition_(callerPosition), position_(begin), begin_(begin), end_(end),
          instructionStart_(begin) {}
    static uint32_t cutAtArea(const Engine& engine, uint32_t offset) {
        const std::size_t areaSize = engine.world.codeArea.size();
        return offset < areaSize ? offset : static_cast<uint32_t>(areaSize);
    }
    ScriptCall(const ScriptCall&) = delete;
    ScriptCall& operator=(const ScriptCall&) = delete;

    Engine& engine;

    // The next n bytes, or none (the call has then ended) when the block
    // holds fewer.
    [[gnu::always_inline]] const uint8_t* take(uint32_t n) {
        if (end_ - position_ >= n) [[likely]] {
            const uint8_t* bytes = code_ + position_;
            position_ += n;
            return bytes;
        }
        pastEnd();
        return nullptr;
    }
    [[gnu::always_inline]] uint8_t byte() {
        if (position_ < end_) [[likely]]
            return code_[position_++];
        return pastEnd();
    }
    uint16_t word() {
        const uint16_t high = byte();
        return static_cast<uint16_t>(high << 8 | byte());
    }
    Destination destination() {
        const uint8_t type = byte();
        return {type, byte()};
    }
    int32_t operand() {
        const Destination cell = destination();
        return valueOf(cell);
    }
    void skipOperand() { destination(); }
    std::string text(); // T: a count byte, then the characters

    [[gnu::always_inline]] int32_t valueOf(Destination cell) {
        return readValueFast(engine, cell.type, cell.index);
    }
    [[gnu::always_inline]] int32_t valueAt(const uint8_t* operandBytes) {
        return readValueFast(engine, operandBytes[0], operandBytes[1]);
    }
    // valueOf as a function of (type, index).
    auto cellReader() {
        return [this](uint8_t type, uint8_t index) { return valueOf({type, index}); };
    }
    [[gnu::always_inline]] void assign(Destination cell, int32_t value) {
        assignValueFast(engine, cell.type, cell.index, value);
    }

    // Q: a whole condition list, strictly left to right, every condition
    // evaluated, no precedence.
    [[gnu::always_inline]] bool conditions() {
        // Most lists are a single comparison: read it in one go.
        if (end_ - position_ >= comparison::wholeListSize &&
            comparison::isWholeListAt(code_ + position_)) [[likely]] {
            const uint8_t* p = code_ + position_;
            position_ += comparison::wholeListSize;
            return comparison::evaluate(p, cellReader(), cellReader());
        }
        bool result = condition();
        for (;;) {
            const uint8_t connector = byte();
            if (connector == connectorEnd) return result;
            const bool next = condition();
            result = connector == connectorAnd ? (result && next) : (result || next);
        }
    }
    // One condition; comparisons, by far the most frequent, are done here.
    [[gnu::always_inline]] bool condition() {
        if (end_ - position_ >= comparison::size && comparison::startsAt(code_ + position_))
            [[likely]] {
            const uint8_t* p = code_ + position_;
            position_ += comparison::size;
            return comparison::evaluate(p, cellReader(), cellReader());
        }
        return evaluateCondition(*this);
    }

    // Where the cursor is, as byte offsets in the code area; always within
    // [begin, end].
    uint32_t position() const { return position_; }
    void setPosition(uint32_t offset) {
        position_ = offset < begin_ ? begin_ : offset > end_ ? end_ : offset;
    }
    uint32_t begin() const { return begin_; }
    uint32_t end() const { return end_; }
    uint32_t instructionStart() const { return instructionStart_; }
    uint8_t instructionCode() const { return code_[instructionStart_]; }

    // Control. goTo() and the block operations end the call with an error
    // text when the code asks for something impossible; they return false
    // (or no level) then.
    bool ended() const { return ended_; }
    [[gnu::always_inline]] bool goTo(uint16_t blockPosition) {
        // Position L + 1 is the end of the block and simply ends the call.
        std::size_t offset;
        if (!jumpOffset(blockPosition, end_ - begin_, offset)) [[unlikely]]
            return jumpOutside(blockPosition);
        if (!spendJump(engine.machine.jumpsLeft)) [[unlikely]]
            return endlessLoop();
        position_ = begin_ + static_cast<uint32_t>(offset);
        return true;
    }
    [[gnu::always_inline]] BlockLevel* openBlock() {
        if (BlockLevel* opened = blocks_.open()) [[likely]]
            return opened;
        return tooManyLevels();
    }
    [[gnu::always_inline]] BlockLevel* innermostBlock() {
        if (BlockLevel* innermost = blocks_.innermost()) [[likely]]
            return innermost;
        return noOpenBlock();
    }
    [[gnu::always_inline]] bool closeBlock() {
        if (blocks_.close()) [[likely]]
            return true;
        return noOpenBlock() != nullptr;
    }
    // Leaves the innermost block through its end.
    [[gnu::always_inline]] void exitBlock(const BlockLevel& innermost) {
        if (goTo(innermost.endPosition)) closeBlock();
    }
    int blockLevel() const { return blocks_.level(); }
    void stop();
    void endCall() { endWith({}); }
    void fault(const std::string& text) { endWith(text); }

    uint8_t lastUnrecognisedCode = 0;

    // Runs the block's instructions until the call ends.
    void run();
    // The same, plainly, one instruction at a time (plain_run.h).
    void runPlainly();

  private:
    friend class RunLoop; // the loop keeps the cursor in registers while it runs

    uint8_t pastEnd();
    bool jumpOutside(uint16_t blockPosition);
    bool endlessLoop();
    BlockLevel* tooManyLevels();
    BlockLevel* noOpenBlock();
    void endWith(std::string_view text);
    // A story loaded by code outside the loop replaces the code area.
    void refreshCodeArea() {
        const std::vector<uint8_t>& area = engine.world.codeArea;
        if (area.data() != code_ || area.size() < end_) [[unlikely]]
            followNewCodeArea();
    }
    void followNewCodeArea();

    ScriptCall* caller_; // the call that is waiting for this one, if any
    const uint8_t* code_;
    uint32_t callerPosition_; // the program position to restore on return
    uint32_t position_;
    uint32_t begin_;
    uint32_t end_;
    uint32_t instructionStart_;
    // Where the loop started the running instruction; it becomes
    // instructionStart_ whenever the loop hands over its cursor.
    const uint8_t* instructionAt_ = nullptr;
    bool ended_ = false;
    OpenBlocks blocks_;
};

// The loop keeps the calls it enters itself in the machine's call slots and
// simply abandons them when they end.
static_assert(sizeof(ScriptCall) <= sizeof(CallSlot) && alignof(ScriptCall) <= alignof(CallSlot));
static_assert(std::is_trivially_destructible_v<ScriptCall>);

} // namespace rux
