#pragma once
// Painting the engine's screen: the display lines in their three styles, the
// status line and a story's text box. The widgets and the benchmark share it.

#include "engine/text/output_buffer.h"
#include "ui/window_look.h"

#include <QPainter>
#include <array>
#include <string>
#include <vector>

namespace rux::ui {

// Fills the text area and draws display lines 1 to out.currentLine, each
// from the left margin, switching fonts at the style bytes.
void paintDisplayLines(QPainter& painter, QSize area, const OutputBuffer& out,
                       const WindowLook& look);

// Fills the status line and draws the three status texts (left, centred,
// right), each cut into lines at its line feeds.
void paintStatusTexts(QPainter& painter, QSize area, const std::array<std::string, 4>& texts,
                      const WindowLook& look);

// Draws a text box over the text area, `top` pixels from its top edge, in
// the status line's font and colours.
void paintTextBox(QPainter& painter, int areaWidth, int top, const std::vector<std::string>& lines,
                  const WindowLook& look);

// The pixel width of a display line by the widths the engine wraps with.
int displayWidth(std::string_view line, const StyleWidths& widths);

} // namespace rux::ui
