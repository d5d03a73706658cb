#pragma once
// The layout the front end gives the output sink, and laying the logged
// output out again when it changes.

#include "engine/text/output_buffer.h"

#include <array>

namespace rux {

class Engine;

struct OutputLayout {
    int visibleLines = kDefaultVisibleLines;
    int wrapWidth = kDefaultWrapWidth;
    std::array<CharWidthTable, 3> charWidths = {kUnitCharWidths, kUnitCharWidths,
                                                kUnitCharWidths}; // normal, bold, input
};

// Takes a new layout and empties the display: text starts again on the bottom
// line in the normal style. visibleLines is held to 1..80 and wrapWidth to at
// least 1.
void setLayout(Engine& engine, const OutputLayout& layout);

// Takes a new layout and lays the logged output out again, without logging,
// transcript or paging prompts; the paging count is kept.
void relayout(Engine& engine, const OutputLayout& layout);

// After the status line changed height: the display keeps its lines, the
// current line moving up if it no longer fits.
void setVisibleLines(Engine& engine, int visibleLines);

} // namespace rux
