#pragma once
// The inventory: what the player carries and wears, as sentences or as an
// indented tree.

#include <cstdint>

namespace rux {

class Engine;

// Lists the inventory in the form byte variable 28 chooses (not 0:
// sentences, 0: tree); an empty inventory prints its message alone.
void showInventory(Engine& engine);

// One level of the inventory tree: what lies with holder `holder`, indented
// by `depth`, and below each object what is in, on and at it. Adds the
// number of objects listed to `count`.
void listInventoryTree(Engine& engine, uint8_t holder, int depth, int& count);

}  // namespace rux
