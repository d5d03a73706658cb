#pragma once
// Reading a text given to an object or room slot: an inline string, a
// named text with an optional variant, or "routine NAME" for a text
// routine that prints instead.

#include "tools/ruxc/compilation.h"

namespace ruxc {

bool readTextRef(Compilation& c, Cursor& cursor, rux::TextRef& out);

} // namespace ruxc
