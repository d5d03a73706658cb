#pragma once
// Reading one noun phrase of the typed line: articles, adjectives with
// their endings, nouns and compounds, counts, number strings, pronouns and
// persons, checked for agreement in gender and case.

#include "engine/parser/parser_state.h"
#include "engine/world/object_set.h"

#include <cstdint>
#include <string>

namespace rux {

class Engine;

// Reads a phrase in the given case at parsePosition into `target`. Returns
// the lowest object it denotes, leaving parsePosition on its last word; or
// 0, with parsePosition and `target` as they were and perhaps parseError
// (byte variable 14) set.
uint8_t readNounPhrase(Engine& engine, uint8_t grammaticalCase, NounPhrase& target);

// The most recent antecedent whose third-person pronoun in this case is
// `word`; 0 if none.
uint8_t findAntecedent(const Engine& engine, const std::string& word, uint8_t grammaticalCase);

// The counted objects one of whose nouns or compounds is the word at
// parsePosition.
ObjectSet nounMatches(const Engine& engine);

// Replaces every extra object (a class) in the set by the objects derived
// from it.
void expandClasses(const Engine& engine, ObjectSet& set);

// Records an object as the most recent antecedent of its gender class.
// Only real objects (1 to fixedCount) are recorded.
void notePronoun(Engine& engine, uint8_t object, uint8_t gender);

} // namespace rux
