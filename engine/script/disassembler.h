#pragma once
// Listing byte code in a readable form: one line per instruction with its
// 1-based block position, mnemonic and operands, jump targets as "@n".
// Reading never runs anything and never leaves the block: an instruction
// cut off by the block's end is marked and ends the listing. Lines are
// Windows-1252 (names and inline texts are copied as they are).

#include "engine/world/world.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rux {

// The lines of one code block.
std::vector<std::string> disassemble(const World& world, CodeBlock block);

// Every script of the story, each under a heading that says whose it is:
// objects, rooms, actions, action hooks, exit routines, routines and text
// routines, in that order. Empty scripts are left out.
std::vector<std::string> disassembleStory(const World& world);

// An operand as the listing shows it, e.g. "byte:12", "local:1", "num:5",
// "state(obj:7)", "prop3(12)", "array2[byte:4]".
std::string describeOperand(uint8_t type, uint8_t index);

} // namespace rux
