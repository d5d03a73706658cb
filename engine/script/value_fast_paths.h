#pragma once
// Inline shortcuts for the operand types that loops and arithmetic use most
// (byte variables and locals, long variables and constants, numbers). They
// give exactly what readValue and assignValue give for those cells; every
// other case goes to them.

#include "engine/engine.h"
#include "engine/script/cell_names.h"
#include "engine/script/values.h"

#include <cstdint>

namespace rux {

// Operand types with a shortcut.
namespace directType {
inline constexpr uint8_t byteVariable = 3;
inline constexpr uint8_t longVariable = 4;
inline constexpr uint8_t longConstant = 5;
inline constexpr uint8_t number = 6;
} // namespace directType

// The cells the shortcuts reach, all from the one engine reference, which
// keeps the interpreter's loop short of registers. The world's arrays never
// move (a story load refills them in place).
struct DirectCells {
    explicit DirectCells(Engine& engine) : engine(engine), world(engine.world) {}

    Engine& engine;
    World& world;

    // True, with the value, when the cell has a shortcut.
    [[gnu::always_inline]] bool read(uint8_t type, uint8_t index, int32_t& value) const {
        // Tested in the order of how often scripts use them.
        if (type == directType::number) [[likely]] {
            value = numberOperandValue(index);
            return true;
        }
        if (type == directType::byteVariable) return readByteVariable(index, value);
        if (type == directType::longVariable) return readLongVariable(index, value);
        if (type == directType::longConstant) {
            value = world.longConstants[index];
            return true;
        }
        return false;
    }

    // The same for a cell that is nearly always a variable (the left side of
    // a comparison, a loop variable): variables are tested first.
    [[gnu::always_inline]] bool readVariable(uint8_t type, uint8_t index, int32_t& value) const {
        if (type == directType::byteVariable) [[likely]]
            return readByteVariable(index, value);
        if (type == directType::longVariable) [[likely]]
            return readLongVariable(index, value);
        return read(type, index, value);
    }

    // The same for the left side of a loop's head, its counter: long
    // variables are tested first (see the loop's comparisonAt).
    [[gnu::always_inline]] bool readCounter(uint8_t type, uint8_t index, int32_t& value) const {
        if (type == directType::longVariable) [[likely]]
            return readLongVariable(index, value);
        return readVariable(type, index, value);
    }

    // The lit variable is computed; the highest indices are locals.
    [[gnu::always_inline]] bool readByteVariable(uint8_t index, int32_t& value) const {
        if (index >= firstLocalIndex) {
            value = engine.machine.local(index);
            return true;
        }
        if (index == litVariable) return false;
        value = world.byteVariables[index];
        return true;
    }
    // The lowest indices are redirected cells (index 0 is not, but is rare
    // enough to take the general way with them).
    [[gnu::always_inline]] bool readLongVariable(uint8_t index, int32_t& value) const {
        if (index <= lastRedirectedLongVariable) [[unlikely]]
            return false;
        value = world.longVariables[index];
        return true;
    }

    // The cell of a long variable that reads and writes directly, or none.
    [[gnu::always_inline]] int32_t* longCell(uint8_t type, uint8_t index) const {
        return type == directType::longVariable && index > lastRedirectedLongVariable
                   ? &world.longVariables[index]
                   : nullptr;
    }
    // The cell of a byte variable or local that reads and writes directly
    // (not the computed lit variable or the status line's), or none.
    [[gnu::always_inline]] uint8_t* byteCell(uint8_t type, uint8_t index) const {
        if (type != directType::byteVariable || index == litVariable || index == statusLineVariable)
            return nullptr;
        return index >= firstLocalIndex ? &engine.machine.local(index)
                                        : &world.byteVariables[index];
    }

    // True when the cell has a shortcut and now holds the value.
    [[gnu::always_inline]] bool assign(uint8_t type, uint8_t index, int32_t value) const {
        switch (type) {
        case directType::byteVariable: // writing the status line's repaints it
            if (index >= firstLocalIndex) {
                engine.machine.local(index) = static_cast<uint8_t>(value);
                return true;
            }
            if (index == statusLineVariable) return false;
            world.byteVariables[index] = static_cast<uint8_t>(value);
            return true;
        case directType::longVariable: // the lowest also write redirected cells
            if (index <= lastRedirectedLongVariable) return false;
            world.longVariables[index] = value;
            return true;
        default: return false;
        }
    }
};

[[gnu::always_inline]] inline int32_t readValueFast(Engine& engine, uint8_t type, uint8_t index) {
    int32_t value;
    if (DirectCells(engine).read(type, index, value)) return value;
    return readValue(engine, type, index);
}

[[gnu::always_inline]] inline void assignValueFast(Engine& engine, uint8_t type, uint8_t index,
                                                   int32_t value) {
    if (!DirectCells(engine).assign(type, index, value)) assignValue(engine, type, index, value);
}

} // namespace rux
