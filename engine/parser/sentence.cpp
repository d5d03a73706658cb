#include "engine/parser/sentence.h"

#include "engine/engine.h"
#include "engine/parser/command_steps.h"
#include "engine/parser/noun_phrase_reader.h"
#include "engine/parser/parse_error.h"
#include "engine/parser/resolution.h"
#include "engine/parser/tokenizer.h"
#include "engine/parser/vocabulary.h"
#include "engine/script/reach_checks.h"
#include "engine/text/noun_phrases.h"

namespace rux {

namespace {

constexpr uint8_t nominative = nominativeCase;
constexpr uint8_t accusative = accusativeCase;
constexpr uint8_t dative = dativeCase;
constexpr uint8_t mainObjectPreposition = 8;

const std::string& wordAt(const Engine& engine, int position) {
    return engine.parser.words.word(position).text;
}

const std::string& currentWord(const Engine& engine) {
    return wordAt(engine, engine.parser.parsePosition);
}

bool isListSeparator(std::string_view word) {
    return word == "," || word == "und";
}

// A comma, "und" or a closing mark ends the sentence; "!" and "?" end it
// wherever a full stop would.
bool endsSentence(std::string_view word) {
    return word == "," || word == "." || word == "und" || word == "!" || word == "?";
}

void step(Engine& engine, int by) {
    engine.parser.parsePosition = static_cast<uint8_t>(engine.parser.parsePosition + by);
}

// The sentence element being read in the current pass has used a word.
struct Pass {
    bool used = false;
};

void setSlot(Engine& engine, Pass& pass, uint8_t& field, uint8_t value) {
    field = value;
    pass.used = true;
    step(engine, 1);
}

void fail(Engine& engine, uint8_t code) {
    parseError(engine) = code;
}

// Reads the further entries of an object list after its first phrase.
void readObjectList(Engine& engine, Pass& pass, uint8_t object) {
    ParserState& p = engine.parser;
    setSlot(engine, pass, p.command.firstObject, object);
    p.command.listPhrases[1] = p.command.firstPhrase;
    p.command.objectList[1] = p.command.firstObject;
    p.command.listHadArticle = p.articleSeen;
    while (isListSeparator(currentWord(engine))) {
        step(engine, 1);
        const uint8_t next = readNounPhrase(engine, accusative, p.command.firstPhrase);
        if (next == 0) break;
        const int count = p.command.objectListCount == 0 ? 2 : p.command.objectListCount + 1;
        if (count > objectListSlots) {
            fail(engine, 6); // more objects than one command can name
            return;
        }
        p.command.objectListCount = static_cast<uint8_t>(count);
        p.command.listPhrases[count] = p.command.firstPhrase;
        setSlot(engine, pass, p.command.objectList[count], next);
    }
    // A separator followed by no phrase ends the sentence on it: «nimm den
    // Apfel und geh nach Norden».
    if (isListSeparator(wordAt(engine, p.parsePosition - 1))) step(engine, -1);
}

// A phrase of an "ausser" list: dative first, then accusative.
uint8_t readExceptPhrase(Engine& engine, NounPhrase& phrase) {
    const uint8_t object = readNounPhrase(engine, dative, phrase);
    return object != 0 ? object : readNounPhrase(engine, accusative, phrase);
}

void readExceptList(Engine& engine, Pass& pass) {
    ParserState& p = engine.parser;
    if (p.command.allMode == 0) return fail(engine, 10);
    step(engine, 1);
    const uint8_t first = readExceptPhrase(engine, p.command.listPhrases[1]);
    if (first == 0) return fail(engine, 11);
    p.command.objectListCount = 1;
    setSlot(engine, pass, p.command.objectList[1], first);
    while (isListSeparator(currentWord(engine))) {
        step(engine, 1);
        if (isListSeparator(currentWord(engine))) return fail(engine, 11);
        if (p.command.objectListCount >= objectListSlots) return fail(engine, 11);
        const int count = p.command.objectListCount + 1;
        const uint8_t next = readExceptPhrase(engine, p.command.listPhrases[count]);
        if (next == 0) {
            step(engine, -1); // the sentence ends on the separator
            return;
        }
        p.command.objectListCount = static_cast<uint8_t>(count);
        setSlot(engine, pass, p.command.objectList[count], next);
    }
}

void readPreposition(Engine& engine, Pass& pass, uint8_t preposition) {
    ParserState& p = engine.parser;
    World& world = engine.world;
    step(engine, 1);
    uint8_t object = readNounPhrase(engine, accusative, p.command.prepPhrase);
    if (object != 0 && preposition == mainObjectPreposition) {
        p.command.firstPhrase = p.command.prepPhrase;
        return readObjectList(engine, pass, object);
    }
    if (object != 0) {
        if (world.command.preposition != 0) return fail(engine, 6);
        world.command.preposition = preposition;
        return setSlot(engine, pass,
                       p.articleSeen ? p.command.prepAccObject : p.command.prepOpenObject, object);
    }
    object = readNounPhrase(engine, dative, p.command.prepPhrase);
    if (object != 0) {
        if (world.command.preposition != 0) return fail(engine, 6);
        world.command.preposition = preposition;
        return setSlot(engine, pass, p.command.prepDatObject, object);
    }
    // No object follows: a separable particle (*mach die Tür auf*).
    if (world.command.particle != 0) return fail(engine, 6);
    setSlot(engine, pass, world.command.particle, preposition);
    step(engine, -1);
}

void readMainObject(Engine& engine, Pass& pass) {
    ParserState& p = engine.parser;
    const NounPhrase earlier = p.command.firstPhrase;
    const bool earlierHadArticle = p.command.listHadArticle;
    p.mainObjectMode = true;
    const uint8_t object = readNounPhrase(engine, accusative, p.command.firstPhrase);
    p.mainObjectMode = false;
    if (object == 0) return;
    if (p.command.firstObject == 0) return readObjectList(engine, pass, object);
    if (earlierHadArticle) return fail(engine, 14);
    // Two accusatives without articles: the first was the dative object
    // (*gib Hans den Apfel*).
    p.command.secondPhrase = earlier;
    p.command.secondObject = p.command.firstObject;
    readObjectList(engine, pass, object);
}

void readAllWithPhrase(Engine& engine, Pass& pass) {
    ParserState& p = engine.parser;
    if (p.command.allMode != 0 || p.command.firstObject != 0) return fail(engine, 8);
    step(engine, 1);
    if (readNounPhrase(engine, accusative, p.command.firstPhrase) == 0 ||
        p.command.firstPhrase.gender != 0)
        return fail(engine, 4);
    setSlot(engine, pass, p.command.firstObject, allChosenObject);
    p.command.firstPhrase.text = " alle " + p.command.firstPhrase.text;
    p.retainedPhrase = p.command.firstPhrase;
    p.command.allMode = 2;
}

// One pass of the sentence loop: the first element that fits the current word.
void readElement(Engine& engine) {
    ParserState& p = engine.parser;
    World& world = engine.world;
    Pass pass;
    const std::string& word = currentWord(engine);
    // A quoted passage is the text of "sage ..." (quotedText); it fills no
    // slot of its own.
    if (word.starts_with('"')) return step(engine, 1);
    if (word == "mit") {
        step(engine, 1);
        if (p.command.mitObject != 0) return fail(engine, 6);
        const uint8_t object = readNounPhrase(engine, dative, p.command.mitPhrase);
        if (object != 0) return setSlot(engine, pass, p.command.mitObject, object);
        step(engine, -1);
    }
    if (p.directionAllowed) {
        const uint8_t direction = findDirection(engine);
        if (direction != 0) {
            if (world.command.direction != 0) return fail(engine, 6);
            return setSlot(engine, pass, world.command.direction, direction);
        }
    }
    if (const uint8_t preposition = findPreposition(engine); preposition != 0) {
        readPreposition(engine, pass, preposition);
        if (pass.used || parseError(engine) != 0) return;
    }
    readMainObject(engine, pass);
    if (pass.used || parseError(engine) != 0) return;
    if (const uint8_t object = readNounPhrase(engine, dative, p.command.secondPhrase);
        object != 0) {
        if (p.command.secondObject != 0) return fail(engine, 6);
        return setSlot(engine, pass, p.command.secondObject, object);
    }
    const std::string& now = currentWord(engine);
    if (now == "alles") {
        if (p.command.allMode != 0 || p.command.firstObject != 0) return fail(engine, 8);
        setSlot(engine, pass, p.command.firstObject, allChosenObject);
        p.command.firstPhrase.objects.clear();
        for (int n = 1; n <= world.countedObjects(); ++n)
            p.command.firstPhrase.objects.insert(static_cast<uint8_t>(n));
        p.command.firstPhrase.text = " alles";
        p.command.allMode = 1;
        return;
    }
    if (now == "alle" || now == "beide") return readAllWithPhrase(engine, pass);
    if (now == "damit") {
        const uint8_t recent = world.scene.recentObject;
        if (recent == 0) return fail(engine, 5);
        p.command.mitPhrase = NounPhrase{};
        p.command.mitPhrase.objects.insert(recent);
        p.command.mitPhrase.gender = world.objects[recent].gender;
        return setSlot(engine, pass, p.command.mitObject, recent);
    }
    if (const uint8_t preposition = findPronominalAdverb(engine); preposition != 0) {
        const uint8_t recent = world.scene.recentObject;
        if (recent == 0) return fail(engine, 5);
        p.command.prepPhrase = NounPhrase{};
        p.command.prepPhrase.objects.insert(recent);
        p.command.prepPhrase.gender = world.objects[recent].gender;
        world.command.preposition = preposition;
        return setSlot(engine, pass, p.command.prepOpenObject, recent);
    }
    if (now == "ausser") return readExceptList(engine, pass);
    if (now == "nicht") return fail(engine, 9);
    fail(engine, isKnownWord(engine) ? 3 : 1);
}

} // namespace

namespace {

// Whether some action that takes a direction after its verb has a pattern
// with this verb.
bool directionAllowedFor(const World& world, uint8_t verb) {
    for (const ActionRecord& action : world.actions) {
        if ((action.excludedMask & 8) != 0) continue;
        for (const VerbPattern& pattern : action.verbPatterns)
            if (pattern.verb == verb) return true;
    }
    return false;
}

// A line without verb answers the pending question: the pending command
// comes back and the new words fill its empty slots.
void continuePendingCommand(Engine& engine) {
    ParserState& p = engine.parser;
    parseError(engine) = 0;
    restorePendingCommand(engine);
    const std::string& word = currentWord(engine);
    if (word == "beide" || word == "alle") {
        if (p.continuation == 1) {
            p.command.firstPhrase = p.retainedPhrase;
            p.command.firstObject = allChosenObject;
            p.command.firstPhrase.text = " alle " + p.command.firstPhrase.text;
            p.command.allMode = 2;
        } else {
            fail(engine, 17);
        }
    } else {
        step(engine, -1);
    }
    p.continuation = 0;
}

// «Hans, nimm die Lampe»: a character addressed before the verb.
void readAddressee(Engine& engine) {
    ParserState& p = engine.parser;
    World& world = engine.world;
    // The phrase is read as if nothing had failed yet; without it the
    // sentence simply has no verb.
    parseError(engine) = 0;
    const uint8_t phrase = readNounPhrase(engine, nominative, p.command.addressPhrase);
    const std::string& after = wordAt(engine, p.parsePosition + 1);
    if (phrase == 0 || (after != "," && after != ":")) {
        world.scene.addressee = 0;
        p.parsePosition = 1;
        parseError(engine) = 2;
        return;
    }
    uint8_t person = phrase;
    if (phrase != secondPersonObject) {
        person = resolve(engine, p.command.addressPhrase, 2, nominative, "", phrase);
        if (person == 0) return;
    }
    step(engine, 2);
    parseError(engine) = 0;
    if (person == secondPersonObject) {
        world.scene.addressee = 0;
        p.orderMode = false;
    } else {
        world.scene.addressee = person;
        p.orderMode = true;
        switchActor(engine, person);
    }
    world.command.verb = findVerb(engine);
    if (world.command.verb == 0) fail(engine, 2);
}

} // namespace

void parseSentence(Engine& engine) {
    ParserState& p = engine.parser;
    World& world = engine.world;
    p.command = ParsedCommand{};
    p.matchedActionRecord = -1;
    world.command = CommandSlots{};
    world.scene.addressee = 0;
    world.scene.wordListIndex = 0;
    p.unrecognisedWord.clear();
    p.parsePosition = 1;
    parseError(engine) = 0;

    world.command.verb = findVerb(engine);
    if (world.command.verb == 0) {
        fail(engine, 2);
        if (p.continuation != 0) continuePendingCommand(engine);
        if (parseError(engine) == 2 && p.parsePosition == 1) readAddressee(engine);
    }
    if (parseError(engine) == 0) {
        step(engine, 1);
        p.directionAllowed = directionAllowedFor(world, world.command.verb);
    }
    while (parseError(engine) == 0 && p.parsePosition <= p.words.wordCount &&
           !endsSentence(currentWord(engine)))
        readElement(engine);
    if (parseError(engine) == 0 && !currentWord(engine).empty() &&
        !wordAt(engine, p.parsePosition + 1).empty())
        p.command.nextSentence = static_cast<uint8_t>(p.parsePosition + 1);
    if (p.continuation == 0) p.retainedPhrase.objects.clear();
}

} // namespace rux
