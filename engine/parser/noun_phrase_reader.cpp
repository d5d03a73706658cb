#include "engine/parser/noun_phrase_reader.h"

#include "engine/engine.h"
#include "engine/parser/object_set_ops.h"
#include "engine/parser/vocabulary.h"
#include "engine/parser/word_forms.h"
#include "engine/script/cell_names.h"
#include "engine/script/interpreter.h"
#include "engine/script/reach_checks.h"
#include "engine/text/case_functions.h"
#include "engine/text/grammar_tables.h"
#include "engine/text/name_preparation.h"
#include "engine/text/noun_phrases.h"

#include <algorithm>
#include <initializer_list>

namespace rux {

namespace {

constexpr uint8_t phraseHookRoutine = 6;

// Declension styles of the ending tables.
constexpr int mixedEndings = 0;  // after an indefinite article or a count
constexpr int weakEndings = 1;   // after a definite article
constexpr int strongEndings = 2; // without article

// Agreement frames.
constexpr int noGenderFrame = 0;
constexpr int openFrame = 1;
constexpr int decidedFrame = 2; // "den" in the accusative or the dative

constexpr uint8_t none = undeterminedGender;

// What one call of readNounPhrase has found so far.
struct PhraseReading {
    uint8_t grammaticalCase = 0;
    ObjectSet firstAdjective;                 // A1
    ObjectSet secondAdjective;                // A2
    ObjectSet nouns;                          // N
    uint8_t articleGender = none;             // R
    uint8_t firstAdjectiveGender = none;      // G1
    uint8_t secondAdjectiveGender = none;     // G2
    uint8_t phraseGender = none;              // P
    NumberKind numberKind = NumberKind::None; // K
    bool articleRead = false;                 // a definite or indefinite article (a count is none)
    bool nounRead = false;
    uint8_t failurePosition = 0; // 0: the start
};

std::string_view wordAt(const Engine& engine, int position) {
    return engine.parser.words.word(position).text;
}

uint8_t& parseError(Engine& engine) {
    return engine.world.byteVariables[parseErrorVariable];
}

int lastObjectNumber(const World& world) {
    return std::min(world.storyObjects(), lastStoryObject);
}

// The gender class an object number stands for in a phrase.
uint8_t objectGender(const World& world, uint8_t object) {
    if (object == typedNumberObject) return feminineClass;
    if (object >= 1 && object <= lastObjectNumber(world))
        return static_cast<uint8_t>(genderOf(world.objects[object].gender));
    return neuterClass;
}

// Whether `word` equals the parts joined and cut to the word table's 12
// characters, without building the joined string.
bool equalsJoinedCut(std::string_view word, std::initializer_list<std::string_view> parts) {
    std::size_t total = 0;
    for (const std::string_view part : parts)
        total += part.size();
    if (word.size() != std::min(total, wordLength)) return false;
    std::size_t at = 0;
    for (const std::string_view part : parts) {
        const std::size_t n = std::min(part.size(), word.size() - at);
        if (word.compare(at, n, part.substr(0, n)) != 0) return false;
        at += n;
    }
    return true;
}

// Whether `word` is the noun, its dative plural or one of its compounds
// with the object's prefixes (joined or hyphenated, cut to 12 characters).
bool matchesNoun(std::string_view word, const WordEntry& noun,
                 const std::vector<std::string>& prefixes) {
    if (word.empty()) return false;
    if (word == noun.word) return true;
    if (noun.form == pluralClass && isNounWithN(word, noun.word)) return true;
    for (const std::string& prefix : prefixes) {
        if (prefix.size() > word.size() || word.compare(0, prefix.size(), prefix) != 0) continue;
        if (equalsJoinedCut(word, {prefix, noun.word}) ||
            equalsJoinedCut(word, {prefix, "-", noun.word}))
            return true;
    }
    return false;
}

void appendCapitalised(std::string& text, std::string_view word) {
    text += ' ';
    text += capitalizeFirst(word);
}

// Hook routine 6 may choose the phrase's object itself.
bool phraseChosenByHook(Engine& engine, PhraseReading& r, uint8_t start) {
    ParserState& parser = engine.parser;
    World& world = engine.world;
    publishCurrentWord(engine);
    parser.hookWordPosition = parser.parsePosition;
    parser.hookCase = r.grammaticalCase;
    world.command.object1 = 0;
    runRoutine(engine, phraseHookRoutine);
    const uint8_t chosen = world.command.object1;
    // The hook may have moved through the words; its phrase ends where it
    // stopped, within the line.
    if (parser.parsePosition < start || parser.parsePosition > parser.words.wordCount)
        parser.parsePosition = start;
    if (chosen == 0) {
        // The words are read afresh, with the endings of a phrase without article.
        parser.parsePosition = start;
        parser.endingStyle = strongEndings;
        return false;
    }
    world.command.object1 = 0;
    r.nouns.insert(chosen);
    r.phraseGender = objectGender(world, chosen);
    return true;
}

// The antecedent list entry (least recent first, last match wins) whose
// pronoun in this case is `word`; -1 if none.
int antecedentIndex(const ParserState& parser, std::string_view word, uint8_t grammaticalCase) {
    int found = -1;
    if (word.empty()) return found;
    for (int i = 0; i < parser.antecedentCount && i < antecedentSlots; ++i)
        if (word == thirdPersonPronoun(grammaticalCase, parser.antecedents[i].gender)) found = i;
    return found;
}

enum class PronounReading { None, Antecedent, NothingToReferTo };

// "ihn", "sie", "ihm": the antecedent the pronoun refers to.
PronounReading readPronoun(Engine& engine, PhraseReading& r, NounPhrase& target) {
    const ParserState& parser = engine.parser;
    const std::string_view word = wordAt(engine, parser.parsePosition);
    const int index = antecedentIndex(parser, word, r.grammaticalCase);
    if (index >= 0) {
        const Antecedent& a = parser.antecedents[index];
        r.nouns.insert(a.object);
        r.phraseGender = a.gender;
        target.antecedent = a.object;
        target.text = " \"" + std::string(word) + "\" (" +
                      definitePhrase(engine, a.object, accusativeCase) + ")";
        return PronounReading::Antecedent;
    }
    for (const std::string_view pronoun : thirdPersonPronouns[r.grammaticalCase])
        if (word == pronoun) return PronounReading::NothingToReferTo;
    return PronounReading::None;
}

// "ich", "du", "sich", and "$" or a quoted passage for the quoted text.
bool readPerson(Engine& engine, PhraseReading& r) {
    const std::string_view word = wordAt(engine, engine.parser.parsePosition);
    const uint8_t addressee = engine.world.scene.addressee;
    const ParsedCommand& command = engine.parser.command;
    uint8_t object = 0;
    if (word == secondPersonForms[r.grammaticalCase])
        object = addressee != 0 ? addressee : secondPersonObject;
    else if (word == firstPersonForms[r.grammaticalCase])
        object = secondPersonObject;
    else if (word == "sich")
        object = addressee != 0              ? secondPersonObject
                 : command.firstObject != 0  ? command.firstObject
                 : command.secondObject != 0 ? command.secondObject
                                             : secondPersonObject;
    else if (word == "$" || (!word.empty() && word.front() == '"'))
        object = quotedTextObject; // "$" or the quoted passage itself
    if (object == 0) return false;
    r.nouns.insert(object);
    return true;
}

// A count, an article or a number string at the start of the phrase. True
// when a number string made the phrase.
bool readCountOrArticle(Engine& engine, PhraseReading& r, NounPhrase& target) {
    ParserState& parser = engine.parser;
    const uint8_t c = r.grammaticalCase;
    int32_t value = 0;
    r.numberKind = classifyNumber(engine, value);
    target.number = value;
    const std::string_view word = wordAt(engine, parser.parsePosition);
    if (r.numberKind == NumberKind::Count) {
        parser.endingStyle = mixedEndings;
        target.count = static_cast<uint8_t>(value);
        r.articleGender = pluralClass;
    } else if (r.numberKind == NumberKind::None) {
        for (uint8_t g = 0; g < genderClasses; ++g)
            if (word == definiteArticles[c][g]) r.articleGender = g;
        if (r.articleGender != none) {
            parser.endingStyle = weakEndings;
        } else {
            for (uint8_t g = masculineClass; g < genderClasses; ++g)
                if (word == indefiniteArticles[c][g]) r.articleGender = g;
            if (r.articleGender != none) {
                parser.endingStyle = mixedEndings;
                if (parser.mainObjectMode) target.count = 1;
            }
        }
        r.articleRead = r.articleGender != none;
    } else {
        readNumberString(engine, target.number, target.text);
        r.nouns.insert(typedNumberObject);
        r.phraseGender = feminineClass;
        return true;
    }
    if (r.articleGender != none) ++parser.parsePosition;
    return false;
}

// Up to two adjectives. An adjective is compared with the whole typed word,
// so that one longer than the table's 12 characters keeps its ending.
void readAdjectives(Engine& engine, PhraseReading& r, NounPhrase& target) {
    ParserState& parser = engine.parser;
    const World& world = engine.world;
    const int last = lastObjectNumber(world);
    for (int round = 1; round <= 2; ++round) {
        const std::string word = fullTypedWord(engine, parser.parsePosition);
        if (word.empty()) return;
        ObjectSet& matched = round == 1 ? r.firstAdjective : r.secondAdjective;
        uint8_t& gender = round == 1 ? r.firstAdjectiveGender : r.secondAdjectiveGender;
        bool textSet = false;
        for (int n = 1; n <= last; ++n) {
            for (const std::string& stem : world.objects[n].adjectives) {
                if (stem.empty()) continue;
                bool withEnding = false;
                if (word.size() > stem.size() && word.compare(0, stem.size(), stem) == 0) {
                    const std::string_view ending = std::string_view(word).substr(stem.size());
                    for (uint8_t g = 0; g < genderClasses; ++g)
                        if (ending ==
                            adjectiveEndingFor(parser.endingStyle, r.grammaticalCase, g)) {
                            gender = g;
                            withEnding = true;
                        }
                }
                const bool bare = round == 1 && word == stem;
                if (!withEnding && !bare) continue;
                matched.insert(static_cast<uint8_t>(n));
                if (withEnding && !textSet) {
                    target.text += " " + stem + "^";
                    textSet = true;
                }
            }
        }
        if (matched.empty()) return;
        ++parser.parsePosition;
    }
}

int agreementFrame(const PhraseReading& r, uint8_t& expected, uint8_t& alsoExpected) {
    alsoExpected = none;
    if (r.articleGender == none && r.firstAdjectiveGender == none) return noGenderFrame;
    expected = r.articleGender != none ? r.articleGender : r.firstAdjectiveGender;
    if (r.grammaticalCase == dativeCase && expected == neuterClass) alsoExpected = masculineClass;
    if (r.grammaticalCase == accusativeCase && expected == feminineClass)
        alsoExpected = pluralClass;
    if ((r.grammaticalCase == accusativeCase && expected == masculineClass) ||
        (r.grammaticalCase == dativeCase && expected == pluralClass))
        return decidedFrame;
    return openFrame;
}

// Nouns of every object at the current word, under the agreement frame.
void readNoun(Engine& engine, PhraseReading& r, NounPhrase& target, int frame, uint8_t expected,
              uint8_t alsoExpected) {
    ParserState& parser = engine.parser;
    const World& world = engine.world;
    const std::string_view word = wordAt(engine, parser.parsePosition);
    if (word.empty()) return;
    const int last = lastObjectNumber(world);
    bool textSet = false;
    for (int n = 1; n <= last; ++n) {
        const ObjectRecord& object = world.objects[n];
        for (const WordEntry& noun : object.nouns) {
            if (!matchesNoun(word, noun, object.nounPrefixes)) continue;
            // A gender byte out of range from the story counts as neuter.
            const auto form = static_cast<uint8_t>(genderIndex(noun.form));
            if (frame != noGenderFrame && form != expected && form != alsoExpected) continue;
            r.nouns.insert(static_cast<uint8_t>(n));
            r.phraseGender = std::min(r.phraseGender, form);
            if (!textSet) {
                appendCapitalised(target.text, typedWord(engine, parser.parsePosition));
                textSet = true;
            }
        }
    }
    if (r.nouns.empty()) return;
    r.nounRead = true;
    // Runs of nouns narrow each other ("schlüssel bund").
    for (;;) {
        ++parser.parsePosition;
        const ObjectSet next = nounMatches(engine);
        if (next.empty() || !meets(next, r.nouns)) break;
        r.nouns = intersection(r.nouns, next);
        appendCapitalised(target.text, wordAt(engine, parser.parsePosition));
    }
    --parser.parsePosition;
}

// An accusative that looks masculine, or a dative that looks plural, may
// simply be the other case: the phrase fails quietly then.
void caseMismatch(Engine& engine, PhraseReading& r, uint8_t gender) {
    if ((r.grammaticalCase == accusativeCase && gender == masculineClass) ||
        (r.grammaticalCase == dativeCase && gender == pluralClass))
        r.nouns.clear();
    else
        parseError(engine) = 4;
}

void checkAgreement(Engine& engine, PhraseReading& r) {
    const uint8_t c = r.grammaticalCase;
    uint8_t& g1 = r.firstAdjectiveGender;
    const uint8_t g2 = r.secondAdjectiveGender;
    const uint8_t p = r.phraseGender;
    if (g1 == none && r.secondAdjective.empty() && !r.firstAdjective.empty())
        parseError(engine) = 4;
    if (g1 == none && !r.secondAdjective.empty()) g1 = g2;
    if (g1 != g2 && g2 != none) parseError(engine) = 4;
    if (r.articleGender != none && r.articleGender != p && r.numberKind == NumberKind::None) {
        if (definiteArticle(c, p) == definiteArticle(c, r.articleGender))
            r.articleGender = p;
        else if (!r.nouns.empty())
            caseMismatch(engine, r, r.articleGender);
        else {
            parseError(engine) = 3;
            r.failurePosition = engine.parser.parsePosition;
        }
    }
    if (g1 != none && g1 != p) {
        if (!r.articleRead) {
            if (adjectiveEndingFor(strongEndings, c, p) != adjectiveEndingFor(strongEndings, c, g1))
                caseMismatch(engine, r, g1);
        } else if (adjectiveEndingFor(weakEndings, c, p) !=
                   adjectiveEndingFor(weakEndings, c, g1)) {
            parseError(engine) = 4;
        }
    }
}

// An article or adjectives without a noun after them.
void reportMissingNoun(Engine& engine, PhraseReading& r, int frame) {
    const uint8_t position = engine.parser.parsePosition;
    if (wordAt(engine, position).empty()) {
        parseError(engine) = 4;
    } else if (!isKnownWord(engine)) {
        parseError(engine) = 1;
        r.failurePosition = position;
    } else if (frame < decidedFrame) {
        parseError(engine) = 3;
    }
}

// Objects named by adjectives alone: those with an empty noun, or the
// candidates of a pending question ("den roten").
void readAdjectivesAlone(Engine& engine, PhraseReading& r, NounPhrase& target) {
    const World& world = engine.world;
    const int last = lastObjectNumber(world);
    for (int n = 1; n <= last; ++n) {
        if (!r.firstAdjective.contains(static_cast<uint8_t>(n))) continue;
        if (!r.secondAdjective.empty() && !r.secondAdjective.contains(static_cast<uint8_t>(n)))
            continue;
        for (const WordEntry& noun : world.objects[n].nouns)
            if (noun.word.empty()) {
                r.nouns.insert(static_cast<uint8_t>(n));
                r.phraseGender = static_cast<uint8_t>(genderIndex(noun.form));
            }
    }
    const NounPhrase& retained = engine.parser.retainedPhrase;
    if (r.nouns.empty() && !retained.objects.empty()) {
        r.nouns = retained.objects;
        r.phraseGender = retained.gender;
        target.text += retained.text;
    }
}

void readWords(Engine& engine, PhraseReading& r, NounPhrase& target) {
    if (readCountOrArticle(engine, r, target)) return;
    readAdjectives(engine, r, target);
    uint8_t expected = none;
    uint8_t alsoExpected = none;
    const int frame = agreementFrame(r, expected, alsoExpected);
    readNoun(engine, r, target, frame, expected, alsoExpected);
    const NounPhrase& retained = engine.parser.retainedPhrase;
    if (meets(retained.objects, r.nouns)) r.nouns = intersection(r.nouns, retained.objects);
    const bool adjectivesRead = !r.firstAdjective.empty();
    if (adjectivesRead && r.nouns.empty()) readAdjectivesAlone(engine, r, target);
    if (!r.nouns.empty() || (!adjectivesRead && !r.articleRead))
        checkAgreement(engine, r);
    else
        reportMissingNoun(engine, r, frame);
    expandClasses(engine, r.firstAdjective);
    expandClasses(engine, r.secondAdjective);
    expandClasses(engine, r.nouns);
    // Without a noun the phrase ended on the word before the current one.
    if (!r.nounRead) --engine.parser.parsePosition;
}

} // namespace

uint8_t readNounPhrase(Engine& engine, uint8_t grammaticalCase, NounPhrase& target) {
    ParserState& parser = engine.parser;
    World& world = engine.world;
    const uint8_t start = parser.parsePosition;
    if (start == 0 || start > parser.words.wordCount) {
        parser.articleSeen = false;
        return 0;
    }
    const NounPhrase kept = target;
    PhraseReading r;
    r.grammaticalCase = static_cast<uint8_t>(caseIndex(grammaticalCase));
    target = NounPhrase{};
    world.byteVariables[abortFlagVariable] = 0;
    // The ending table in use is shared with the hook's article and
    // adjective tests.
    parser.endingStyle = strongEndings;

    // The phrase judges only the errors it finds itself: a code that was
    // pending before (the sentence's "no verb" while an addressed character
    // is read) stays when the phrase adds none.
    const uint8_t pendingError = parseError(engine);
    parseError(engine) = 0;
    auto keepPendingError = [&] {
        if (parseError(engine) == 0) parseError(engine) = pendingError;
    };
    auto fail = [&](uint8_t position) {
        parser.parsePosition = position != 0 ? position : start;
        target = kept;
        parser.articleSeen = r.articleRead;
        keepPendingError();
        return uint8_t{0};
    };

    if (!phraseChosenByHook(engine, r, start)) {
        const PronounReading pronoun = readPronoun(engine, r, target);
        if (pronoun == PronounReading::NothingToReferTo) {
            parseError(engine) = 5;
            return fail(0);
        }
        if (pronoun == PronounReading::None && !readPerson(engine, r)) readWords(engine, r, target);
    }

    // An empty adjective set stands for every object.
    if (r.nouns.empty() && r.numberKind == NumberKind::Count) {
        r.nouns.insert(typedNumberObject);
        target.count = 0;
        r.numberKind = NumberKind::NumberString;
    }
    ObjectSet objects = r.nouns;
    if (!r.firstAdjective.empty()) objects = intersection(objects, r.firstAdjective);
    if (!r.secondAdjective.empty()) objects = intersection(objects, r.secondAdjective);

    if (objects.empty()) {
        if (parseError(engine) == 0 && !r.nouns.empty()) {
            // The noun exists, but not with these adjectives: «keinen grünen Schlüssel».
            std::string prepared;
            prepareName(engine, target.text, 0, r.phraseGender, 0, accusativeCase, prepared);
            engine.text.phraseText =
                "kein" + std::string(keinEnding(r.phraseGender, accusativeCase)) + prepared;
            parseError(engine) = 20;
        }
        return fail(r.failurePosition);
    }
    // A disagreement found on the way is a failure, even where objects remain.
    if (parseError(engine) != 0) return fail(r.failurePosition);
    target.objects = objects;
    target.gender = r.phraseGender;
    if (r.numberKind == NumberKind::Count) {
        if (r.grammaticalCase != accusativeCase || !parser.mainObjectMode) {
            parseError(engine) = 6;
            return fail(0);
        }
        target.count = static_cast<uint8_t>(target.number);
    }
    parser.articleSeen = r.articleRead;
    keepPendingError();
    return lowestMember(objects);
}

uint8_t findAntecedent(const Engine& engine, const std::string& word, uint8_t grammaticalCase) {
    const int index = antecedentIndex(engine.parser, word, grammaticalCase);
    return index >= 0 ? engine.parser.antecedents[index].object : 0;
}

ObjectSet nounMatches(const Engine& engine) {
    ObjectSet matches;
    const World& world = engine.world;
    const std::string_view word = wordAt(engine, engine.parser.parsePosition);
    if (word.empty()) return matches;
    const int last = std::min(world.countedObjects(), lastStoryObject);
    for (int n = 1; n <= last; ++n) {
        const ObjectRecord& object = world.objects[n];
        for (const WordEntry& noun : object.nouns)
            if (matchesNoun(word, noun, object.nounPrefixes)) {
                matches.insert(static_cast<uint8_t>(n));
                break;
            }
    }
    return matches;
}

void expandClasses(const Engine& engine, ObjectSet& set) {
    const World& world = engine.world;
    const int first = world.countedObjects() + 1;
    const int last = lastObjectNumber(world);
    for (int extra = first; extra <= last; ++extra) {
        if (!set.contains(static_cast<uint8_t>(extra))) continue;
        for (int n = 1; n <= last; ++n)
            if (world.objects[n].base == extra) set.insert(static_cast<uint8_t>(n));
        set.erase(static_cast<uint8_t>(extra));
    }
}

void notePronoun(Engine& engine, uint8_t object, uint8_t gender) {
    // Only real objects: the player and the other special numbers are no
    // antecedents ("untersuche mich", then "nimm sie").
    if (object == 0 || object > engine.world.countedObjects()) return;
    ParserState& parser = engine.parser;
    const uint8_t g = static_cast<uint8_t>(genderIndex(gender));
    int count = parser.antecedentCount;
    for (int i = 0; i < count; ++i) {
        if (parser.antecedents[i].gender != g) continue;
        std::copy(parser.antecedents.begin() + i + 1, parser.antecedents.begin() + count,
                  parser.antecedents.begin() + i);
        --count;
        break;
    }
    parser.antecedents[count] = Antecedent{object, g};
    parser.antecedentCount = static_cast<uint8_t>(count + 1);
}

} // namespace rux
