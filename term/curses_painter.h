#pragma once
// Drawing the engine's display on the curses screen: the status line, the
// display lines with their styles, the story's text box, input fields and
// message boxes. All text arrives in Windows-1252 and leaves as UTF-8.

#include "term/line_editor.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace rux::term {

// Cells a display line takes: its bytes from 32 up, the soft hyphen aside.
int visibleWidth(std::string_view line);

// The three status texts (index 1 left, 2 centre, 3 right; a line feed
// starts the next status line) in `rows` rows from the top.
void drawStatusLine(const std::array<std::string, 4>& texts, int rows);

// One display line; bytes 1, 2 and 3 switch to the normal, bold and input
// style.
void drawDisplayLine(int row, std::string_view line);

// The story's text box: centred, its top at `top`; a line starting with
// "<", "." or ">" is left-aligned, centred or right-aligned.
void drawTextBox(const std::vector<std::string>& lines, int top);

// An input field at (row, column) filling the rest of the row, in the
// input style, with the caret shown.
void drawInputField(int row, int column, LineEditor& editor);

// A centred box of lines with a last line telling how to go on.
void drawMessageBox(const std::vector<std::string>& lines, std::string_view footer);

// The lines of a text, cut at line feeds.
std::vector<std::string> splitLines(std::string_view text);

} // namespace rux::term
