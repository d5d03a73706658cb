#pragma once
// Formatter state shared by the text operations: the phrase and list buffer, capitalisation,
// footnotes.

#include <string>

namespace rux {

struct TextState {
    std::string phraseText;    // the shared phrase and list buffer
    bool countedForms = false; // objects of tailSet4 take their counted (plural) names
};

} // namespace rux
