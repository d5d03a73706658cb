#pragma once
// Contents of a holder moved or reported as an enumeration.

#include <cstdint>

namespace rux {

class Engine;

// Moves every counted object that lies with the given relation in or on the
// command's first object to where that object is, lists the moved objects
// in the phrase buffer and prints system message 192; with nothing to move
// prints message 191 when `announce` is set.
// Lists the portable objects that lie with `relation` at `holder` (those not
// yet listed and not marked as out of listings) through the holder's text
// slot for the relation, or system message 113 + relation. With nothing to
// list it prints only when `always` is set, else marks the text as empty.
void describeContents(Engine& engine, uint8_t holder, uint8_t relation, bool always);

void spillContents(Engine& engine, uint8_t relation, bool announce);

} // namespace rux
