#pragma once
// Set operations the parser needs on object sets.

#include "engine/world/object_set.h"

#include <bit>
#include <cstdint>

namespace rux {

inline ObjectSet intersection(const ObjectSet& a, const ObjectSet& b) {
    ObjectSet result;
    for (std::size_t i = 0; i < a.bytes().size(); ++i)
        result.bytes()[i] = static_cast<uint8_t>(a.bytes()[i] & b.bytes()[i]);
    return result;
}

// Whether the two sets have a member in common.
inline bool meets(const ObjectSet& a, const ObjectSet& b) {
    for (std::size_t i = 0; i < a.bytes().size(); ++i)
        if (a.bytes()[i] & b.bytes()[i]) return true;
    return false;
}

// The lowest member; 0 for an empty set.
inline uint8_t lowestMember(const ObjectSet& set) {
    for (std::size_t i = 0; i < set.bytes().size(); ++i)
        if (const uint8_t b = set.bytes()[i])
            return static_cast<uint8_t>(i * 8 + static_cast<std::size_t>(std::countr_zero(b)));
    return 0;
}

} // namespace rux
