#pragma once
// The script machine's state between and during calls: call depth, the
// frame table of locals, the program position and the pending message.

#include "engine/world/world.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace rux {

class ScriptCall;

inline constexpr int frameCount = 64; // frames 0..63; depth 63 is the deepest call
inline constexpr int localsPerFrame = 8;
inline constexpr int maxCallDepth = 63;

// Room for one running call, so that a call needs neither the C++ stack
// nor the heap: the call at depth d is placed in slot d's bytes when it is
// entered (see enterCall) and abandoned when it ends. Checked against the
// call's size where that is defined.
struct alignas(8) CallSlot {
    std::byte bytes[192];
};

// A script that makes this many jumps and calls without returning to the
// turn driver is taken to be stuck in a loop and is ended (with an error
// text). Code without jumps and calls runs at most one block's length, so
// counting these bounds everything a script can do.
inline constexpr int64_t defaultJumpLimit = 50'000'000;

struct MachineState {
    // Not copyable: the call slots hold running calls that point into the
    // engine and at each other, which a copy would carry along stale.
    MachineState() = default;
    MachineState(const MachineState&) = delete;
    MachineState& operator=(const MachineState&) = delete;

    // Byte offset in the code area of the next byte to read. The running
    // call keeps its own cursor and publishes it here before it hands an
    // instruction to code outside the interpreter's loop; a call restores
    // its caller's value when it returns.
    uint32_t position = 0;
    int callDepth = 0; // runScript calls in progress
    // frames[d] holds the locals of the call at depth d; local k (1..8) is
    // frames[d][k - 1] and is addressed by operand index 256 - k.
    std::array<std::array<uint8_t, localsPerFrame>, frameCount> frames{};
    TextRef pendingMessage;       // printed after the action unless another mark comes first
    int currentActionRecord = -1; // World::actions index of the selected action record, -1: none
    bool quitRequested = false;   // the story asked to end the program; the front end ends it

    // The innermost running call (its block bounds and open blocks), or none.
    ScriptCall* currentCall = nullptr;
    std::array<CallSlot, frameCount> callSlots; // raw storage, see CallSlot

    // Jumps and calls the outermost running call and everything it calls may
    // still make; refilled from the limit whenever an outermost call starts.
    int64_t jumpLimit = defaultJumpLimit;
    int64_t jumpsLeft = 0;
    bool endlessLoopReported = false;

    uint64_t randomState = 0x9E3779B97F4A7C15ull; // reseeded from the clock at engine start

    // Work that visits every object (each dispatch of an action does) counts
    // against the budget as one jump per object: a loop around it is ended
    // about as soon as a plain loop is, not after hours.
    void chargeObjectWalk(int objects) { charge(objects); }
    // Text printed counts too, 16 jumps a byte: a script that prints in an
    // endless loop stops after a few megabytes, not after gigabytes.
    void chargeOutput(std::size_t bytes) {
        charge(static_cast<int64_t>(std::min<std::size_t>(bytes, 1u << 20)) * 16);
    }
    void charge(int64_t jumps) { jumpsLeft = std::max<int64_t>(jumpsLeft - jumps, 0); }

    // The local addressed by operand index 248..255 in the innermost call.
    uint8_t& local(uint8_t index) { return frames[callDepth][255 - index]; }
};

} // namespace rux
