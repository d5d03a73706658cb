#include "engine/script/inventory.h"

#include "engine/engine.h"
#include "engine/script/listings.h"
#include "engine/script/cell_names.h"
#include "engine/text/formatter.h"
#include "engine/text/lists.h"
#include "engine/text/noun_phrases.h"
#include "engine/text/output.h"

namespace rux {

namespace {

constexpr uint8_t indentVariable = 26;
constexpr uint8_t sentenceFormVariable = 28;
constexpr uint8_t neverListedFlag = 5;
constexpr uint8_t contentsShownFlag = 14;
constexpr int accusative = 1;
constexpr std::size_t prefixCapacity = 36;

// A tree deeper than this is a holder cycle in a damaged story.
constexpr int maxTreeDepth = 64;

bool isShut(const ObjectRecord& object) {
    return object.state == 3 || object.state == 4;
}

// Lists the carried objects with the relation through the message, when any.
void listCarried(Engine& engine, uint8_t relation, uint8_t message, int& count) {
    World& world = engine.world;
    ObjectSet carried;
    for (int o = 1; o <= world.counts.portableCount; ++o) {
        const auto object = static_cast<uint8_t>(o);
        const ObjectRecord& record = world.objects[object];
        if (record.holder == 0 && record.relation == relation &&
            !world.objectFlag(neverListedFlag, object))
            carried.insert(object);
    }
    engine.text.phraseText = listObjects(engine, carried, accusative);
    const uint8_t listed = world.byteVariables[itemCountVariable];
    if (listed != 0) printMessage(engine, 0, message);
    count += listed;
}

void showInventorySentences(Engine& engine, int& count) {
    World& world = engine.world;
    listCarried(engine, 0, 123, count);
    listCarried(engine, 1, 124, count);
    for (int o = 1; o <= world.counts.portableCount; ++o) {
        const auto object = static_cast<uint8_t>(o);
        if (world.objects[object].holder == 0) listContents(engine, object, count);
    }
}

bool listedInTree(const Engine& engine, uint8_t object, uint8_t holder, uint8_t relation) {
    const World& world = engine.world;
    const ObjectRecord& record = world.objects[object];
    if (engine.lists.listedSet.contains(object)) return false;
    if (record.holder != holder || record.relation != relation) return false;
    if (relation == 2 && isShut(world.objects[holder]) &&
        !world.objectFlag(contentsShownFlag, holder))
        return false;
    return !world.objectFlag(neverListedFlag, object);
}

} // namespace

void listInventoryTree(Engine& engine, uint8_t holder, int depth, int& count) {
    World& world = engine.world;
    if (depth > maxTreeDepth) return;
    const int indent = world.byteVariables[indentVariable] / 2 * depth;
    std::string prefix = std::string(spaces(indent)) + "/:/|+" + static_cast<char>(68 + indent);
    prefix = shortString(prefix, prefixCapacity);
    const std::string endMark = "/|+@";

    const int firstRelation = depth == 0 ? 0 : 2;
    for (int relation = firstRelation; relation <= 4; ++relation) {
        for (int b = 1; b <= world.counts.portableCount; ++b) {
            const auto object = static_cast<uint8_t>(b);
            if (!listedInTree(engine, object, holder, static_cast<uint8_t>(relation))) continue;
            if (count == 0) printMessage(engine, 0, 121);
            ++count;
            const std::string suffix = relation == 1 ? " (angezogen)" : "";
            const ObjectRecord& record = world.objects[object];
            if (record.group != 0) {
                ObjectSet group;
                for (int j = b; j <= world.counts.portableCount; ++j) {
                    const ObjectRecord& other = world.objects[j];
                    if (other.group == record.group && other.holder == record.holder &&
                        other.relation == record.relation)
                        group.insert(static_cast<uint8_t>(j));
                }
                engine.text.phraseText = listObjects(engine, group, accusative);
                formatText(engine, "/x" + prefix + "/l1" + suffix + endMark);
                for (int j = b; j <= world.counts.portableCount; ++j)
                    if (group.contains(static_cast<uint8_t>(j)))
                        engine.lists.listedSet.insert(static_cast<uint8_t>(j));
            } else {
                formatText(engine,
                           "/x" + prefix + objectCode('b', object, accusative) + suffix + endMark);
                engine.lists.listedSet.insert(object);
                listInventoryTree(engine, object, depth + 1, count);
            }
        }
    }
}

void showInventory(Engine& engine) {
    World& world = engine.world;
    engine.lists.listedSet.clear();
    int count = 0;
    if (world.byteVariables[sentenceFormVariable] != 0)
        showInventorySentences(engine, count);
    else
        listInventoryTree(engine, 0, 0, count);
    if (count == 0) printMessage(engine, 0, 122);
}

} // namespace rux
