#pragma once
// The sections of the story listing, each printing its own heading(s) and
// nothing at all when it has nothing to show.

#include "engine/world/world.h"
#include "tools/ruxdump/text_marks.h"

#include <ostream>

namespace ruxdump {

void dumpIdentity(const rux::World& world, std::ostream& out); // title, label, counts
void dumpObjects(const rux::World& world, const TextIndex& texts, std::ostream& out);
void dumpRooms(const rux::World& world, const TextIndex& texts,
               std::ostream& out); // with exit messages and routines
void dumpActions(const rux::World& world, std::ostream& out);
void dumpScripts(const rux::World& world, std::ostream& out); // hooks, routines, text routines
void dumpVariables(const rux::World& world, std::ostream& out);
void dumpFlagSets(const rux::World& world, std::ostream& out);
void dumpArrays(const rux::World& world, const TextIndex& texts,
                std::ostream& out); // byte arrays, message variables
void dumpVocabulary(const rux::World& world, std::ostream& out);
void dumpTailSets(const rux::World& world, std::ostream& out);
void dumpTexts(const TextIndex& texts, std::ostream& out);

} // namespace ruxdump
