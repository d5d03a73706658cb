#pragma once
// Fixed sizes of the world model. The story writer shares these constants
// with the loader; it shares no encoding code.

#include <cstddef>
#include <cstdint>

namespace rux {

inline constexpr std::size_t wordCapacity = 12;  // ShortString<12>: words
inline constexpr std::size_t nameCapacity = 36;  // ShortString<36>: names

inline constexpr std::size_t codeAreaSize = 65536;
inline constexpr std::size_t textAreaSize = 262144;
inline constexpr std::size_t textIndexSize = 512;  // 256 big-endian u16 entries

inline constexpr int objectSlots = 256;      // object records 0..255
inline constexpr int lastStoryObject = 250;  // highest object number a story may fill
inline constexpr int firstPseudoObject = 250;

inline constexpr int maxPrepositions = 63;
inline constexpr int maxLongConstants = 63;
inline constexpr int maxByteVariables = 247;
inline constexpr int maxLongVariables = 63;
inline constexpr int maxDirections = 16;
inline constexpr int maxObjectFlags = 64;
inline constexpr int maxRoomFlags = 64;
inline constexpr int maxMessageVariables = 63;
inline constexpr int maxObjectVariables = 64;
inline constexpr int maxRoomVariables = 64;
inline constexpr int maxEnumVariables = 64;
inline constexpr int maxSmallVariables = 64;
inline constexpr int maxActionVariables = 255;
inline constexpr int maxByteArrays = 32;
inline constexpr int maxObjectProperties = 7;

inline constexpr int standardActionCount = 54;  // action hooks 1..54
inline constexpr int functionKeyCount = 10;
inline constexpr int directionNameCount = 16;
inline constexpr int objectTextSlots = 8;
inline constexpr int objectScriptCount = 5;
inline constexpr int roomScriptCount = 2;
inline constexpr int tailSetCount = 6;

// The 512-byte variable block (bytes 1..512) and where each kind starts.
inline constexpr int variableBlockSize = 512;
inline constexpr int objectVariableBase = 0;    // object variable i: byte i
inline constexpr int roomVariableBase = 64;     // room variable i: byte 64 + i
inline constexpr int smallVariableBase = 96;    // small variable i (33..96): byte 96 + i
inline constexpr int enumVariableBase = 192;    // enum variable: byte 192 + (i - enumCount)
inline constexpr int actionVariableBase = 256;  // action variable: byte 256 + (i - actionCount)
inline constexpr int typeTwoTableBase = 320;
inline constexpr int nibbleDivBase = 384;
inline constexpr int nibbleModBase = 448;

inline constexpr char formatMarker[] = "v.u.x.";

}  // namespace rux
