#pragma once
// The state image: all changeable game state as one flat byte string, the
// same for restart, saved games and undo. It has no field markers and fits
// only the story that made it.

#include <cstddef>
#include <cstdint>
#include <span>

namespace rux {

class Engine;

// The image size a saved game stores for the loaded story.
std::size_t computeStateSize(const Engine& engine);
// The bytes the image items fill (at most computeStateSize).
std::size_t computeUsedSize(const Engine& engine);

// Captures the world into `image`, which holds at least computeUsedSize bytes.
void writeStateImage(Engine& engine, std::span<uint8_t> image);
// Puts an image back into the world.
void readStateImage(Engine& engine, std::span<const uint8_t> image);

// At the end of loading: sizes the images for the new story, captures the
// world as loaded and drops the undo images of any earlier story.
void takeInitialImage(Engine& engine);
// At the end of a completed turn: the image undo and saving start from.
void takeEndOfTurnImage(Engine& engine);
// Puts the world back to how it was loaded (restart).
void restoreInitialImage(Engine& engine);

} // namespace rux
