#pragma once
// Condition 1, the comparison of two operands: by far the most frequent
// condition, so ScriptCall and the interpreter's loop read it in one go
// whenever the block holds all of its bytes. Its layout and its meaning are
// defined here alone; the condition code reads it byte by byte (and
// negated) only near a block's end.

#include "engine/script/instruction_table.h"

#include <cstddef>
#include <cstdint>

namespace rux::comparison {

// Bytes: the condition code, the left operand (type, index), the relation,
// the right operand (type, index).
inline constexpr uint8_t code = 1;
inline constexpr std::size_t size = 6;
inline constexpr std::size_t leftType = 1;
inline constexpr std::size_t leftIndex = 2;
inline constexpr std::size_t relation = 3;
inline constexpr std::size_t rightType = 4;
inline constexpr std::size_t rightIndex = 5;
// A condition list that is a single comparison: the comparison and the
// list's end.
inline constexpr std::size_t wholeListSize = size + 1;

// Whether the `size` bytes at p are a comparison.
inline bool startsAt(const uint8_t* p) {
    return p[0] == code;
}
// Whether the `wholeListSize` bytes at p are a list of one comparison.
inline bool isWholeListAt(const uint8_t* p) {
    return p[0] == code && p[size] == connectorEnd;
}

// Relation 2 is "less", 3 "greater", anything else "equal". Written as a
// choice among all three outcomes, which the compiler folds into the
// branch on the outcome that follows. A caller that knows which relation
// is usual (a loop's head: less) says so, and that one is tested first.
template <uint8_t usualRelation = 0>
[[gnu::always_inline]] inline bool holds(int32_t a, uint8_t relation, int32_t b) {
    if constexpr (usualRelation == relationLess) {
        if (__builtin_expect(relation == relationLess, 1)) return a < b;
    }
    const bool less = a < b;
    const bool greater = a > b;
    const bool equal = a == b;
    return relation == relationLess ? less : relation == relationGreater ? greater : equal;
}

// The comparison at p, its left side read before its right.
template <class ReadLeft, class ReadRight>
[[gnu::always_inline]] inline bool evaluate(const uint8_t* p, ReadLeft&& readLeft,
                                            ReadRight&& readRight) {
    const int32_t a = readLeft(p[leftType], p[leftIndex]);
    return holds(a, p[relation], readRight(p[rightType], p[rightIndex]));
}

} // namespace rux::comparison
