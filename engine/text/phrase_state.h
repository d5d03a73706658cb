#pragma once
// What the noun-phrase builder remembers of the last prepared phrase.

namespace rux {

struct PhraseState {};

}  // namespace rux
