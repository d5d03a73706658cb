#include "engine/script/turn_driver.h"

#include "engine/engine.h"

namespace rux {

void processCommandLine(Engine&, const std::string&) {}

}  // namespace rux
