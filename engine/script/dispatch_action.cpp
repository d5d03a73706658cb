#include "engine/script/dispatch_action.h"

namespace rux {

// The turn driver fills this in; until then an action called from code
// runs nothing, so calls to it are safe but without effect.
void dispatchAction(Engine& /*engine*/, uint8_t /*action*/) {}

} // namespace rux
