#pragma once
// The script machine's state between and during calls: call depth, the
// frame table of locals, the program position and the pending message.

#include <array>
#include <cstdint>

#include "engine/world/world.h"

namespace rux {

inline constexpr int frameCount = 64;  // frames 0..63; depth 63 is the deepest call
inline constexpr int localsPerFrame = 8;

struct MachineState {
    uint32_t position = 0;  // byte offset in the code area of the next byte to read
    int callDepth = 0;      // runScript calls in progress
    // frames[d] holds the locals of the call at depth d; local k (1..8) is
    // frames[d][k - 1] and is addressed by operand index 256 - k.
    std::array<std::array<uint8_t, localsPerFrame>, frameCount> frames{};
    TextRef pendingMessage;  // printed after the action unless another mark comes first

    // The local addressed by operand index 248..255 in the innermost call.
    uint8_t& local(uint8_t index) { return frames[callDepth][255 - index]; }
};

}  // namespace rux
