#include "engine/engine.h"
#include "engine/text/case_functions.h"
#include "engine/text/noun_phrases.h"

namespace rux {
namespace {

// Slot codes of the action record: which part of the command feeds an object.
constexpr uint8_t accusativeSlot = 1;
constexpr uint8_t dativeSlot = 2;
constexpr uint8_t withSlot = 4;
constexpr uint8_t directionBit = 8;
constexpr uint8_t prepositionAccusativeSlot = 16;
constexpr uint8_t prepositionDativeSlot = 32;

// The record with that id, else the last record; none only without actions.
const ActionRecord* actionRecordFor(const World& world, uint8_t action) {
    if (const ActionRecord* record = world.findAction(action)) return record;
    return world.actions.empty() ? nullptr : &world.actions.back();
}

// A reflexive pronoun opens the action's name as a word of its own.
bool startsWithWord(std::string_view text, std::string_view word) {
    return text.starts_with(word) && (text.size() == word.size() || text[word.size()] == ' ');
}

std::string_view dropFront(std::string_view text, std::size_t count) {
    return text.substr(std::min(count, text.size()));
}

std::string slotPhrase(const World& world, const ActionRecord& record, uint8_t slot,
                       uint8_t object) {
    if (object == 0) return {};
    const std::string_view preposition =
        world.preposition(record.acceptedPrepositions.empty() ? 0 : record.acceptedPrepositions[0]);
    switch (slot) {
    case accusativeSlot: return objectCode('b', object, 1);
    case dativeSlot: return objectCode('b', object, 2);
    case withSlot: return "mit " + objectCode('b', object, 2);
    case prepositionAccusativeSlot:
        return std::string(preposition) + " " + objectCode('b', object, 1);
    case prepositionDativeSlot: return std::string(preposition) + " " + objectCode('b', object, 2);
    default: return {};
    }
}

} // namespace

std::string commandPhrase(Engine& engine, uint8_t action, uint8_t object1, uint8_t object2,
                          uint8_t object3, uint8_t direction, uint8_t partner) {
    if (partner != 0) return "Mit " + objectCode('b', partner, 2) + " reden";

    const World& world = engine.world;
    const ActionRecord* record = actionRecordFor(world, action);
    if (record == nullptr) return {};

    const uint8_t person = world.byteVariables[31];
    std::string phrase;
    std::string_view verbPart = record->name;
    if (startsWithWord(verbPart, "dich") || startsWithWord(verbPart, "mich")) {
        phrase = person == 1 ? " mich" : person == 2 ? " sich" : " dich";
        verbPart = dropFront(verbPart, 5);
    }
    if (startsWithWord(verbPart, "dir") || startsWithWord(verbPart, "mir")) {
        phrase = person == 1 ? " mir" : person == 2 ? " sich" : " dir";
        verbPart = dropFront(verbPart, 4);
    }

    const uint8_t objects[4] = {0, object1, object2, object3};
    for (int slot = 1; slot <= 3; ++slot) {
        if (record->slotSource[slot] == 0 || objects[slot] == 0) continue;
        // An unknown slot code names nothing; it adds no stray blank either.
        const std::string part =
            slotPhrase(world, *record, record->slotSource[slot], objects[slot]);
        if (!part.empty()) phrase += " " + part;
    }

    // A direction number beyond the name table counts as no direction.
    if ((record->requiredMask & directionBit) != 0 && direction != 0 &&
        direction <= directionNameCount)
        phrase += " nach " + capitalizeFirst(world.directionNames[direction].shortName);

    phrase += " ";
    phrase += verbPart;
    return phrase.substr(1);
}

} // namespace rux
