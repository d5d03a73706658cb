#pragma once
// The turn driver's state while a typed line is processed.

#include <cstdint>
#include <string>

namespace rux {

struct TurnState {
    std::string inputLine; // the typed line being processed
    // The typed command of the sentence being carried out was "look"
    // (action 10): the room is then described in full even when visited.
    bool lookCommand = false;
    // Which object of a command that names several is being handled (1..),
    // 0 while none is.
    int objectIndex = 0;
    // The game-over prompt chose to end the program.
    bool quitPending = false;
    // Counts game starts, so that a sentence that restarted the game ends
    // the line: the start has printed its own prompt.
    int gameStarts = 0;
    // The last end of turn printed the prompt "> ", whose line the typed
    // command continues.
    bool promptPrinted = false;
};

} // namespace rux
