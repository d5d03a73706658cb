#pragma once
// The turn driver: from a typed line to the prompt for the next one.

#include <cstdint>
#include <string>

namespace rux {

class Engine;

// Stores the line as the engine's input line, then processes it sentence by
// sentence: parsing, carrying out, and the end-of-turn processing.
void processCommandLine(Engine& engine, const std::string& line);

// The end of a turn: doors and objects in several rooms come to the
// player's side, the every-turn routines run, the seen flags, the turn
// counter, the clock and the end-of-turn image follow (only after a
// command that passed game time), then the game-over prompt, the status
// line and the prompt. The game start's first end of turn always counts as
// passing time.
enum class TurnKind { Command, GameStart };
void endTurn(Engine& engine, TurnKind kind = TurnKind::Command);

// Carries out a command addressed to a person through the person's fifth
// scripts along its base chain.
void orderToPerson(Engine& engine);

// The text an action leaves to be printed after it, unless another text
// comes first.
void setPendingMessage(Engine& engine, uint8_t mark, uint8_t variant);
void printPendingMessage(Engine& engine);

// After the game has ended: the story's say, then the choice to quit,
// restart, restore or take back the last turn.
void gameOverPrompt(Engine& engine);

// The farewell, a last look at the screen, the transcript closed, and the
// front end asked to end the program. Nothing is saved.
void quitProgram(Engine& engine);

}  // namespace rux
