#pragma once
// The steps of command completion between matching and running an action:
// resolving the action's object slots, lists, "alles" and counts, asking for
// what is missing, keeping the half-built command for the next line, and
// seeing the world from a character who is given an order.

#include <cstdint>

namespace rux {

class Engine;
struct ActionRecord;

// The action record chosen by matchAction, or none.
const ActionRecord* matchedRecord(const Engine& engine);

// Resolves the matched action's three result objects from the sentence.
void resolveCommand(Engine& engine);

// Resolves the phrase of one slot (1, 2, 4, 16, 32, or 101..116 for object
// list entries) for an object of scope kind `kind`, taking or dropping the
// object first when the action needs it carried or not carried. `context`
// is published to the scripts (1, 2 or 3).
uint8_t resolveSlot(Engine& engine, uint8_t slot, uint8_t kind, uint8_t context);

// "alles", "alle", "beide": every object of the main phrase that fits,
// except those named after "ausser", goes to the object list.
bool resolveAll(Engine& engine, uint8_t kind, uint8_t container);

// «nimm drei Münzen»: that many fitting objects go to the object list.
bool resolveCount(Engine& engine, uint8_t kind, uint8_t container);

// Takes a missing required object implicitly or asks for it.
void askMissing(Engine& engine);

// The command that waits for the answer to a question.
void storePendingCommand(Engine& engine);
void restorePendingCommand(Engine& engine);

// Makes the person the actor whose surroundings decide what is visible and
// reachable, and puts the player back.
void switchActor(Engine& engine, uint8_t person);
void restoreActor(Engine& engine);

} // namespace rux
