#pragma once
// The two questions the engine asks the player by a single key: yes or no,
// and one letter out of a few. Each echoes the answer in the input style.

#include <cstdint>
#include <string_view>

namespace rux {

class Engine;

// Waits for J or N (Escape counts as no); true for yes.
bool askYesNo(Engine& engine);

// Waits for one of `letters` (at most 12, upper-cased) or Escape. Returns
// the answer's 1-based position in the upper-cased letters, 0 for Escape.
int askChoice(Engine& engine, std::string_view letters);

} // namespace rux
