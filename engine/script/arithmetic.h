#pragma once
// Script arithmetic on signed 32-bit numbers: it wraps on overflow, and
// dividing by zero gives 0.

#include <cstdint>

namespace rux::arithmetic {

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

} // namespace rux::arithmetic
