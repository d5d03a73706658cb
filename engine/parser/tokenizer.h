#pragma once
// Turning a typed line into the word table: splitting, folding to the
// parser's canonical spelling and the story's word-replacement rules.

#include <string>

namespace rux {

class Engine;

// Fills the word table from `line` (Windows-1252): tokens split at blanks
// and punctuation, a double-quoted passage as one token whose characters go
// to quotedText, every word folded (lower case, umlauts, "ss") and then
// rewritten by the story's replacement rules. Tokens beyond the table's 24
// slots are dropped.
void tokenize(Engine& engine, const std::string& line);

// Doubles slot n: slots n..wordCount move up by one, so n and n+1 hold the
// same word. Does nothing when the table is full or n is not in use.
void insertWordAt(Engine& engine, int n);

// Removes slot n: the slots after it move down by one.
void removeWordAt(Engine& engine, int n);

// Makes word k the first word: the words before it are removed, so the
// next sentence of the line is parsed from slot 1.
void startNextSentence(Engine& engine, int k);

} // namespace rux
