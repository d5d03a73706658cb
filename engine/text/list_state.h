#pragma once
// The list builder's state while an enumeration is being put together. The
// text built so far is TextState::phraseText and the item count is byte
// variable 1.

#include "engine/world/object_set.h"

#include <string>

namespace rux {

struct ListState {
    std::string pendingItem;   // the last item, held back for the conjunction
    bool listIsPlural = false; // an item is plural (a counted group, a plural name)
    ObjectSet listedSet;       // objects already named in the current listing
};

} // namespace rux
