#pragma once
// The turn driver: from a typed line to the prompt for the next one.

#include <string>

namespace rux {

class Engine;

// Stores the line as the engine's input line, then processes it sentence by
// sentence: parsing, carrying out, and the end-of-turn processing.
void processCommandLine(Engine& engine, const std::string& line);

}  // namespace rux
