#pragma once
// A story text shown as a box over the game text.

#include <cstdint>

namespace rux {

class Engine;

// At most this many lines fit in the box; further lines are dropped.
inline constexpr int maxTextBoxLines = 10;

// Shows text `variant` of mark `mark`, split at line feeds and unformatted,
// as a box, then waits at the paging prompt. A mark without texts prints an
// error text instead (and still waits); variant 0, or a variant beyond the
// text area, shows nothing.
void showTextBox(Engine& engine, uint8_t mark, uint8_t variant);

} // namespace rux
