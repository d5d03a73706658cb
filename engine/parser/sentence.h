#pragma once
// Reading one imperative sentence into the parsed command and choosing the
// story's action for it.

namespace rux {

class Engine;

// Reads the sentence starting at word 1: addressed character, verb and the
// phrases that fill the command's slots; sets parseError.
void parseSentence(Engine& engine);

// Chooses the action whose verb patterns and slot masks fit the sentence;
// parseError 13 when none does.
void matchAction(Engine& engine);

// Prints the story's system message for parseError (outside order mode).
void printParseError(Engine& engine);

} // namespace rux
