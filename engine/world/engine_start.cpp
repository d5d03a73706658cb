#include "engine/world/engine_start.h"

#include "engine/engine.h"

namespace rux {

void initEngine(Engine&) {}

void readCommandLine(Engine& engine, const std::vector<std::string>& arguments) {
    if (!arguments.empty()) engine.storyFileName = arguments.front();
}

void startGame(Engine&) {}

void restartGame(Engine&) {}

}  // namespace rux
