#pragma once
// The texts the script machine prints into the game when a story's code is
// faulty, and its fatal message. Addresses are byte offsets in the code area.

#include <cstdint>
#include <string>

namespace rux::scriptMessages {

std::string unrecognisedInstruction(uint8_t lastCode, uint8_t code, uint32_t address);
std::string stackOverflow(int depth);

// Faults of malformed code that end the running block.
std::string jumpOutsideBlock(uint16_t target, uint32_t address);
std::string tooManyBlockLevels(uint32_t address);
std::string closeWithoutBlock(uint32_t address);
std::string pastBlockEnd(uint32_t address);
std::string badSelectionEntry(uint32_t address);
std::string endlessLoop(uint32_t address);

} // namespace rux::scriptMessages
