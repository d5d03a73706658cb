#include "engine/text/lists.h"

#include "engine/engine.h"
#include "engine/text/noun_phrases.h"

#include <vector>

namespace rux {
namespace {

constexpr int nestedCaseOffset = 10;

uint8_t& itemCount(Engine& engine) {
    return engine.world.byteVariables[1];
}

void addObjectItem(Engine& engine, uint8_t object, char letter) {
    listAdd(engine, objectCode(letter, object, openCaseByte));
    if (itemCount(engine) > 1 || engine.world.objects[object].gender == 0)
        engine.lists.listIsPlural = true;
}

// An object on its own, by the list style's article.
void addSingle(Engine& engine, uint8_t object) {
    if ((engine.world.byteVariables[27] & listDefiniteBit) != 0)
        listAddDefinite(engine, object);
    else
        listAddIndefinite(engine, object);
    engine.lists.listedSet.insert(object);
}

// The object and the later counted objects of the set that share its group
// and have not been named yet.
std::vector<uint8_t> groupMembers(const Engine& engine, const ObjectSet& set, uint8_t first) {
    const World& world = engine.world;
    const uint8_t group = world.objects[first].group;
    std::vector<uint8_t> members{first};
    for (int b = first + 1; b <= world.counts.fixedCount; ++b) {
        const auto object = static_cast<uint8_t>(b);
        if (set.contains(object) && !engine.lists.listedSet.contains(object) &&
            world.objects[object].group == group)
            members.push_back(object);
    }
    return members;
}

} // namespace

void beginList(Engine& engine) {
    itemCount(engine) = 0;
    engine.lists.pendingItem.clear();
    engine.text.phraseText.clear();
    engine.lists.listIsPlural = false;
}

void listAdd(Engine& engine, std::string_view item) {
    std::string& text = engine.text.phraseText;
    if (itemCount(engine) >= 2) text += ", ";
    text += engine.lists.pendingItem;
    engine.lists.pendingItem = std::string(item);
    ++itemCount(engine);
}

void listAddIndefinite(Engine& engine, uint8_t object) {
    addObjectItem(engine, object, 'u');
}

void listAddDefinite(Engine& engine, uint8_t object) {
    addObjectItem(engine, object, 'b');
}

void endList(Engine& engine, std::string_view conjunction) {
    std::string& text = engine.text.phraseText;
    if (itemCount(engine) > 1) text += conjunction;
    if (itemCount(engine) >= 1) text += engine.lists.pendingItem;
    engine.world.objects[0].gender = engine.lists.listIsPlural ? 0 : 1;
}

std::string listObjects(Engine& engine, const ObjectSet& set, int grammaticalCase) {
    World& world = engine.world;
    const bool nested = grammaticalCase >= nestedCaseOffset;
    if (nested) grammaticalCase -= nestedCaseOffset;
    const uint8_t style = world.byteVariables[27];
    const bool membersAfterComma = (style & listCommaMembersBit) != 0;
    const std::string_view open = membersAfterComma ? ", " : " (";
    const std::string_view close = membersAfterComma ? "" : ")";

    beginList(engine);
    int singles = 0;
    int groups = 0;
    uint8_t groupGender = 0;
    for (int a = 1; a <= world.counts.portableCount; ++a) {
        const auto object = static_cast<uint8_t>(a);
        if (!set.contains(object) || engine.lists.listedSet.contains(object)) continue;
        const uint8_t group = world.objects[object].group;
        if (group == 0 || nested || (style & listNeverGroupBit) != 0) {
            addSingle(engine, object);
            ++singles;
            continue;
        }
        const std::vector<uint8_t> members = groupMembers(engine, set, object);
        const int count = static_cast<int>(members.size());
        if (count == 1) {
            addSingle(engine, object);
            ++singles;
            continue;
        }
        if (world.inheritedNaming.contains(object)) {
            // Like objects without names of their own: «drei Münzen».
            listAdd(engine, countedIndefinite(engine, group, grammaticalCase, count));
            for (uint8_t member : members)
                engine.lists.listedSet.insert(member);
            groupGender = 0;
            engine.lists.listIsPlural = true;
        } else {
            // A counted group followed by its members: «zwei Münzen (eine
            // goldene und eine silberne)».
            std::string savedText = engine.text.phraseText;
            const uint8_t savedCount = itemCount(engine);
            std::string savedPending = engine.lists.pendingItem;
            ObjectSet memberSet;
            for (uint8_t member : members)
                memberSet.insert(member);
            const std::string memberList =
                listObjects(engine, memberSet, grammaticalCase + nestedCaseOffset);
            engine.text.phraseText = std::move(savedText);
            itemCount(engine) = savedCount;
            engine.lists.pendingItem = std::move(savedPending);
            std::string item = countedIndefinite(engine, group, grammaticalCase, count);
            item += "/0+";
            item += open;
            item += memberList;
            item += close;
            item += "/0-";
            listAdd(engine, item);
            groupGender = world.objects[group].pluralGender;
        }
        ++groups;
    }
    endList(engine, (style & listOrBit) != 0 ? " oder " : " und ");
    if (singles == 0 && groups == 1) world.objects[0].gender = groupGender;
    return engine.text.phraseText;
}

} // namespace rux
