#include "tools/ruxdump/story_dump.h"

#include "tools/ruxdump/dump_sections.h"

namespace ruxdump {

void dumpStory(const rux::World& world, std::ostream& out) {
    const TextIndex texts(world);
    dumpIdentity(world, out);
    dumpObjects(world, texts, out);
    dumpRooms(world, texts, out);
    dumpActions(world, out);
    dumpScripts(world, out);
    dumpVariables(world, out);
    dumpFlagSets(world, out);
    dumpArrays(world, texts, out);
    dumpVocabulary(world, out);
    dumpTailSets(world, out);
    dumpTexts(texts, out);
}

} // namespace ruxdump
