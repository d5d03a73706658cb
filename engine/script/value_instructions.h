#pragma once
// Instructions that compute a value and store it: assignment, arithmetic,
// bit operations and conditions turned into numbers. Arithmetic is signed
// 32-bit and wraps on overflow. Defined here so that the interpreter's loop
// can run them without a call.

#include "engine/script/script_call.h"

namespace rux {

// Script arithmetic on signed 32-bit numbers.
namespace arithmetic {

inline int32_t wrapped(uint32_t value) {
    return static_cast<int32_t>(value);
}

inline int32_t plus(int32_t a, int32_t b) {
    return wrapped(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t minus(int32_t a, int32_t b) {
    return wrapped(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline int32_t times(int32_t a, int32_t b) {
    return wrapped(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// Truncating towards zero. Dividing by zero gives 0, and the one quotient
// that does not fit (the smallest number divided by -1) wraps to itself.
inline int32_t quotient(int32_t a, int32_t b) {
    if (b == 0) return 0;
    if (b == -1) return minus(0, a);
    return a / b;
}

// The remainder takes the sign of a; by zero it is 0.
inline int32_t remainder(int32_t a, int32_t b) {
    if (b == 0 || b == -1) return 0;
    return a % b;
}

inline int32_t bitAnd(int32_t a, int32_t b) {
    return a & b;
}
inline int32_t bitOr(int32_t a, int32_t b) {
    return a | b;
}

} // namespace arithmetic

namespace instructions {

// d := d op s, the value of d read before s is evaluated.
template <int32_t (*Operation)(int32_t, int32_t)>
[[gnu::always_inline]] inline void update(ScriptCall& call) {
    const uint8_t* p = call.take(4); // D, O
    if (!p) return;
    const Destination cell{p[0], p[1]};
    const int32_t current = call.valueOf(cell);
    call.assign(cell, Operation(current, call.valueAt(p + 2)));
}

[[gnu::always_inline]] inline void assign(ScriptCall& call) {
    const uint8_t* p = call.take(4); // D, O
    if (p) call.assign({p[0], p[1]}, call.valueAt(p + 2));
}

[[gnu::always_inline]] inline void add(ScriptCall& call) {
    update<arithmetic::plus>(call);
}
[[gnu::always_inline]] inline void subtract(ScriptCall& call) {
    update<arithmetic::minus>(call);
}
[[gnu::always_inline]] inline void multiply(ScriptCall& call) {
    update<arithmetic::times>(call);
}
[[gnu::always_inline]] inline void divide(ScriptCall& call) {
    update<arithmetic::quotient>(call);
}
[[gnu::always_inline]] inline void remainder(ScriptCall& call) {
    update<arithmetic::remainder>(call);
}
[[gnu::always_inline]] inline void bitAnd(ScriptCall& call) {
    update<arithmetic::bitAnd>(call);
}
[[gnu::always_inline]] inline void bitOr(ScriptCall& call) {
    update<arithmetic::bitOr>(call);
}

// d := 1 if the condition list holds, else 0.
[[gnu::always_inline]] inline void test(ScriptCall& call) {
    const Destination cell = call.destination();
    const bool holds = call.conditions();
    if (!call.ended()) call.assign(cell, holds ? 1 : 0);
}

[[gnu::always_inline]] inline void setTrue(ScriptCall& call) {
    if (const uint8_t* p = call.take(2)) call.assign({p[0], p[1]}, 1);
}

[[gnu::always_inline]] inline void setFalse(ScriptCall& call) {
    if (const uint8_t* p = call.take(2)) call.assign({p[0], p[1]}, 0);
}

} // namespace instructions

} // namespace rux
