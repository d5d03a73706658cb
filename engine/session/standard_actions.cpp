#include "engine/session/standard_actions.h"

namespace rux {

bool hasBuiltInPart(uint8_t action) {
    if (action == 0 || action == 4 || action == 7 || action == 29) return false;
    if (action >= 34 && action <= 39) return false;
    return action <= 50;
}

void performBuiltInPart(Engine& /*engine*/) {}

} // namespace rux
