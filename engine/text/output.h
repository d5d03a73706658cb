#pragma once
// The output sink through which all text reaches the screen.

#include <string>
#include <string_view>

namespace rux {

class Engine;

// Appends a piece of text (Windows-1252, style bytes 1..3 allowed): wraps it
// into the display lines, logs it, copies finished lines to an open
// transcript and waits at the paging prompt when a screenful is unread.
void outputText(Engine& engine, std::string_view text);
// Ends the paragraph unless one has just ended.
void paragraphBreak(Engine& engine);
// Ends the line unconditionally.
void lineBreak(Engine& engine);
// A run of spaces for indents, held to at most 80.
std::string_view spaces(int count);

// Where the cleared screen's first line goes: the bottom line, from where the
// text scrolls up, or the top line.
enum class ScreenStart { Bottom, Top };

// Empties every display line, forgets the output log (there is nothing left to
// lay out again) and restarts the paging count at 0.
void clearScreen(Engine& engine, ScreenStart start);
// Empties both logs; for a newly opened story.
void clearLogs(Engine& engine);

// The scrollback log as one string, lines joined by line feeds: everything
// shown so far, without style bytes. Tests and the scrollback view read it.
std::string scrollbackText(const Engine& engine);
// The display line being filled, style bytes included.
std::string_view currentDisplayLine(const Engine& engine);

} // namespace rux
