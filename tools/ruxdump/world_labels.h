#pragma once
// Readable names for the numbers of a story: objects, rooms, actions, texts,
// grammatical codes, locations, masks and the library roles of flags and
// system variables. All results are UTF-8.

#include "engine/world/world.h"
#include "tools/ruxdump/text_marks.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ruxdump {

// "3 Truhe"; pseudo-objects 250..255 by their role; 0 as "0 (none)".
std::string objectLabel(const rux::World& world, int n);
std::string roomLabel(const rux::World& world, int id);
std::string actionLabel(const rux::World& world, int id);

// A text shortened to one quoted line (line feeds read as spaces).
std::string textPreview(std::string_view cp1252, std::size_t width = 48);
// A text as printMessage prints it: "1/2 "Ein Text"", "none" for variant 0.
std::string textRefLabel(const TextIndex& texts, rux::TextRef ref);
// A text of an object slot or room description, where mark 0 runs a text
// routine instead: "text routine 3".
std::string shownTextLabel(const rux::World& world, const TextIndex& texts, rux::TextRef ref);

std::string genderName(uint8_t gender);
std::string articleKindName(uint8_t kind);
// Where an object is: "in room 1 Flur", "carried by the player", "on 3 Tisch"...
std::string locationLabel(const rux::World& world, const rux::ObjectRecord& object);
// "4 verschlossen" from the story's state names, else the library's meaning.
std::string stateLabel(const rux::World& world, uint8_t state);
// What an exit byte leads to: a room, an exit message or an exit routine.
std::string exitLabel(const rux::World& world, const TextIndex& texts, uint8_t exit);
std::string directionLabel(const rux::World& world, int d);

// Slot-code masks of actions: "5 (first, mit)".
std::string maskLabel(uint8_t mask);
// The requirement byte of an action's result object.
std::string slotKindLabel(uint8_t kind);
// The words of a verb pattern: "mach auf", plus who the player must be.
std::string patternWords(const rux::World& world, rux::VerbPattern pattern);
std::string patternCondition(uint8_t particle);

// Library roles; empty when the number has none.
std::string_view objectFlagRole(int flag);
std::string_view roomFlagRole(int flag);
std::string_view byteVariableRole(int number);
std::string_view longVariableRole(int number);
std::string_view tailSetRole(int set);

} // namespace ruxdump
