#pragma once
// World-acting instructions: moving the player, printing, locations and states, flag sets, random
// choices, the clock, game end, reach checks, scores, exits, text boxes and the object tree.

#include "engine/script/instruction_handlers.h"

#include <array>

namespace rux {

namespace instructions {

// The player, the clock and the end of the game (player_instructions.cpp).
void movePlayer(ScriptCall& call);
void setClock(ScriptCall& call);
void advanceClockBy(ScriptCall& call);
void endGameWon(ScriptCall& call);
void endGameLost(ScriptCall& call);
void needTouch(ScriptCall& call);
void needCarried(ScriptCall& call);

// Texts (text_instructions.cpp).
void printRandom(ScriptCall& call);
void printVariant(ScriptCall& call);
void textBox(ScriptCall& call);
void paragraph(ScriptCall& call);

// Locations, states, flag sets, random values and object tree queries
// (world_instructions.cpp).
void place(ScriptCall& call);
void setState(ScriptCall& call);
void randomValue(ScriptCall& call);
void flagOn(ScriptCall& call);
void flagOff(ScriptCall& call);
void choose(ScriptCall& call);
void swap(ScriptCall& call);
void parent(ScriptCall& call);
void outerHolder(ScriptCall& call);
void outerObject(ScriptCall& call);
void uniqueItem(ScriptCall& call);
void countInside(ScriptCall& call);
void weightInsideOf(ScriptCall& call);

// Exits of rooms (exit_instructions.cpp).
void exitOf(ScriptCall& call);
void findDirection(ScriptCall& call);

// Scores (score_instructions.cpp).
void scorePoints(ScriptCall& call);
void portablePoints(ScriptCall& call);
void roomPoints(ScriptCall& call);

} // namespace instructions

// Enters this family's handlers in the dispatch table.
constexpr void addWorldInstructions(std::array<InstructionHandler, 256>& table) {
    namespace in = instructions;
    table[1] = &in::movePlayer;
    table[3] = &in::printRandom;
    table[10] = &in::place;
    table[11] = &in::setState;
    table[12] = &in::randomValue;
    table[13] = &in::flagOn;
    table[14] = &in::flagOff;
    table[15] = &in::choose;
    table[16] = &in::swap;
    table[20] = &in::printVariant;
    table[24] = &in::setClock;
    table[25] = &in::advanceClockBy;
    table[28] = &in::endGameWon;
    table[29] = &in::endGameLost;
    table[30] = &in::needTouch;
    table[31] = &in::needCarried;
    table[33] = &in::scorePoints;
    table[34] = &in::exitOf;
    table[35] = &in::parent;
    table[36] = &in::outerHolder;
    table[37] = &in::textBox;
    table[38] = &in::paragraph;
    table[40] = &in::outerObject;
    table[41] = &in::uniqueItem;
    table[42] = &in::findDirection;
    table[45] = &in::countInside;
    table[46] = &in::weightInsideOf;
    table[53] = &in::portablePoints;
    table[54] = &in::roomPoints;
}

} // namespace rux
