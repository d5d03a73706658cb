#pragma once
// Questions about where objects are, what the player can see and touch,
// darkness, weight and score. Object and room numbers are bytes, 0 = none.
// Holder chains are followed for at most 256 links, so a chain that loops in
// a damaged story ends (the object is then neither visible nor reachable).

#include <cstdint>
#include <string>

namespace rux {

class Engine;

uint8_t parentOf(const Engine& engine, uint8_t object);
uint8_t outermostObject(const Engine& engine, uint8_t object);
uint8_t outermostHolder(const Engine& engine, uint8_t object);
bool isAt(const Engine& engine, uint8_t object, uint8_t holder, uint8_t relation);
void setLocation(Engine& engine, uint8_t object, uint8_t holder, uint8_t relation);

bool isVisible(Engine& engine, uint8_t object);
bool isVisibleFromRoom(Engine& engine, uint8_t object);
bool visibleInDark(Engine& engine, uint8_t object);
// 0 when the player can touch the object; otherwise why not (1..5).
int reachClass(Engine& engine, uint8_t object);
void computeEnclosure(Engine& engine, uint8_t object);
void markNeighbours(Engine& engine, uint8_t object);
uint8_t uniqueVisibleItem(Engine& engine, uint8_t flag);
int weightInside(const Engine& engine, uint8_t object);

// A nested call while one is running answers "not dark" (visibility of a
// light source asks about darkness in turn).
bool isDark(Engine& engine);
bool isDarkRoom(Engine& engine, uint8_t room);

int32_t score(const Engine& engine);

// Empties the four per-turn scope sets.
void clearScopeSets(Engine& engine);

} // namespace rux
