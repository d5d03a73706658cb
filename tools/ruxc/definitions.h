#pragma once
// The block statements of the second pass, one file each.

#include "tools/ruxc/compilation.h"

namespace ruxc {

void defineObject(Compilation& c, const Unit& unit);
void defineRoom(Compilation& c, const Unit& unit);
void defineAction(Compilation& c, const Unit& unit);
void defineRoutine(Compilation& c, const Unit& unit); // routine, textroutine, hook

} // namespace ruxc
