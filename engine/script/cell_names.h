#pragma once
// The story cells that are more than plain storage: cells that are read as
// something else, that have a side effect when written, or that the engine
// gives a role. Every reader and writer, the interpreter's shortcuts
// included, names them from here, so that a cell's special meaning cannot
// be known in one place and forgotten in another.

#include <cstdint>

namespace rux {

// Byte variables (value type 3).
inline constexpr uint8_t itemCountVariable = 1; // objects counted by the listings
inline constexpr uint8_t litVariable = 10;      // read: 1 while the player's surroundings are lit
inline constexpr uint8_t abortFlagVariable =
    13; // set by the stopping instructions; no code runs while set
inline constexpr uint8_t parseErrorVariable = 14; // the parser's message code
// 1 while the current action is not carried out: the standard actions set
// it at their start and clear it when they succeed, the game's end sets it.
inline constexpr uint8_t notCarriedOutVariable = 16;
inline constexpr uint8_t statusLineVariable = 20;    // writing it repaints the status line
inline constexpr uint8_t scoreMessagesVariable = 21; // 1: tell the player about points
inline constexpr uint8_t gameEndCodeVariable = 33;   // 0 while the game runs

// Byte, object and room variables (value types 3, 7, 9) from this index up
// are the locals of the innermost running call: 255 local 1 ... 248 local 8.
inline constexpr uint8_t firstLocalIndex = 248;

// Long variables (value type 4) up to this index are redirected to cells of
// their own on reading, and some on writing too.
inline constexpr uint8_t turnCounterLongVariable = 1;
inline constexpr uint8_t secondShadowLongVariable = 2;
inline constexpr uint8_t scoreLongVariable = 3; // read: the computed score
inline constexpr uint8_t scoreBaseLongVariable = 4;
inline constexpr uint8_t unwrittenLongVariable = 5; // reads 0 whatever is written
inline constexpr uint8_t lastRedirectedLongVariable = 5;

// A number operand (value type 6) that names the player in the first person
// reads as the player in the second person.
inline constexpr uint8_t playerFirstPerson = 250;
inline constexpr uint8_t playerSecondPerson = 251;

// The value a number operand with this index reads.
// Written as a sum, which needs no branch.
static_assert(playerSecondPerson == playerFirstPerson + 1);
constexpr int32_t numberOperandValue(uint8_t index) {
    return index + (index == playerFirstPerson);
}

} // namespace rux
