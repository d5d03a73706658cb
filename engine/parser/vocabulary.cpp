#include "engine/parser/vocabulary.h"

#include "engine/engine.h"
#include "engine/parser/word_forms.h"
#include "engine/script/interpreter.h"
#include "engine/text/grammar_tables.h"
#include "engine/text/numbers.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace rux {

namespace {

constexpr uint8_t verbHookRoutine = 5;
constexpr uint8_t directionVerb = 1; // the verb a bare direction stands for

// Words the parser understands of its own.
constexpr std::array<std::string_view, 14> parserWords{
    "mit",    "nach", "damit",  "nicht",  "alle", "beide",          "alles",
    "ausser", "$",    "selbst", "selber", "bis",  "\xE4h" /* äh */, "hoppla"};

bool isVowel(char c) {
    switch (c) {
    case 'a':
    case 'e':
    case 'i':
    case 'o':
    case 'u':
    case '\xE4':
    case '\xF6':
    case '\xFC': return true;
    default: return false;
    }
}

bool endsWith(std::string_view word, std::string_view tail) {
    return word.size() >= tail.size() && word.substr(word.size() - tail.size()) == tail;
}

// Index (1-based, last match wins) of `word` in a vocabulary list; 0 if none.
uint8_t lastIndexOf(const std::vector<std::string>& list, std::string_view word) {
    uint8_t found = 0;
    const std::size_t count = std::min<std::size_t>(list.size(), 255);
    for (std::size_t i = 0; i < count; ++i)
        if (list[i] == word) found = static_cast<uint8_t>(i + 1);
    return found;
}

// Whether `word` is the pronominal adverb of preposition `p`.
bool isPronominalAdverbOf(std::string_view word, std::string_view p) {
    if (p.empty() || word.size() <= p.size()) return false;
    const std::string_view head = word.substr(0, word.size() - p.size());
    if (word.substr(head.size()) == p) {
        if (head == (isVowel(p.front()) ? "dar" : "da")) return true;
        if (head == "hin" || head == "her") return true;
    }
    // "in" forms "hinein" and "herein", not "hinin".
    return p == "in" && (word == "hinein" || word == "herein");
}

bool isDirectionWord(const World& world, std::string_view word) {
    if (word.empty()) return false;
    const int count = std::min<int>(world.counts.directionCount, directionNameCount);
    for (int d = 1; d <= count; ++d)
        if (world.directionNames[d].shortName == word || world.directionNames[d].longName == word)
            return true;
    return false;
}

bool isAnyEnding(std::string_view word, std::string_view stem) {
    if (word.size() <= stem.size() || word.substr(0, stem.size()) != stem) return false;
    const std::string_view ending = word.substr(stem.size());
    for (const CaseGenderTable& table : adjectiveEndings)
        for (const GenderRow& row : table)
            for (const std::string_view e : row)
                if (e == ending) return true;
    return false;
}

// Whether an object's nouns, prefixes or adjectives give the word.
bool isObjectWord(const ObjectRecord& object, std::string_view word) {
    for (const WordEntry& noun : object.nouns) {
        if (noun.word == word) return true;
        if (noun.form == pluralClass && isNounWithN(word, noun.word)) return true;
    }
    for (const std::string& prefix : object.nounPrefixes) {
        if (prefix == word) return true;
        if (word.size() <= prefix.size() || word.substr(0, prefix.size()) != prefix) continue;
        const std::string_view rest = word.substr(prefix.size());
        for (const WordEntry& noun : object.nouns) {
            if (noun.word == rest) return true;
            if (noun.form == pluralClass && isNounWithN(rest, noun.word)) return true;
        }
    }
    for (const std::string& adjective : object.adjectives)
        if (adjective == word || isAnyEnding(word, adjective)) return true;
    return false;
}

bool isGrammarWord(std::string_view word) {
    for (int c = 0; c < grammaticalCases; ++c) {
        if (word == firstPersonForms[c] || word == secondPersonForms[c]) return true;
        for (int g = 0; g < genderClasses; ++g)
            if (word == definiteArticles[c][g] || word == indefiniteArticles[c][g] ||
                word == thirdPersonPronouns[c][g])
                return true;
    }
    return false;
}

bool isNumberWord(std::string_view word) {
    for (int n = 0; n <= 20; ++n)
        if (word == numberWords(n)) return true;
    return false;
}

bool readsAsDecimal(std::string_view word) {
    std::size_t at = !word.empty() && (word[0] == '+' || word[0] == '-') ? 1 : 0;
    if (at == word.size()) return false;
    for (; at < word.size(); ++at)
        if (word[at] < '0' || word[at] > '9') return false;
    return true;
}

// "wandre" -> "wandere", "sammle" -> "sammele"; otherwise empty.
std::string colloquialVariant(std::string_view word) {
    const std::size_t n = word.size();
    if (n <= 3 || word[n - 1] != 'e' || (word[n - 2] != 'r' && word[n - 2] != 'l') ||
        word[n - 3] == 'e')
        return {};
    std::string variant(word);
    variant.insert(n - 2, 1, 'e');
    return variant;
}

uint8_t lookUpVerb(const World& world, std::string_view word) {
    const std::string colloquial = colloquialVariant(word);
    uint8_t found = 0;
    const std::size_t count = std::min<std::size_t>(world.verbs.size(), 255);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view v = world.verbs[i];
        const bool withE = v.size() == word.size() + 1 && endsWith(v, "e") &&
                           v.substr(0, word.size()) == word; // "geh" finds "gehe"
        if (v == word || withE || (!colloquial.empty() && v == colloquial))
            found = static_cast<uint8_t>(i + 1);
    }
    if (found != 0 || !endsWith(word, "t")) return found;
    // "geht" finds "gehe".
    const std::string_view stem = word.substr(0, word.size() - 1);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view v = world.verbs[i];
        if (endsWith(v, "e") && v.substr(0, v.size() - 1) == stem)
            found = static_cast<uint8_t>(i + 1);
    }
    return found;
}

// "nehmen Sie" and "wandern Sie": the verb as the polite imperative.
uint8_t lookUpPoliteVerb(Engine& engine, std::string_view word) {
    ParserState& parser = engine.parser;
    const int position = parser.parsePosition;
    if (!endsWith(word, "n") || parser.words.word(position + 1).text != "sie") return 0;
    std::string variant(word.substr(0, word.size() - 1));
    if (variant.size() >= 1 && (variant.back() == 'r' || variant.back() == 'l')) variant += 'e';
    const uint8_t found = lastIndexOf(engine.world.verbs, variant);
    if (found != 0) {
        ++parser.parsePosition;
        parser.words.slots[parser.parsePosition].text = std::string(engine.world.verb(found));
    }
    return found;
}

} // namespace

uint8_t findPreposition(Engine& engine) {
    const std::string& word = engine.parser.words.word(engine.parser.parsePosition).text;
    if (word.empty()) return 0;
    return lastIndexOf(engine.world.prepositions, word);
}

uint8_t findPronominalAdverb(Engine& engine) {
    const std::string& word = engine.parser.words.word(engine.parser.parsePosition).text;
    const std::vector<std::string>& prepositions = engine.world.prepositions;
    uint8_t found = 0;
    const std::size_t count = std::min<std::size_t>(prepositions.size(), 255);
    for (std::size_t i = 0; i < count; ++i)
        if (isPronominalAdverbOf(word, prepositions[i])) found = static_cast<uint8_t>(i + 1);
    // Preposition 4 as an adverb stands for preposition 8.
    return found == 4 ? 8 : found;
}

uint8_t findDirection(Engine& engine) {
    ParserState& parser = engine.parser;
    const uint8_t start = parser.parsePosition;
    if (parser.words.word(start).text == "nach") ++parser.parsePosition;
    const std::string& word = parser.words.word(parser.parsePosition).text;
    const World& world = engine.world;
    uint8_t found = 0;
    if (!word.empty()) {
        const int count = std::min<int>(world.counts.directionCount, directionNameCount);
        for (int d = 1; d <= count; ++d)
            if (world.directionNames[d].shortName == word ||
                world.directionNames[d].longName == word)
                found = static_cast<uint8_t>(d);
    }
    if (found == 0) parser.parsePosition = start;
    return found;
}

bool isKnownWord(Engine& engine) {
    const std::string& word = engine.parser.words.word(engine.parser.parsePosition).text;
    const World& world = engine.world;
    if (word.empty()) return false; // no word at all is not a known one
    if (readsAsDecimal(word)) return true;
    const char first = word.front();
    if (first == ' ' || first == '!' || first == '"' || first == ',' || first == '.' ||
        first == ':' || first == '?')
        return true;
    if (std::find(parserWords.begin(), parserWords.end(), word) != parserWords.end()) return true;
    if (lastIndexOf(world.prepositions, word) || lastIndexOf(world.verbs, word)) return true;
    if (isGrammarWord(word) || findPronominalAdverb(engine) != 0) return true;
    if (isDirectionWord(world, word) || isNumberWord(word)) return true;
    for (const ReplacementRule& rule : world.replacementRules)
        if (rule.match == word || rule.first == word || rule.second == word) return true;
    const int last = std::min(world.storyObjects(), 255);
    for (int n = 1; n <= last; ++n)
        if (isObjectWord(world.objects[n], word)) return true;
    return false;
}

uint8_t findVerb(Engine& engine) {
    World& world = engine.world;
    ParserState& parser = engine.parser;
    const uint8_t keptVerb = world.command.verb;
    world.command.verb = 0;
    publishCurrentWord(engine);
    parser.hookWordPosition = parser.parsePosition;
    runRoutine(engine, verbHookRoutine);
    uint8_t result = world.command.verb;
    if (result == 0) {
        const std::string word = parser.words.word(parser.parsePosition).text;
        if (!word.empty()) result = lookUpVerb(world, word);
        if (result == 0 && !word.empty()) result = lookUpPoliteVerb(engine, word);
        if (result == 0) {
            const uint8_t direction = findDirection(engine);
            if (direction != 0) {
                world.command.direction = direction;
                result = directionVerb;
            }
        }
    }
    world.command.verb = keptVerb;
    return result;
}

} // namespace rux
