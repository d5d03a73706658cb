#pragma once
// A plain interpreter: every instruction read step by step through
// ScriptCall, every operand through readValue and assignValue, routine
// calls through the C++ stack. It does what the interpreter's loop does,
// without any of its shortcuts, and is kept as the reference that the
// loop is tested against.

#include "engine/world/world.h"

namespace rux {

class Engine;

// runScript's counterpart: runs the block, and every routine it calls
// directly, plainly.
void runScriptPlainly(Engine& engine, CodeBlock block);

} // namespace rux
