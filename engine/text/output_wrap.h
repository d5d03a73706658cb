#pragma once
// Wrapping a piece of output into the display lines: line ends, style
// switches, break opportunities, lines that overflow, and the new lines
// they start (transcript, paging prompt, scrolling).

#include "engine/text/output_bytes.h"

#include <optional>
#include <string_view>

namespace rux {

class Engine;

// Appends the piece to the current line, breaking lines where it must. A
// piece that begins with a run comes with the scan of that run, which the
// caller has made already.
void wrapPiece(Engine& engine, std::string_view text, const std::optional<RunScan>& firstRun);
// The same for a piece of one byte that does not start a run: a line end or
// a style switch, most often, which need none of the wrapper's bookkeeping.
void wrapLoneByte(Engine& engine, unsigned char byte);

} // namespace rux
