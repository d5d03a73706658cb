#pragma once
// Reading a ".vux" story file into the world model.

#include <cstdint>
#include <span>
#include <string>

#include "engine/world/world.h"

namespace rux {

class Engine;

// Parses a whole story file into a fresh world, derived tables included.
// Throws FatalError with the player-facing message on any fault; nothing
// of a partly read world escapes.
World parseStory(std::span<const uint8_t> bytes, const std::string& fileName);

// Loads the story named by engine.storyFileName: reads the file, replaces
// the engine's world with it, resets the per-game values and clears the
// name. Throws FatalError (the engine's world is then left as it was).
void loadStory(Engine& engine);

// The same for a story already in memory; `fileName` names it in messages.
void loadStoryBytes(Engine& engine, std::span<const uint8_t> bytes, const std::string& fileName);

}  // namespace rux
