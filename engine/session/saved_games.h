#pragma once
// Saved-game files: the story's label, five counts, the state image and
// five check bytes computed from the world.

#include <array>
#include <cstdint>
#include <string>

namespace rux {

class Engine;

inline constexpr char savedGameExtension[] = ".sav";

// The five check bytes of the world as it is now.
std::array<uint8_t, 5> checkValue(Engine& engine);

// Both report to the player; a failure also sets byte variable 14 to 99.
// False on an I/O failure; a cancelled save or a refused file is no I/O
// failure (byte variable 14 tells those apart).
bool saveGame(Engine& engine, const std::string& fileName);
bool restoreGame(Engine& engine, const std::string& fileName);

} // namespace rux
