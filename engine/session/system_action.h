#pragma once
// The standard handling of the current action: the story's action hook, the
// engine's built-in part and the action record's own script.

namespace rux {

class Engine;

// Acts on the current command (`action` and the selected action record).
// Does nothing while the abort flag (byte variable 13) is set. For actions
// 1..54 it runs the action hook first; a hook that sets the abort flag has
// handled the action. The record's script then runs when the built-in part
// succeeded (byte variable 16 is 0) and the game has not ended. Leaves byte
// variable 16 (not carried out) and, for actions 1..54, byte variable 13 set
// from it.
void systemAction(Engine& engine);

} // namespace rux
