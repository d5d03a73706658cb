#pragma once
// The parser's data that the turn driver, the scripts and the text
// operations read: the word table of the typed line, the noun phrases of the
// sentence, the parsed command and what survives from one line to the next
// while a question is pending.
//
// The command cells that scripts read as values (action, object1..3,
// direction, preposition, particle, verb) live in World::command, and the
// addressed character, the related object and the published word-list index
// in World::scene; the parser writes them there. parseError is byte variable
// 14 (parseErrorVariable), orderError byte variable 15.

#include "engine/world/object_set.h"

#include <array>
#include <cstdint>
#include <string>

namespace rux {

inline constexpr int wordTableSlots = 24;
inline constexpr std::size_t wordLength = 12; // folded words, vocabulary entries

inline constexpr uint8_t orderErrorVariable = 15;

// Grammatical cases as the parser passes them.
inline constexpr uint8_t nominativeCase = 0;
inline constexpr uint8_t accusativeCase = 1;
inline constexpr uint8_t dativeCase = 2;

// A phrase gender that no article, adjective or noun has decided.
inline constexpr uint8_t undeterminedGender = 99;

// The first object slot after "alles", "alle" or "beide" (the objects
// themselves go to the object list). The other special objects (the
// player, the quoted text, the typed number) are named in
// engine/text/noun_phrases.h.
inline constexpr uint8_t allChosenObject = 255;

// One token of the typed line.
struct WordSlot {
    std::string text;   // folded, at most 12 characters; empty marks a free slot
    uint8_t column = 0; // 1-based position in the line of the token's first character
    uint8_t extent = 0; // number of line characters the token covers (before folding)
};

// The typed line as folded words in slots 1..24.
struct WordTable {
    std::array<WordSlot, wordTableSlots + 1> slots; // slot 0 is not used
    uint8_t wordCount = 0;                          // tokens in use
    // The line the words were cut from, as typed; `column` and `extent`
    // point into it, so the text can quote a word the way it was written.
    std::string line;

    // Slot n; a number outside 1..24 gives an empty slot.
    const WordSlot& word(int n) const {
        static const WordSlot none;
        return n >= 1 && n <= wordTableSlots ? slots[n] : none;
    }
};

// What one noun phrase of the sentence denotes.
struct NounPhrase {
    ObjectSet objects;                   // candidate objects
    uint8_t gender = undeterminedGender; // 0 plural, 1 masculine, 2 feminine, 3 neuter
    uint8_t count = 0;                   // a count typed with the phrase ("drei Münzen")
    std::string text;                    // the phrase as recognised, for questions and messages
    int32_t number = 0;                  // value of a count or number string
    uint8_t antecedent = 0;              // the object a pronoun stood for, else 0
};

// Object lists ("nimm lampe und schwert") and the "ausser" list share
// entries 1..16.
inline constexpr int objectListSlots = 16;

// Slot codes: bit values used in action masks and slot sources.
namespace slotCode {
inline constexpr uint8_t firstObject = 1;
inline constexpr uint8_t secondObject = 2;
inline constexpr uint8_t mitObject = 4;
inline constexpr uint8_t direction = 8;
inline constexpr uint8_t prepAccObject = 16;
inline constexpr uint8_t prepDatObject = 32;
} // namespace slotCode

// The sentence as read, before and after action matching. The cells shared
// with the scripts (verb, action, direction, preposition, particle, the
// three result objects) are World::command; the addressee is World::scene.
struct ParsedCommand {
    uint8_t firstObject = 0;    // main accusative phrase; 255 for "alles"/"alle"/"beide"
    uint8_t secondObject = 0;   // dative phrase (indirect object)
    uint8_t mitObject = 0;      // phrase after "mit", or "damit"
    uint8_t prepAccObject = 0;  // prepositional phrase in the accusative
    uint8_t prepDatObject = 0;  // prepositional phrase in the dative
    uint8_t prepOpenObject = 0; // prepositional phrase whose case is not yet decided
    std::array<uint8_t, objectListSlots + 1> objectList{}; // entries 1..16
    uint8_t objectListCount = 0;
    uint8_t allMode = 0;         // 1 after "alles", 2 after "alle"/"beide" with a phrase
    uint8_t nextSentence = 0;    // first word of the next sentence, 0 if none
    bool listHadArticle = false; // the main phrase began with an article

    NounPhrase firstPhrase;
    NounPhrase secondPhrase;
    NounPhrase mitPhrase;
    NounPhrase prepPhrase;
    NounPhrase addressPhrase;
    std::array<NounPhrase, objectListSlots + 1> listPhrases; // entries 1..16
};

// A command that waits for the answer to a question for a missing part.
struct PendingCommand {
    uint8_t verb = 0;
    uint8_t firstObject = 0;
    uint8_t secondObject = 0;
    uint8_t mitObject = 0;
    uint8_t direction = 0;
    uint8_t prepAccObject = 0;
    uint8_t prepDatObject = 0;
    uint8_t particle = 0;
    uint8_t preposition = 0;
    uint8_t action = 0;
    NounPhrase firstPhrase;
    NounPhrase secondPhrase;
    NounPhrase mitPhrase;
    NounPhrase prepPhrase;
};

// A recently mentioned object that a pronoun can refer to.
struct Antecedent {
    uint8_t object = 0;
    uint8_t gender = 0;
};
inline constexpr int antecedentSlots = 4; // one per gender class

// What a pending question expects of the next line.
namespace continuationKind {
inline constexpr uint8_t none = 0;
inline constexpr uint8_t disambiguation = 1;
inline constexpr uint8_t missingPart = 2;
} // namespace continuationKind

// The result objects kept around an implicit action.
struct ResultObjects {
    uint8_t object1 = 0;
    uint8_t object2 = 0;
    uint8_t object3 = 0;
    uint8_t direction = 0;
};

// The actor's location saved while a command to another character is parsed.
struct SavedActor {
    uint8_t currentRoom = 0;
    uint8_t playerVehicle = 0;
    uint8_t enclosure = 0;
};

struct ParserState {
    // The typed line.
    WordTable words;
    uint8_t parsePosition = 0;    // the word the parser is looking at
    std::string quotedText;       // what was typed between double quotes, unfolded
    uint8_t hookWordPosition = 0; // parsePosition when a hook routine was started
    uint8_t hookCase = 0;         // case of the phrase being read, for hook routines
    uint8_t endingStyle = 2;      // adjective-ending table in use (declension style)
    std::string numberText;       // display text of the last number string read
    std::string unrecognisedWord; // the word of parse error 1

    // The sentence.
    ParsedCommand command;
    bool articleSeen = false;    // the last phrase read began with an article
    bool mainObjectMode = false; // the main object phrase is being read
    bool directionAllowed = false;
    int matchedActionRecord = -1; // World::actions index of the matched record, -1: none

    // Pronouns: entries 0..antecedentCount-1, least recent first.
    std::array<Antecedent, antecedentSlots> antecedents{};
    uint8_t antecedentCount = 0;

    // Resolution.
    std::array<uint8_t, 256> candidates{}; // entries 0..candidateCount-1
    uint8_t candidateCount = 0;
    bool ambiguous = false;     // a kind-3 resolution found several and took one
    uint8_t testedObject = 0;   // the object canTouch or isCarried last examined
    int32_t typedNumber = 0;    // the number of the last phrase that named a special object
    uint8_t resolveContext = 0; // 1 first result object and list entries, 2 second, 3 third

    // Questions and orders.
    NounPhrase retainedPhrase; // candidates of a pending question
    uint8_t continuation = continuationKind::none;
    PendingCommand pending;
    bool orderMode = false; // a command to another character is being parsed
    SavedActor savedActor;
    ResultObjects savedResults;

    // Marks the scripts set during an action, applied after it.
    uint8_t markedObject = 0;
    uint8_t markedRoom = 0;
};

} // namespace rux
