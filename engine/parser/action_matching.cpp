#include "engine/engine.h"
#include "engine/parser/command_steps.h"
#include "engine/parser/parse_error.h"
#include "engine/parser/sentence.h"
#include "engine/text/noun_phrases.h"

#include <algorithm>

namespace rux {

namespace {

constexpr uint8_t playerNotObject = 64;
constexpr uint8_t playerFirstObject = 128;
constexpr uint8_t playerSecondObject = 192;

bool acceptsPreposition(const ActionRecord& action, uint8_t preposition) {
    if (preposition == 0) return true;
    const auto& accepted = action.acceptedPrepositions;
    return std::find(accepted.begin(), accepted.end(), preposition) != accepted.end();
}

// The player named as the first object of a player pattern is no object of
// the action: the list loses its first entry.
void dropPlayerFromList(ParsedCommand& p) {
    p.firstObject = 0;
    if (p.objectListCount < 2) return;
    for (int k = 1; k < p.objectListCount; ++k) {
        p.objectList[k] = p.objectList[k + 1];
        p.listPhrases[k] = p.listPhrases[k + 1];
    }
    --p.objectListCount;
    if (p.objectListCount == 1) {
        p.firstObject = p.objectList[1];
        p.firstPhrase = p.listPhrases[1];
        p.objectListCount = 0;
    }
}

} // namespace

void matchAction(Engine& engine) {
    ParserState& p = engine.parser;
    World& world = engine.world;
    CommandSlots& command = world.command;
    command.action = 0;
    const bool playerFirst =
        p.command.firstObject == secondPersonObject ||
        (p.command.objectListCount >= 2 && p.command.objectList[1] == secondPersonObject);
    const uint8_t group = playerFirst                                    ? playerFirstObject
                          : p.command.secondObject == secondPersonObject ? playerSecondObject
                                                                         : playerNotObject;
    ObjectSet plainMatches;
    ObjectSet playerMatches;
    for (const ActionRecord& action : world.actions) {
        if (!acceptsPreposition(action, command.preposition)) continue;
        for (const VerbPattern& pattern : action.verbPatterns) {
            if (pattern.verb != command.verb) continue;
            if (pattern.particle == command.particle)
                plainMatches.insert(action.id);
            else if (pattern.particle == group + command.particle)
                playerMatches.insert(action.id);
        }
    }
    const int first = p.command.firstObject != 0;
    const int rest = 4 * (p.command.mitObject != 0) + 8 * (command.direction != 0) +
                     16 * (p.command.prepAccObject != 0) + 32 * (p.command.prepDatObject != 0);
    const int second = group == playerSecondObject ? first : 2 * (p.command.secondObject != 0);
    const int filled = first + second + rest;
    const int filledButFirst = filled - first;
    const int free = p.command.listHadArticle ? 63 : 2 * first + rest;
    if (!playerMatches.empty()) plainMatches.clear();

    const ActionRecord* fallback = nullptr;
    bool matchedPlayer = false;
    for (const ActionRecord& action : world.actions) {
        const bool required = (action.requiredMask & filled) == action.requiredMask;
        if (plainMatches.contains(action.id)) {
            if ((action.excludedMask & filled) == 0 || (action.excludedMask & free) == 0) {
                if (fallback == nullptr) fallback = &action;
                if (required) {
                    command.action = action.id;
                    matchedPlayer = false;
                }
            }
        } else if (playerMatches.contains(action.id)) {
            if ((action.excludedMask & filledButFirst) == 0) {
                if (fallback == nullptr) fallback = &action;
                if (required) {
                    command.action = action.id;
                    matchedPlayer = true;
                }
            }
        }
    }
    if (command.action == 0) {
        if (fallback == nullptr) {
            parseError(engine) = 13;
            return;
        }
        command.action = fallback->id;
        p.continuation = 2;
    }
    if (matchedPlayer && group == playerFirstObject) dropPlayerFromList(p.command);
    for (std::size_t r = 0; r < world.actions.size(); ++r)
        if (world.actions[r].id == command.action) p.matchedActionRecord = static_cast<int>(r);
    if (p.command.prepOpenObject != 0) {
        const bool dativeObject = (matchedRecord(engine)->excludedMask & 16) != 0;
        uint8_t& target = dativeObject ? p.command.prepDatObject : p.command.prepAccObject;
        target = p.command.prepOpenObject;
        p.command.prepOpenObject = 0;
    }
}

} // namespace rux
