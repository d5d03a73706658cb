#include "engine/text/verb_forms.h"

#include "engine/engine.h"
#include "engine/text/noun_phrases.h"
#include "engine/text/output.h"

#include <array>

namespace rux {
namespace {

enum Person { firstSingular, secondSingular, thirdSingular, thirdPlural };

using VerbForms = std::array<std::string_view, 4>; // by Person

constexpr VerbForms seinForms{"bin", "bist", "ist", "sind"};
constexpr VerbForms habenForms{"habe", "hast", "hat", "haben"};
constexpr VerbForms werdenForms{"werde", "wirst", "wird", "werden"};

constexpr std::size_t formCapacity = 12;

// A counted object agrees as its phrase reads: «drei Kugeln sind».
Person personOf(const Engine& engine, uint8_t subject) {
    if (subject == firstPersonObject) return firstSingular;
    if (subject == secondPersonObject) return secondSingular;
    if (subject > secondPersonObject) return thirdSingular;
    return phraseGender(engine, subject) == 0 ? thirdPlural : thirdSingular;
}

bool isVowel(char c) {
    return c != 0 && std::string_view("aeiou\xE4\xF6\xFC").find(c) != std::string_view::npos;
}

bool isConsonant(char c) {
    return ((c >= 'a' && c <= 'z') || c == '\xDF') && !isVowel(c);
}

// The letter `back` places before the end of the display line (1 the last
// one), or 0 where the line is shorter.
char letterBeforeEnd(std::string_view line, std::size_t back) {
    return line.size() >= back ? line[line.size() - back] : '\0';
}

// «arbeitest», «redet», «öffnet», «atmet», «rechnet»: a stem in "d" or
// "t", or in "m" or "n" after a consonant that is not "l", "r", "m", "n"
// or an "h" after a vowel («wohnt», «lernt», «kommt»), puts an "e" before
// the ending.
bool takesLinkingE(std::string_view stem) {
    const char last = letterBeforeEnd(stem, 1);
    if (last == 'd' || last == 't') return true;
    if (last != 'm' && last != 'n') return false;
    const char before = letterBeforeEnd(stem, 2);
    if (!isConsonant(before)) return false;
    if (before == 'l' || before == 'r' || before == 'm' || before == 'n') return false;
    return before != 'h' || !isVowel(letterBeforeEnd(stem, 3)); // «rechnet», but «wohnt»
}

// Byte variable 32: 1 sitting, 3 lying, anything else standing.
std::string_view byPosture(const Engine& engine, std::string_view sitting, std::string_view lying,
                           std::string_view standing) {
    switch (engine.world.byteVariables[32]) {
    case 1: return sitting;
    case 3: return lying;
    default: return standing;
    }
}

} // namespace

std::string_view formOfSein(const Engine& engine, uint8_t subject) {
    return seinForms[personOf(engine, subject)];
}

std::string_view formOfHaben(const Engine& engine, uint8_t subject) {
    return habenForms[personOf(engine, subject)];
}

std::string_view formOfWerden(const Engine& engine, uint8_t subject) {
    return werdenForms[personOf(engine, subject)];
}

std::string_view regularEnding(const Engine& engine, uint8_t subject) {
    const std::string_view stem = currentDisplayLine(engine);
    const char last = letterBeforeEnd(stem, 1);
    switch (personOf(engine, subject)) {
    case firstSingular: return "e";
    case secondSingular:
        // «du sitzt», «du heißt», «du liest»
        if (last == 's' || last == '\xDF' || last == 'x' || last == 'z') return "t";
        return takesLinkingE(stem) ? "est" : "st";
    case thirdSingular: return takesLinkingE(stem) ? "et" : "t";
    case thirdPlural: break;
    }
    // «sie wander» + "n", «sie lächel» + "n", «sie geh» + "en"
    return last == 'e' || stem.ends_with("el") || stem.ends_with("er") ? "n" : "en";
}

// The pseudo-objects carry no gender of their own; they all count as
// singular subjects here, as they do for the other verb forms.
std::string chooseForm(const Engine& engine, uint8_t subject, std::string_view singular,
                       std::string_view plural) {
    const bool pluralSubject = subject < firstPersonObject && phraseGender(engine, subject) == 0;
    return std::string((pluralSubject ? plural : singular).substr(0, formCapacity));
}

std::string_view postureStem(const Engine& engine) {
    return byPosture(engine, "sitz", "lieg", "steh");
}

std::string_view placingStem(const Engine& engine) {
    return byPosture(engine, "setz", "leg", "stell");
}

} // namespace rux
