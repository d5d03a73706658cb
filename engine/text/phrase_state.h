#pragma once
// What the noun-phrase builder remembers of the last prepared phrase.

#include <cstdint>

namespace rux {

struct PhraseState {
    // The last prepared phrase: the markup for adjective and noun endings
    // reads them after the phrase has been printed.
    uint8_t lastGender = 1;
    uint8_t lastStyle = 0;
    uint8_t lastCase = 0;
    // Computed names being formatted right now; a name whose formatting
    // names itself again stops here instead of recursing without end.
    int computedNameDepth = 0;
};

} // namespace rux
