#include "engine/session/state_image.h"

#include "engine/engine.h"
#include "engine/script/values.h"
#include "engine/session/undo.h"

#include <algorithm>
#include <stdexcept>

namespace rux {

namespace {

// Operand types through which the variables are saved, so that numbers
// redirected to engine cells (turn counter, current room...) travel as those.
constexpr uint8_t byteVariableType = 3;
constexpr uint8_t longVariableType = 4;
constexpr uint8_t objectVariableType = 7;
constexpr uint8_t roomVariableType = 9;
constexpr uint8_t actionValueType = 10;
constexpr uint8_t enumValueType = 14;
constexpr uint8_t smallValueType = 15;
constexpr int firstSmallVariable = 32; // small variable i is operand 32 + i

// The bytes of a byte array the image carries: the first ((size - 1) mod 256)
// + 1 of them. An array without elements carries none; it reserves no room
// either.
std::size_t keptArrayBytes(const ByteArray& array) {
    return array.size == 0 ? 0 : (array.size - 1u) % 256u + 1u;
}

// The kept bytes of a byte array, cut at the end of the code area.
std::span<uint8_t> arrayBytes(World& world, const ByteArray& array) {
    const std::size_t start = std::size_t{array.start} * 4;
    const std::size_t end = std::min(start + keptArrayBytes(array), world.codeArea.size());
    if (start >= end) return {};
    return {world.codeArea.data() + start, end - start};
}

// Sizes of the image, item by item; `reservedArrays` chooses between the
// room a saved game reserves for each byte array and the bytes it fills.
std::size_t imageSize(const World& world, bool reservedArrays) {
    const HeaderCounts& c = world.counts;
    std::size_t size = std::size_t{c.scoreSlotCount} + 9u * c.portableCount + c.roomCount +
                       c.byteVariableCount + 4u * c.longVariableCount + c.objectVariableCount +
                       c.roomVariableCount + c.actionVariableCount + c.enumVariableCount +
                       c.smallVariableCount +
                       std::size_t{c.objectFlagCount} * std::size_t(world.objectFlagBytes) +
                       std::size_t{c.roomFlagCount} * std::size_t(world.roomFlagBytes) + 3 +
                       2u * c.messageVariableCount;
    for (int a = 0; a < c.arrayCount; ++a) {
        const ByteArray& array = world.byteArrays[a];
        size += reservedArrays ? array.size : keptArrayBytes(array);
    }
    for (int n = 1; n <= c.portableCount; ++n)
        size += world.objects[n].propertyCount;
    return size;
}

uint8_t articleAndGender(const ObjectRecord& object) {
    return static_cast<uint8_t>(object.articleKind * 4 + object.gender);
}

// Walks the image items in their fixed order. `Io` moves one byte between
// the world and the image in the direction it stands for.
template <typename Io> void walkImage(Engine& engine, Io& io) {
    World& world = engine.world;
    const HeaderCounts& c = world.counts;
    for (int i = 1; i <= c.scoreSlotCount; ++i)
        io.cell(world.scoreSlots[i]);
    for (int i = 1; i <= c.portableCount; ++i)
        io.cell(world.portablePoints[i]);
    for (int i = 1; i <= c.roomCount; ++i)
        io.cell(world.roomPoints[i]);
    for (int n = 1; n <= c.portableCount; ++n) {
        ObjectRecord& o = world.objects[n];
        for (uint8_t* field :
             {&o.holder, &o.relation, &o.state, &o.weight, &o.volume, &o.target, &o.spaceLeft})
            io.cell(*field);
        io.articleAndGender(o);
        for (int k = 0; k < std::min<int>(o.propertyCount, maxObjectProperties); ++k)
            io.cell(o.propertyValues[k]);
    }
    for (int i = 1; i <= c.byteVariableCount; ++i)
        io.value(byteVariableType, i);
    for (int i = 1; i <= c.longVariableCount; ++i)
        io.longValue(i);
    for (int i = 1; i <= c.objectVariableCount; ++i)
        io.value(objectVariableType, i);
    for (int i = 1; i <= c.roomVariableCount; ++i)
        io.value(roomVariableType, i);
    for (int i = 1; i <= c.actionVariableCount; ++i)
        io.value(actionValueType, c.actionCount + c.actionVariableSkip + i);
    for (int i = 1; i <= c.enumVariableCount; ++i)
        io.value(enumValueType, c.enumCount + i);
    for (int i = 1; i <= c.smallVariableCount; ++i)
        io.value(smallValueType, firstSmallVariable + i);
    for (int k = 1; k <= c.objectFlagCount; ++k)
        io.bytes({world.objectFlags[k].bytes().data(), std::size_t(world.objectFlagBytes)});
    for (int k = 1; k <= c.roomFlagCount; ++k)
        io.bytes({world.roomFlags[k].bytes().data(), std::size_t(world.roomFlagBytes)});
    io.cell(world.command.action);
    io.cell(world.command.direction);
    io.cell(world.command.preposition);
    for (int a = 0; a < c.arrayCount; ++a) {
        const ByteArray& array = world.byteArrays[a];
        const std::span<uint8_t> kept = arrayBytes(world, array);
        io.bytes(kept);
        // A kept part cut by the end of the code area still takes its room.
        io.skip(keptArrayBytes(array) - kept.size());
    }
    for (int i = 1; i <= c.messageVariableCount; ++i) {
        io.cell(world.messageVariables[i].mark);
        io.cell(world.messageVariables[i].variant);
    }
}

struct ImageWriter {
    Engine& engine;
    uint8_t* at;

    void cell(uint8_t value) { *at++ = value; }
    void articleAndGender(const ObjectRecord& o) { *at++ = rux::articleAndGender(o); }
    void value(uint8_t type, int index) {
        *at++ = static_cast<uint8_t>(readValue(engine, type, static_cast<uint8_t>(index)));
    }
    void longValue(int index) {
        const auto v = static_cast<uint32_t>(readValue(engine, longVariableType, uint8_t(index)));
        for (int shift = 0; shift < 32; shift += 8)
            *at++ = static_cast<uint8_t>(v >> shift);
    }
    void bytes(std::span<const uint8_t> from) { at = std::copy(from.begin(), from.end(), at); }
    void skip(std::size_t count) { at = std::fill_n(at, count, uint8_t{0}); }
};

struct ImageReader {
    Engine& engine;
    const uint8_t* at;

    void cell(uint8_t& value) { value = *at++; }
    void articleAndGender(ObjectRecord& o) {
        o.articleKind = static_cast<uint8_t>(*at / 4);
        o.gender = static_cast<uint8_t>(*at % 4);
        ++at;
    }
    void value(uint8_t type, int index) {
        assignValue(engine, type, static_cast<uint8_t>(index), *at++);
    }
    void longValue(int index) {
        uint32_t v = 0;
        for (int shift = 0; shift < 32; shift += 8)
            v |= uint32_t{*at++} << shift;
        assignValue(engine, longVariableType, static_cast<uint8_t>(index), static_cast<int32_t>(v));
    }
    void bytes(std::span<uint8_t> to) {
        std::copy_n(at, to.size(), to.begin());
        at += to.size();
    }
    void skip(std::size_t count) { at += count; }
};

void requireRoom(std::size_t have, std::size_t need) {
    if (have < need) throw std::length_error("state image too small for the loaded story");
}

} // namespace

std::size_t computeStateSize(const Engine& engine) {
    return imageSize(engine.world, true);
}

std::size_t computeUsedSize(const Engine& engine) {
    return imageSize(engine.world, false);
}

void writeStateImage(Engine& engine, std::span<uint8_t> image) {
    requireRoom(image.size(), computeUsedSize(engine));
    ImageWriter writer{engine, image.data()};
    walkImage(engine, writer);
}

void readStateImage(Engine& engine, std::span<const uint8_t> image) {
    requireRoom(image.size(), computeUsedSize(engine));
    ImageReader reader{engine, image.data()};
    walkImage(engine, reader);
}

void takeInitialImage(Engine& engine) {
    SaveState& saves = engine.saves;
    freeUndo(engine); // images of an earlier story do not fit this one
    saves.stateSize = computeStateSize(engine);
    saves.usedSize = computeUsedSize(engine);
    saves.initialImage.assign(saves.usedSize, 0);
    writeStateImage(engine, saves.initialImage);
    saves.fileImage = saves.initialImage;
    saves.fileObjects = {};
    saves.imagesTaken = true;
}

void takeEndOfTurnImage(Engine& engine) {
    SaveState& saves = engine.saves;
    if (!saves.imagesTaken) return;
    saves.fileImage.resize(saves.usedSize);
    writeStateImage(engine, saves.fileImage);
    // A command on several objects is named by its verb alone.
    const CommandSlots& c = engine.world.command;
    saves.fileObjects = engine.parser.command.objectListCount == 0
                            ? CommandObjects{c.object1, c.object2, c.object3}
                            : CommandObjects{};
}

void restoreInitialImage(Engine& engine) {
    if (engine.saves.imagesTaken) readStateImage(engine, engine.saves.initialImage);
}

} // namespace rux
