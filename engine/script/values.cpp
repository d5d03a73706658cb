#include "engine/script/values.h"

#include "engine/engine.h"
#include "engine/script/object_tree.h"
#include "engine/script/operand_kinds.h"
#include "engine/script/cell_names.h"

#include <algorithm>
#include <string>

namespace rux {

namespace {

using K = OperandKind;

uint8_t toByte(int32_t value) {
    return static_cast<uint8_t>(value);
}

// A byte of the variable block. Some windows reach past byte 512 with high
// indices (the type-2 table, the type-16 halves): those bytes do not exist,
// read 0 and take no writes.
uint8_t blockByte(const World& world, int at) {
    return at <= variableBlockSize ? world.variableBlock[at] : 0;
}
void setBlockByte(World& world, int at, int32_t value) {
    if (at <= variableBlockSize) world.variableBlock[at] = toByte(value);
}

uint8_t& byteVariableCell(Engine& engine, uint8_t index) {
    if (index >= firstLocalIndex) return engine.machine.local(index);
    return engine.world.byteVariables[index];
}

uint8_t& objectVariableCell(Engine& engine, uint8_t index) {
    World& world = engine.world;
    switch (index) {
    case 1: return world.command.object1;
    case 2: return world.command.object2;
    case 3: return world.command.object3;
    case 4: return world.scene.addressee;
    case 5: return world.scene.recentObject;
    case 6: return world.scene.enclosure;
    case 7: return world.scene.phraseObject;
    case 8: return world.scene.playerVehicle;
    case 9: return world.scene.relatedObject;
    default: break;
    }
    if (index >= firstLocalIndex) return engine.machine.local(index);
    return world.variableBlock[objectVariableBase + index];
}

uint8_t& roomVariableCell(Engine& engine, uint8_t index) {
    World& world = engine.world;
    if (index == 1) return world.scene.currentRoom;
    if (index == 2) return world.scene.scriptRoom;
    if (index >= firstLocalIndex) return engine.machine.local(index);
    return world.variableBlock[roomVariableBase + index];
}

[[gnu::noinline]] int32_t readLit(Engine& engine) {
    return isDark(engine) ? 0 : 1;
}

int32_t readByteVariable(Engine& engine, uint8_t index) {
    if (index == litVariable) return readLit(engine);
    return byteVariableCell(engine, index);
}

// The index of an indirect type: the value of byte, object or room variable
// `index` (the only three types the table names), read here directly to keep
// the common operands cheap.
uint8_t indirectIndex(Engine& engine, uint8_t indexType, uint8_t index) {
    if (indexType == 3) return toByte(readByteVariable(engine, index));
    if (indexType == 7) return objectVariableCell(engine, index);
    return roomVariableCell(engine, index);
}

int32_t readTypeTwo(const World& world, uint8_t index) {
    switch (index) {
    case 1:
    case 5: return 1;
    case 2: return world.counts.portableCount;
    case 3: return world.counts.portableCount + 1;
    case 4: return world.counts.fixedCount;
    case 6: return world.counts.roomCount;
    default: return blockByte(world, typeTwoTableBase + index);
    }
}

int32_t readLongVariable(const Engine& engine, uint8_t index) {
    const World& world = engine.world;
    switch (index) {
    case turnCounterLongVariable: return world.scene.turnCounter;
    case secondShadowLongVariable: return world.scene.secondShadow;
    case scoreLongVariable: return score(engine);
    case scoreBaseLongVariable: return world.scene.scoreBase;
    case unwrittenLongVariable: return 0;
    default: return world.longVariables[index];
    }
}

// The last action variable index a script may assign; the current action
// itself (actionCount + 1) is always assignable.
int lastActionVariable(const World& world) {
    return world.counts.actionCount + std::max<int>(1, world.counts.actionVariableCount);
}

int32_t readActionValue(const World& world, uint8_t index) {
    const int actionCount = world.counts.actionCount;
    if (index == actionCount + 1) return world.command.action;
    if (index > actionCount + 1 && index <= actionCount + world.counts.actionVariableCount)
        return world.variableBlock[actionVariableBase + (index - actionCount)];
    return index; // an action number
}

int32_t readSmallValue(const World& world, uint8_t index) {
    if (index < 32) return index; // a direction number
    if (index == 32) return 0;
    if (index == 33) return world.command.direction;
    return world.variableBlock[smallVariableBase + index];
}

int32_t readWordCharacter(const Engine& engine, uint8_t index) {
    const WordSlot& word = engine.parser.words.word(engine.parser.parsePosition);
    if (index == 0) return static_cast<int32_t>(word.text.size());
    if (index > word.text.size()) return 0;
    return static_cast<uint8_t>(word.text[index - 1]);
}

// The value paired with the last matching property id; 0 if none matches.
int32_t readProperty(const ObjectRecord& object, uint8_t property) {
    const int count = std::min<int>(object.propertyCount, maxObjectProperties);
    int32_t value = 0;
    for (int i = 0; i < count; ++i)
        if (object.propertyIds[i] == property) value = object.propertyValues[i];
    return value;
}

void assignProperty(ObjectRecord& object, uint8_t property, int32_t value) {
    const int count = std::min<int>(object.propertyCount, maxObjectProperties);
    for (int i = 0; i < count; ++i)
        if (object.propertyIds[i] == property) object.propertyValues[i] = toByte(value);
}

// Where element `element` of byte array `number` lives in the code area, or
// -1 when the element is past the array (or past the code area).
long arrayElementOffset(const World& world, uint8_t number, uint8_t element) {
    const ByteArray& array = world.byteArrays[number - 1];
    if (element >= array.size) return -1;
    const long at = long{array.start} * 4 + element;
    return at < static_cast<long>(world.codeArea.size()) ? at : -1;
}

// Index 0 of the score arrays stands for no slot, object or room: it reads 0
// and takes no writes, so a script's unset variable cannot touch the score.
int32_t readPoints(const std::array<uint8_t, 256>& points, uint8_t index) {
    return index == 0 ? 0 : points[index];
}
void assignPoints(std::array<uint8_t, 256>& points, uint8_t index, int32_t value) {
    if (index != 0) points[index] = toByte(value);
}

bool isAssignable(OperandKind kind) {
    switch (kind) {
    case K::Constant:
    case K::PersonConstant:
    case K::TypeTwo:
    case K::LongConstant:
    case K::WordListIndex:
    case K::WordCharacter:
    case K::Parent:
    case K::OutermostObject:
    case K::OutermostHolder: return false;
    default: return true;
    }
}

[[gnu::noinline, gnu::cold]] void reportInvalidAssignment(Engine& engine, uint8_t type,
                                                          uint8_t index) {
    engine.host.diagnosticText("*** ung\xFCltige Zuweisung [" + std::to_string(type) + ":" +
                               std::to_string(index) + "]***");
}

} // namespace

int32_t readValue(Engine& engine, uint8_t type, uint8_t index) {
    const OperandType& operand = operandTypes[type];
    if (operand.indexType != 0) index = indirectIndex(engine, operand.indexType, index);
    World& world = engine.world;
    switch (operand.kind) {
    case K::Constant: return index;
    case K::PersonConstant: return numberOperandValue(index);
    case K::TypeTwo: return readTypeTwo(world, index);
    case K::ByteVariable: return readByteVariable(engine, index);
    case K::LongVariable: return readLongVariable(engine, index);
    case K::LongConstant: return world.longConstants[index];
    case K::ObjectVariable: return objectVariableCell(engine, index);
    case K::RoomVariable: return roomVariableCell(engine, index);
    case K::ActionValue: return readActionValue(world, index);
    case K::EnumValue:
        if (index <= world.counts.enumCount) return index;
        return world.variableBlock[enumVariableBase + (index - world.counts.enumCount)];
    case K::SmallValue: return readSmallValue(world, index);
    case K::Nibbles: return index;
    case K::Preposition:
        if (index == 255) return world.command.preposition;
        if (index == 254) return world.command.particle;
        return index;
    case K::Verb: return index == 255 ? world.command.verb : index;
    case K::State: return world.objects[index].state;
    case K::Weight: return world.objects[index].weight;
    case K::Volume: return world.objects[index].volume;
    case K::Target: return world.objects[index].target;
    case K::ScoreSlot: return readPoints(world.scoreSlots, index);
    case K::PortablePoints: return readPoints(world.portablePoints, index);
    case K::RoomPoints: return readPoints(world.roomPoints, index);
    case K::WordListIndex: return index == 255 ? world.scene.wordListIndex : index;
    case K::WordCharacter: return readWordCharacter(engine, index);
    case K::Parent: return parentOf(engine, index);
    case K::OutermostObject: return outermostObject(engine, index);
    case K::OutermostHolder: return outermostHolder(engine, index);
    case K::Property: return readProperty(world.objects[index], operand.number);
    case K::ByteArray: {
        const long at = arrayElementOffset(world, operand.number, index);
        return at < 0 ? 0 : world.codeArea[at];
    }
    }
    return index;
}

void assignValue(Engine& engine, uint8_t type, uint8_t index, int32_t value) {
    const OperandType& operand = operandTypes[type];
    if (!isAssignable(operand.kind)) {
        reportInvalidAssignment(engine, type, index);
        return;
    }
    if (operand.indexType != 0) index = indirectIndex(engine, operand.indexType, index);
    World& world = engine.world;
    const uint8_t byte = toByte(value);
    switch (operand.kind) {
    case K::ByteVariable:
        byteVariableCell(engine, index) = byte;
        if (index == statusLineVariable) engine.host.repaintStatusLine();
        return;
    case K::LongVariable:
        world.longVariables[index] = value;
        if (index == turnCounterLongVariable) world.scene.turnCounter = value;
        if (index == secondShadowLongVariable) world.scene.secondShadow = value;
        if (index == scoreBaseLongVariable) world.scene.scoreBase = value;
        return;
    case K::ObjectVariable: objectVariableCell(engine, index) = byte; return;
    case K::RoomVariable:
        roomVariableCell(engine, index) = byte;
        if (index == 1) world.selectRoomRecord(); // the room record follows the room number
        return;
    case K::ActionValue: {
        const int actionCount = world.counts.actionCount;
        if (index <= actionCount || index > lastActionVariable(world)) return;
        world.variableBlock[actionVariableBase + (index - actionCount)] = byte;
        if (index == actionCount + 1) world.command.action = byte;
        return;
    }
    case K::EnumValue:
        if (index > world.counts.enumCount)
            world.variableBlock[enumVariableBase + (index - world.counts.enumCount)] = byte;
        return;
    case K::SmallValue:
        if (index == 33) world.command.direction = byte;
        if (index > 33) world.variableBlock[smallVariableBase + index] = byte;
        return;
    case K::Nibbles:
        // C++ division truncates towards zero and the remainder takes the
        // sign of the value, which is what the two halves hold.
        setBlockByte(world, nibbleDivBase + index, value / 16);
        setBlockByte(world, nibbleModBase + index, value % 16);
        return;
    case K::Preposition:
        if (index == 255) world.command.preposition = byte;
        if (index == 254) world.command.particle = byte;
        return;
    case K::Verb:
        if (index == 255) world.command.verb = byte;
        return;
    case K::State: world.objects[index].state = byte; return;
    case K::Weight: world.objects[index].weight = byte; return;
    case K::Volume: world.objects[index].volume = byte; return;
    case K::Target: world.objects[index].target = byte; return;
    case K::ScoreSlot: assignPoints(world.scoreSlots, index, value); return;
    case K::PortablePoints: assignPoints(world.portablePoints, index, value); return;
    case K::RoomPoints: assignPoints(world.roomPoints, index, value); return;
    case K::Property: assignProperty(world.objects[index], operand.number, value); return;
    case K::ByteArray: {
        const long at = arrayElementOffset(world, operand.number, index);
        if (at >= 0) world.codeArea[at] = byte;
        return;
    }
    default: return; // the kinds that cannot be assigned were turned away above
    }
}

} // namespace rux
