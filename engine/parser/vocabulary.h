#pragma once
// Word-level recognisers: each looks at the word at parsePosition and says
// what it is in the story's vocabulary. None prints anything or sets
// parseError.

#include "engine/parser/current_word.h"
#include "engine/parser/number_reading.h"

#include <cstdint>

namespace rux {

class Engine;

// Index (last match wins) of the word in the preposition list; 0 if none.
uint8_t findPreposition(Engine& engine);

// Index of the preposition a pronominal adverb is built on ("darauf",
// "damit", "hinein", "heraus"); 0 if the word is none. Preposition 4 is
// reported as 8.
uint8_t findPronominalAdverb(Engine& engine);

// Index of the direction the word names, after an optional "nach"; on
// success parsePosition stays on the direction word, otherwise it is
// unchanged. 0 if none.
uint8_t findDirection(Engine& engine);

// Whether the word occurs anywhere in the story's vocabulary or among the
// parser's own words (the word list "[L]" does not count).
bool isKnownWord(Engine& engine);

// The verb index of the word after hook routine 5 has had its say; 0 if
// none. Understands "geh" for "gehe", "geht", colloquial forms ("wandre"),
// the polite "nehmen Sie" (moving parsePosition to "sie") and a bare
// direction (verb 1, with World::command.direction set).
uint8_t findVerb(Engine& engine);

} // namespace rux
