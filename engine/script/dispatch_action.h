#pragma once
// Carrying out an action: every interested piece of story code reacts in a
// fixed order around the standard action.

#include <cstdint>

namespace rux {

class Engine;
struct ActionRecord;

// Runs action `action` with the current command tuple: routine 3, script 3
// of every visible object, room script 1, scripts 1 of the first and second
// object, the standard action, scripts 2 of the second and first object,
// room script 2, script 4 of every visible object. A script that sets the
// abort flag (byte variable 13) ends the action. `action` and its record are
// back to their previous values afterwards.
void dispatchAction(Engine& engine, uint8_t action);

// Makes the first action record with id `action` current, or the last record
// when none has that id.
void selectActionRecord(Engine& engine, uint8_t action);

// The current action record, or none when the story has no actions.
const ActionRecord* currentActionRecord(const Engine& engine);

} // namespace rux
