#pragma once
// Wrapping a piece of output into the display lines: line ends, style
// switches, break opportunities, lines that overflow, and the new lines
// they start (transcript, paging prompt, scrolling).

#include <string_view>

namespace rux {

class Engine;

// Appends the piece to the current line, breaking lines where it must.
void wrapPiece(Engine& engine, std::string_view text);

} // namespace rux
