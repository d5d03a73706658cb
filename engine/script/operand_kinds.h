#pragma once
// What each of the 256 operand value types stands for. The reading and the
// assigning code switch on the kind; indirect types first read their index
// as a value of another type (for example type 22: the object is var(7, i)).

#include <array>
#include <cstdint>

namespace rux {

enum class OperandKind : uint8_t {
    Constant,       // the index itself
    PersonConstant, // the index itself, 250 standing for 251
    TypeTwo,        // story counts and the (never written) type-2 table
    ByteVariable,
    LongVariable,
    LongConstant,
    ObjectVariable,
    RoomVariable,
    ActionValue,
    EnumValue,
    SmallValue,
    Nibbles, // write-only: value div 16 and value mod 16 into two block halves
    Preposition,
    Verb,
    State,
    Weight,
    Volume,
    Target,
    ScoreSlot,
    PortablePoints,
    RoomPoints,
    WordListIndex,
    WordCharacter,
    Parent,
    OutermostObject,
    OutermostHolder,
    Property,
    ByteArray,
};

struct OperandType {
    OperandKind kind = OperandKind::Constant;
    uint8_t indexType = 0; // not 0: the operand index is first read as a value of this type
    uint8_t number = 0;    // the property or byte-array number
};

constexpr std::array<OperandType, 256> buildOperandTypes() {
    using K = OperandKind;
    std::array<OperandType, 256> types{}; // everything unnamed below is a constant
    // A direct type and the next one, which takes its index from another type.
    auto pair = [&types](int direct, K kind, uint8_t indexType) {
        types[direct] = {kind, 0, 0};
        types[direct + 1] = {kind, indexType, 0};
    };
    types[2] = {K::TypeTwo};
    types[3] = {K::ByteVariable};
    types[4] = {K::LongVariable};
    types[5] = {K::LongConstant};
    types[6] = {K::PersonConstant};
    types[7] = {K::ObjectVariable};
    types[9] = {K::RoomVariable};
    types[10] = {K::ActionValue};
    types[14] = {K::EnumValue};
    types[15] = {K::SmallValue};
    types[16] = {K::Nibbles};
    types[17] = {K::Preposition};
    types[18] = {K::Verb};
    pair(21, K::State, 7);
    pair(23, K::Weight, 7);
    pair(25, K::Volume, 7);
    pair(27, K::Target, 7); // an object
    pair(29, K::Target, 7); // a number
    pair(31, K::Target, 7); // a room
    pair(33, K::ScoreSlot, 3);
    pair(35, K::PortablePoints, 7);
    pair(37, K::RoomPoints, 9);
    types[39] = {K::WordListIndex};
    pair(40, K::WordCharacter, 3);
    pair(43, K::Parent, 7);
    pair(45, K::OutermostObject, 7);
    pair(47, K::OutermostHolder, 7);
    for (int n = 1; n <= 32; ++n) {
        const auto number = static_cast<uint8_t>(n);
        types[63 + n] = {K::Property, 0, number};
        types[95 + n] = {K::Property, 7, number};
        types[127 + n] = {K::ByteArray, 0, number};
        types[159 + n] = {K::ByteArray, 3, number};
    }
    return types;
}

inline constexpr std::array<OperandType, 256> operandTypes = buildOperandTypes();

} // namespace rux
