#include "engine/text/lists.h"

#include "engine/engine.h"
#include "engine/text/grammar_tables.h"
#include "engine/text/markup_reader.h"
#include "engine/text/noun_phrases.h"

#include <algorithm>
#include <vector>

namespace rux {
namespace {

constexpr int nestedCaseOffset = 10;

uint8_t& itemCount(Engine& engine) {
    return engine.world.byteVariables[1];
}

void addObjectItem(Engine& engine, uint8_t object, char letter) {
    listAdd(engine, objectCode(letter, object, openCaseByte));
    if (phraseGender(engine, object) == pluralClass) engine.lists.listIsPlural = true;
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

// A group's counted phrase for each case, between the choice bytes: the
// markup that prints the list keeps the form for its case.
std::string countedItem(Engine& engine, uint8_t group, int count) {
    std::string item(1, caseChoiceOpen);
    for (int c = 0; c < grammaticalCases; ++c) {
        if (c > 0) item.push_back(caseChoiceNext);
        item += countedIndefinite(engine, group, c, count);
    }
    item.push_back(caseChoiceClose);
    return item;
}

} // namespace

std::string keepCaseChoices(std::string_view text, int grammaticalCase) {
    std::string kept;
    kept.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find(caseChoiceOpen, at);
        const std::size_t close =
            open == std::string_view::npos ? open : text.find(caseChoiceClose, open);
        if (close == std::string_view::npos) break; // no whole choice left
        kept.append(text.substr(at, open - at));
        std::string_view choices = text.substr(open + 1, close - open - 1);
        for (int c = 0; c < grammaticalCase; ++c) {
            const std::size_t next = choices.find(caseChoiceNext);
            if (next == std::string_view::npos) break; // too few forms: the last one
            choices.remove_prefix(next + 1);
        }
        kept.append(choices.substr(0, choices.find(caseChoiceNext)));
        at = close + 1;
    }
    kept.append(text.substr(std::min(at, text.size())));
    return kept;
}

std::string fillOpenCase(std::string_view text, char caseLetter) {
    std::string filled = keepCaseChoices(text, caseOfLetter(caseLetter));
    std::replace(filled.begin(), filled.end(), openCaseByte, caseLetter);
    return filled;
}

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
    // «Eine Lampe und ein Buch sind da», but «Eine Lampe oder ein Buch ist
    // da»: items joined by "oder" are plural only when one of them is.
    const bool joinedByOder = conjunction.find("oder") != std::string_view::npos;
    const bool plural = engine.lists.listIsPlural || (itemCount(engine) > 1 && !joinedByOder);
    engine.world.objects[0].gender = plural ? pluralClass : masculineClass;
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
            listAdd(engine, countedItem(engine, group, count));
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
            const bool savedPlural = engine.lists.listIsPlural;
            ObjectSet memberSet;
            for (uint8_t member : members)
                memberSet.insert(member);
            const std::string memberList =
                listObjects(engine, memberSet, grammaticalCase + nestedCaseOffset);
            engine.text.phraseText = std::move(savedText);
            itemCount(engine) = savedCount;
            engine.lists.pendingItem = std::move(savedPending);
            engine.lists.listIsPlural = savedPlural;
            std::string item = countedItem(engine, group, count);
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
