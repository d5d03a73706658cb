#pragma once
// The instruction set as data: every code byte's mnemonic and operand kinds,
// and the conditions of condition lists. The disassembler lists code with
// these names and the story kit's assembler writes code with them; the
// interpreter's handlers are registered separately (instruction_handlers).
//
// Operand kinds, one letter per operand, read left to right:
//   B  one raw byte              O  operand (type, index), read with readValue
//   D  destination (type, index) W  16-bit block position, high byte first
//   Q  condition list            T  inline text: count byte, then the characters
//   N  count byte n, then n operands (O)
//   S  selection entries up to the selection's end position

#include <array>
#include <cstdint>
#include <string_view>

namespace rux {

struct InstructionInfo {
    std::string_view mnemonic; // empty: not an instruction
    std::string_view operands;
    bool known() const { return !mnemonic.empty(); }
};

namespace opcode {
inline constexpr uint8_t movePlayer = 1;
inline constexpr uint8_t print = 2;
inline constexpr uint8_t printRandom = 3;
inline constexpr uint8_t assign = 4;
inline constexpr uint8_t add = 5;
inline constexpr uint8_t subtract = 6;
inline constexpr uint8_t multiply = 7;
inline constexpr uint8_t divide = 8;
inline constexpr uint8_t remainder = 9;
inline constexpr uint8_t call = 17;
inline constexpr uint8_t test = 19;
inline constexpr uint8_t setTrue = 21;
inline constexpr uint8_t setFalse = 22;
inline constexpr uint8_t stop = 27;
inline constexpr uint8_t bitAnd = 58;
inline constexpr uint8_t bitOr = 59;
inline constexpr uint8_t next = 243;
inline constexpr uint8_t forLoop = 244;
inline constexpr uint8_t leave = 245;
inline constexpr uint8_t select = 246;
inline constexpr uint8_t until = 247;
inline constexpr uint8_t repeat = 248;
inline constexpr uint8_t endWhile = 249;
inline constexpr uint8_t whileLoop = 250;
inline constexpr uint8_t endIf = 251;
inline constexpr uint8_t elsePart = 252;
inline constexpr uint8_t ifBlock = 253;
inline constexpr uint8_t require = 254;
inline constexpr uint8_t noOperation = 255;
} // namespace opcode

// Call targets of instruction 17 (its first byte).
namespace callKind {
inline constexpr uint8_t exitRoutine = 8;
inline constexpr uint8_t action = 10;
inline constexpr uint8_t routine = 11;
} // namespace callKind

// The two bytes that open a selection's default entry.
inline constexpr uint8_t selectDefaultFirst = 255;
inline constexpr uint8_t selectDefaultSecond = 249;

// Connector bytes of condition lists: 0 ends the list, 1 is "and", any
// other byte "or"; bit 7 of a condition code negates the condition.
inline constexpr uint8_t connectorEnd = 0;
inline constexpr uint8_t connectorAnd = 1;
inline constexpr uint8_t connectorOr = 2;
inline constexpr uint8_t conditionNegated = 0x80;

// Relation bytes of condition 1 (anything else compares for equality) and
// the two special relations of condition 2.
inline constexpr uint8_t relationEqual = 1;
inline constexpr uint8_t relationLess = 2;
inline constexpr uint8_t relationGreater = 3;
inline constexpr uint8_t relationVisible = 255;
inline constexpr uint8_t relationVisibleFromRoom = 254;

namespace detail {

constexpr std::array<InstructionInfo, 256> makeInstructionTable() {
    std::array<InstructionInfo, 256> t{};
    t[1] = {"move", "BO"};
    t[2] = {"print", "BB"};
    t[3] = {"printrandom", "BBB"};
    t[4] = {"assign", "DO"};
    t[5] = {"add", "DO"};
    t[6] = {"sub", "DO"};
    t[7] = {"mul", "DO"};
    t[8] = {"div", "DO"};
    t[9] = {"mod", "DO"};
    t[10] = {"place", "OBO"};
    t[11] = {"setstate", "OB"};
    t[12] = {"random", "DOO"};
    t[13] = {"flagon", "OB"}; // (type, index) read as a value, then the flag
    t[14] = {"flagoff", "OB"};
    t[15] = {"choose", "DN"};
    t[16] = {"swap", "OO"};
    t[17] = {"call", "BB"};
    t[18] = {"perform", "ON"};
    t[19] = {"test", "DQ"};
    t[20] = {"printvar", "BO"};
    t[21] = {"settrue", "D"};
    t[22] = {"setfalse", "D"};
    t[24] = {"setclock", "OO"};
    t[25] = {"advanceclock", "OO"};
    t[27] = {"stop", ""};
    t[28] = {"endgame1", ""};
    t[29] = {"endgame2", ""};
    t[30] = {"needtouch", "O"};
    t[31] = {"needcarried", "O"};
    t[32] = {"askyesno", "D"};
    t[33] = {"scorepoints", "BO"};
    t[34] = {"exitof", "DOO"};
    t[35] = {"parent", "DO"};
    t[36] = {"outerholder", "DO"};
    t[37] = {"textbox", "BO"};
    t[38] = {"paragraph", ""};
    t[40] = {"outerobject", "DO"};
    t[41] = {"uniqueitem", "BD"};
    t[42] = {"finddirection", "DOO"};
    t[43] = {"collect", "DQ"};
    t[44] = {"listcontents", "O"};
    t[45] = {"countinside", "DO"};
    t[46] = {"weightinside", "DO"};
    t[47] = {"getarray", "DBOOO"};
    t[48] = {"putarray", "BOOOO"};
    t[49] = {"arrayindex", "DBOOO"};
    t[50] = {"fillarray", "BON"};
    t[51] = {"setpending", "BB"};
    t[52] = {"printpending", ""};
    t[53] = {"portablepoints", "OO"};
    t[54] = {"roompoints", "OO"};
    t[55] = {"printstop", "BB"};
    t[56] = {"setmessage", "BBO"};
    t[57] = {"setgender", "OBB"};
    t[58] = {"and", "DO"};
    t[59] = {"or", "DO"};
    t[60] = {"seen", "O"};
    t[61] = {"touchable", "O"};
    t[62] = {"hidden", "O"};
    t[63] = {"untouchable", "O"};
    t[64] = {"firstword", ""};
    t[65] = {"nextword", ""};
    t[66] = {"article", "BD"};
    t[67] = {"adjective", "BDB"};
    t[68] = {"classifynumber", "DD"};
    t[69] = {"readnumber", "DD"};
    t[70] = {"askchoice", "DT"};
    t[71] = {"quit", ""};
    t[72] = {"more", ""};
    t[73] = {"clear", ""};
    t[74] = {"clearhome", ""};
    t[243] = {"next", ""};
    t[244] = {"for", "WDOO"}; // end, loop variable, first, last
    t[245] = {"leave", ""};
    t[246] = {"select", "OWS"};
    t[247] = {"until", "Q"};
    t[248] = {"repeat", "W"};
    t[249] = {"endwhile", ""};
    t[250] = {"while", "WWQ"}; // head, end, condition
    t[251] = {"endif", ""};
    t[252] = {"else", ""};  // end of the then-part: jumps to the end
    t[253] = {"if", "WWQ"}; // else (0: none), end, condition
    t[254] = {"require", "QBB"};
    t[255] = {"nop", ""};
    return t;
}

struct ConditionInfo {
    std::string_view name; // empty: undefined condition (no operands, false)
    std::string_view operands;
    bool known() const { return !name.empty(); }
};

constexpr std::array<ConditionInfo, 128> makeConditionTable() {
    std::array<ConditionInfo, 128> t{};
    t[1] = {"compare", "OBO"};
    t[2] = {"located", "OBO"};
    t[3] = {"hasstate", "OB"};
    t[4] = {"objectflag", "OB"};
    t[5] = {"positive", "O"};
    t[6] = {"chance", "O"};
    t[7] = {"roomflag", "OB"};
    t[8] = {"kindof", "OB"};
    t[9] = {"roombase", "OB"};
    t[10] = {"together", "OO"};
    t[11] = {"samelocation", "OO"};
    t[12] = {"metaaction", "O"};
    t[13] = {"hasproperty", "OB"};
    t[14] = {"darkroom", "O"};
    t[15] = {"fixed", "O"};
    t[16] = {"always", "OO"};
    t[17] = {"always", "OO"};
    return t;
}

} // namespace detail

using detail::ConditionInfo;

inline constexpr std::array<InstructionInfo, 256> instructionTable = detail::makeInstructionTable();
inline constexpr std::array<ConditionInfo, 128> conditionTable = detail::makeConditionTable();

} // namespace rux
