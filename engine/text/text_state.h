#pragma once
// Formatter state shared by the text operations: the phrase and list buffer, capitalisation,
// footnotes.

#include <array>
#include <cstdint>
#include <string>

namespace rux {

// Texts that name themselves (a phrase buffer holding "/@", a room name
// that prints itself) would recurse without end; deeper nesting is dropped.
inline constexpr int maxFormatDepth = 32;
// A text that names itself twice doubles the work at every level, 2^32
// texts at full depth; inside one outermost text, formatting stops after
// this many nested texts, far more than any story prints from one text.
inline constexpr int maxNestedTexts = 100000;

struct TextState {
    uint8_t lastObject = 0;      // result of the last object reference in markup
    bool capitalizeNext = false; // the next text-mark line starts with a capital
    bool capitalPending = false; // the next character output is raised to a capital (CapitalScope)
    std::array<uint8_t, 256> footnoteTable{}; // positions 1..255: values by first use
    int footnoteCount = 0;
    int formatDepth = 0; // nesting of formatText, bounded against self-referring texts
    int nestedTexts = 0; // texts formatted inside the outermost one
    // Working copies of the texts being formatted, one per nesting level, so
    // that formatting allocates nothing once warmed up.
    std::array<std::string, maxFormatDepth> formatScratch;
    // Buffers for the phrases and capitalised pieces that codes produce, one
    // per nesting level: a phrase being printed stays intact while a
    // computed name inside it formats text at the next level.
    std::array<std::string, maxFormatDepth> phraseScratch;
    std::array<std::string, 4> statusTexts; // 1 left, 2 centre, 3 right
    std::string phraseText;                 // the shared phrase and list buffer
    bool countedForms = false;              // objects of tailSet4 take their counted (plural) names
};

} // namespace rux
