#pragma once
// What the built-in parts of the standard actions share: the byte variables
// and flags with library roles, and the ways an action fails or succeeds.

#include "engine/engine.h"
#include "engine/script/cell_names.h"

#include <cstdint>

namespace rux::actions {

// Byte variables.
inline constexpr uint8_t mostItemsVariable = 4;
inline constexpr uint8_t mostWeightVariable = 5;
inline constexpr uint8_t largestVolumeVariable = 6;
inline constexpr uint8_t itemsCarriedVariable = 7;
inline constexpr uint8_t weightFreeVariable = 8;
inline constexpr uint8_t volumeFreeVariable = 9;
inline constexpr uint8_t lastTextEmptyVariable = 12;
inline constexpr uint8_t abortVariable = 13;
inline constexpr uint8_t descriptionModeVariable = 25;
inline constexpr uint8_t postureVariable = 32;

// Object flags.
inline constexpr uint8_t personFlag = 1;
inline constexpr uint8_t doorFlag = 2;
inline constexpr uint8_t fixedFlag = 4;
inline constexpr uint8_t untakeableFlag = 5;
inline constexpr uint8_t sceneryFlag = 6;
inline constexpr uint8_t sitFlag = 8;
inline constexpr uint8_t lieFlag = 9;
inline constexpr uint8_t insideVehicleFlag = 10;
inline constexpr uint8_t containerFlag = 11;
inline constexpr uint8_t surfaceFlag = 12;
inline constexpr uint8_t wearableFlag = 13;
inline constexpr uint8_t contentsHiddenFlag = 14;
inline constexpr uint8_t keyFlag = 15;
inline constexpr uint8_t standFlag = 16;
inline constexpr uint8_t travellingVehicleFlag = 18;
inline constexpr uint8_t playerChainFlag = 20;
inline constexpr uint8_t lockableFlag = 22;

// Object states.
inline constexpr uint8_t stateOpen = 2;
inline constexpr uint8_t stateClosed = 3;
inline constexpr uint8_t stateLocked = 4;
inline constexpr uint8_t stateOn = 5;
inline constexpr uint8_t stateOff = 6;

// Relations.
inline constexpr uint8_t relationWorn = 1;
inline constexpr uint8_t relationIn = 2;
inline constexpr uint8_t relationOn = 3;
inline constexpr uint8_t relationAttached = 4;
inline constexpr uint8_t relationUnder = 5;
inline constexpr uint8_t relationBehind = 6;

// Prepositions of the command.
inline constexpr uint8_t prepositionOn = 2;
inline constexpr uint8_t prepositionIn = 3;
inline constexpr uint8_t prepositionUnder = 6;
inline constexpr uint8_t prepositionBehind = 7;

inline constexpr uint8_t typedNumberObject = 253;

inline uint8_t& byteVariable(Engine& engine, uint8_t n) {
    return engine.world.byteVariables[n];
}

// The action was refused: its reply is printed and it counts as not
// carried out.
void fail(Engine& engine, uint8_t message);

// The action was carried out; `reply` is printed after it unless another
// text comes first.
void succeed(Engine& engine, uint8_t reply);

// Whether the command names several objects (replies differ then).
bool namesSeveralObjects(const Engine& engine);

// Byte variable arithmetic for the carried totals, held within 0..255.
void addToVariable(Engine& engine, uint8_t n, int amount);

// Whether `inner` lies in, on or at `outer`, at any depth.
bool isInsideOf(const Engine& engine, uint8_t inner, uint8_t outer);

// Makes `vehicle` the object the player is on and marks what is out of
// reach from there (the chain of flag 20); 0 clears the chain.
void setPlayerVehicle(Engine& engine, uint8_t vehicle);

} // namespace rux::actions
