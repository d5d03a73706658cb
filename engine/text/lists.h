#pragma once
// Enumerations of objects joined with commas and "und" or "oder", built as
// markup in the phrase buffer (TextState::phraseText). Items leave their
// case open as the byte 16, which the printing markup fills in. The item
// count is byte variable 1; object 0's gender class afterwards says whether
// the enumeration was plural (0) or singular (1), so verbs can agree.

#include "engine/world/object_set.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace rux {

class Engine;

// The byte that stands for the case letter inside list items.
inline constexpr char openCaseByte = 16;

// A group item's counted phrase is built for every case, «drei rote Äpfel»,
// «drei rote Äpfel», «drei roten Äpfeln», between these bytes; the markup
// that fills in the case keeps the form for it.
inline constexpr char caseChoiceOpen = 17;
inline constexpr char caseChoiceNext = 18;
inline constexpr char caseChoiceClose = 19;

// The text with each case choice reduced to the form for the case (0..2).
std::string keepCaseChoices(std::string_view text, int grammaticalCase);
// The text with the case letter put in: every byte 16 becomes the letter
// and every case choice keeps the form for the letter's case.
std::string fillOpenCase(std::string_view text, char caseLetter);

// Bits of byte variable 27, the list style.
inline constexpr uint8_t listDefiniteBit = 1;     // name items with the definite article
inline constexpr uint8_t listOrBit = 2;           // join with " oder "
inline constexpr uint8_t listCommaMembersBit = 4; // group members after ", " instead of in brackets
inline constexpr uint8_t listNeverGroupBit = 8;   // never collapse like objects

void beginList(Engine& engine);
void listAdd(Engine& engine, std::string_view item);
void listAddIndefinite(Engine& engine, uint8_t object);
void listAddDefinite(Engine& engine, uint8_t object);
void endList(Engine& engine, std::string_view conjunction);

// The enumeration of the portable objects in the set that are not yet in
// the listing's listed set, with like objects collapsed into counted groups
// («drei Münzen»). A case of 10 or more marks a nested call that does not
// group again. Fills the phrase buffer and returns it.
std::string listObjects(Engine& engine, const ObjectSet& set, int grammaticalCase);

} // namespace rux
