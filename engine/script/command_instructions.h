#pragma once
// Instructions around commands and the session: performing another action,
// collecting and listing, byte arrays, pending and message variables, scope
// sets, the parser-facing tests, questions, quitting and the screen.

#include "engine/script/instruction_handlers.h"

#include <array>

namespace rux {

namespace instructions {

// Commands, messages and scope sets (command_instructions.cpp).
void perform(ScriptCall& call);            // 18
void collect(ScriptCall& call);            // 43
void listContentsOf(ScriptCall& call);     // 44
void setPending(ScriptCall& call);         // 51
void printPending(ScriptCall& call);       // 52
void printAndStop(ScriptCall& call);       // 55
void setMessageVariable(ScriptCall& call); // 56
void setGender(ScriptCall& call);          // 57
void joinSeen(ScriptCall& call);           // 60
void joinTouchable(ScriptCall& call);      // 61
void joinHidden(ScriptCall& call);         // 62
void joinUntouchable(ScriptCall& call);    // 63

// Byte arrays (array_instructions.cpp).
void getArray(ScriptCall& call);   // 47
void putArray(ScriptCall& call);   // 48
void arrayIndex(ScriptCall& call); // 49
void fillArray(ScriptCall& call);  // 50

// The parser's word in hand (parser_instructions.cpp).
void firstWord(ScriptCall& call);                 // 64
void nextWord(ScriptCall& call);                  // 65
void articleTest(ScriptCall& call);               // 66
void adjectiveTest(ScriptCall& call);             // 67
void classifyNumberInstruction(ScriptCall& call); // 68
void readNumberInstruction(ScriptCall& call);     // 69

// Questions, quitting and the screen (session_instructions.cpp).
void askYesNoInstruction(ScriptCall& call);  // 32
void askChoiceInstruction(ScriptCall& call); // 70
void quit(ScriptCall& call);                 // 71
void morePrompt(ScriptCall& call);           // 72
void clearFromBottom(ScriptCall& call);      // 73
void clearFromTop(ScriptCall& call);         // 74

} // namespace instructions

// Enters this family's handlers in the dispatch table.
constexpr void addCommandInstructions(std::array<InstructionHandler, 256>& table) {
    namespace in = instructions;
    table[18] = &in::perform;
    table[32] = &in::askYesNoInstruction;
    table[43] = &in::collect;
    table[44] = &in::listContentsOf;
    table[47] = &in::getArray;
    table[48] = &in::putArray;
    table[49] = &in::arrayIndex;
    table[50] = &in::fillArray;
    table[51] = &in::setPending;
    table[52] = &in::printPending;
    table[55] = &in::printAndStop;
    table[56] = &in::setMessageVariable;
    table[57] = &in::setGender;
    table[60] = &in::joinSeen;
    table[61] = &in::joinTouchable;
    table[62] = &in::joinHidden;
    table[63] = &in::joinUntouchable;
    table[64] = &in::firstWord;
    table[65] = &in::nextWord;
    table[66] = &in::articleTest;
    table[67] = &in::adjectiveTest;
    table[68] = &in::classifyNumberInstruction;
    table[69] = &in::readNumberInstruction;
    table[70] = &in::askChoiceInstruction;
    table[71] = &in::quit;
    table[72] = &in::morePrompt;
    table[73] = &in::clearFromBottom;
    table[74] = &in::clearFromTop;
}

} // namespace rux
