#pragma once
// The output sink through which all text reaches the screen.

#include <string>
#include <string_view>

namespace rux {

class Engine;

// Appends a piece of text (Windows-1252, style bytes 1..3 allowed).
void outputText(Engine& engine, std::string_view text);
// Ends the paragraph unless one has just ended.
void paragraphBreak(Engine& engine);
// Ends the line unconditionally.
void lineBreak(Engine& engine);

// The scrollback log as one string, lines joined by line feeds: everything
// shown so far, without style bytes. Tests and the scrollback view read it.
std::string scrollbackText(const Engine& engine);
// The display line being filled.
std::string_view currentDisplayLine(const Engine& engine);

}  // namespace rux
