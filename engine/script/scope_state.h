#pragma once
// The four per-turn scope sets and the re-entry guard of the darkness test.

#include "engine/world/object_set.h"

namespace rux {

struct ScopeState {
    ObjectSet seenThisTurn;
    ObjectSet touchableThisTurn;
    ObjectSet hiddenThisTurn;
    ObjectSet untouchableThisTurn;
    bool darknessTestRunning = false; // a nested darkness test answers "not dark"
};

} // namespace rux
