#pragma once
// Bringing the engine up, reading the command line, and starting or
// restarting a game.

#include <string>
#include <vector>

namespace rux {

class Engine;

// Prepares a fresh engine: grammar tables, the status-line banner and the
// values every story starts from.
void initEngine(Engine& engine);

// Takes the story file from the program's arguments (without the program's
// own name). More than one argument gives a warning; the first is used.
void readCommandLine(Engine& engine, const std::vector<std::string>& arguments);

// Runs the story's start routine, describes the first room and runs the
// first end-of-turn processing. Called by the loader at its end.
void startGame(Engine& engine);

// Puts the game back to its initial state and starts it again.
void restartGame(Engine& engine);

} // namespace rux
