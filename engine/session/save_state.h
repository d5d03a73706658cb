#pragma once
// The state images the engine keeps: the image of the freshly loaded story
// (restart returns to it), the image of the last turn's end and the undo
// images of earlier turns.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace rux {

inline constexpr int undoSlotCount = 12;

using StateImage = std::vector<uint8_t>;

// The objects of a turn's command. An image keeps the command's action but
// not its objects; the undo message names them from here.
struct CommandObjects {
    uint8_t object1 = 0;
    uint8_t object2 = 0;
    uint8_t object3 = 0;
};

struct SaveState {
    // Bytes of an image as stored in a saved game, reserved room included.
    std::size_t stateSize = 0;
    // Bytes the images actually fill; the rest of stateSize is never used.
    std::size_t usedSize = 0;
    bool imagesTaken = false; // false until a story has been loaded
    // A turn has passed game time since the game started or was last saved
    // or restored: the window asks before it throws that progress away.
    bool unsavedProgress = false;

    StateImage initialImage;
    StateImage fileImage;       // the end of the last turn
    CommandObjects fileObjects; // that turn's command objects

    // Undo images kept as a ring, so that a new turn moves no image: the most
    // recent one is at undoNewest, older ones follow it.
    std::array<StateImage, undoSlotCount> undoImages;
    std::array<CommandObjects, undoSlotCount> undoObjects;
    int undoNewest = 0;
    int undoCount = 0;
};

} // namespace rux
