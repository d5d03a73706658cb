#pragma once
// The parser's entry point: parse, match, resolve the action's objects,
// take missing ones implicitly or ask for them, and parse orders to other
// characters.

namespace rux {

class Engine;

// Parses the current sentence of the word table. The results go to
// World::command (action, object1..3, direction); parseError 0 means the
// action can run.
void parseCommand(Engine& engine);

// Recomputes the carried count, free weight and free volume (byte variables
// 7, 8, 9) and empties the per-turn scope override sets.
void updateCarryingTotals(Engine& engine);

// Adds the object and room the scripts marked during the action to object
// flag set 17 and room flag set 2, then clears the marks.
void applyDeferredMarks(Engine& engine);

// Keep and restore object1..3 and direction around an implicit action.
void saveResultObjects(Engine& engine);
void restoreResultObjects(Engine& engine);

} // namespace rux
