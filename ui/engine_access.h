#pragma once
// The engine's state as the window reads it. Qt defines `slots` as a macro,
// and the engine's word table has a member of that name; the macro is held
// back while the engine's headers are read.

#pragma push_macro("slots")
#undef slots
#include "engine/engine.h"
#pragma pop_macro("slots")
