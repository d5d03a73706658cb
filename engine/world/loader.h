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
// The same into a world that is cleared first; on a fault the world is left
// partly read. A program that parses many stories reuses one world's storage.
void parseStoryInto(World& world, std::span<const uint8_t> bytes, const std::string& fileName);

// Loads the story named by engine.storyFileName and starts the game: reads
// the file, replaces the engine's world with it, resets the per-game values,
// clears the name, takes the initial state image and runs the game start.
// Throws FatalError (the engine's world is then left as it was).
void loadStory(Engine& engine);

// The same for a story already in memory, without the game start: the world
// is ready, the initial image taken, nothing has run yet (tools and tests
// inspect a story this way; startGame plays it). `fileName` names it in
// messages.
void loadStoryBytes(Engine& engine, std::span<const uint8_t> bytes, const std::string& fileName);

// The second half of loadStoryBytes: puts a copy of a world that parseStory
// made into the engine. A program that plays one story many times (a
// fuzzer) parses it once and installs it for each game.
void installWorld(Engine& engine, const World& world);

}  // namespace rux
