#pragma once
// A story as an author's tool sees it before it is written to a ".vux" file.
// Tests fill one of these, write it with writeStory() and load the bytes
// into an engine. Numbers are 1-based as in the game: objects[0] is object 1.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/world/capacities.h"
#include "engine/world/world.h"

namespace rux::storykit {

using Code = std::vector<uint8_t>;  // the bytes of one script

struct StoryObject {
    std::optional<uint8_t> fileNumber;  // written instead of the real number (format tests)
    std::string name;
    uint8_t gender = 1;
    uint8_t articleKind = 0;
    std::string pluralName;
    uint8_t pluralGender = 0;
    uint8_t pluralArticleKind = 0;
    std::vector<std::string> adjectives;
    std::vector<std::string> nounPrefixes;
    std::vector<WordEntry> nouns;
    uint8_t holder = 0;
    uint8_t relation = 0;
    uint8_t weight = 0;
    uint8_t volume = 0;
    uint8_t state = 0;
    uint8_t spaceLeft = 0;
    uint8_t target = 0;
    uint8_t base = 0;
    std::vector<std::pair<uint8_t, uint8_t>> properties;  // (id, value), at most 7 load
    std::array<TextRef, objectTextSlots> textSlots{};
    std::array<Code, objectScriptCount> scripts;  // scripts 1..5 at 0..4
};

struct StoryRoom {
    uint8_t id = 0;
    std::string name;        // empty: the room has no name
    uint8_t base = 0;
    std::vector<uint8_t> exits;  // exits for directions 1..directionCount; missing ones are 0
    TextRef description;
    std::array<Code, roomScriptCount> scripts;  // scripts 1..2 at 0..1
};

struct StoryAction {
    std::string name;
    uint8_t requiredMask = 0;
    uint8_t excludedMask = 63;
    uint8_t option = 0;
    uint8_t secondObjectAction = 0;
    uint8_t alias = 0;
    std::array<uint8_t, 3> slotSource{};
    std::array<uint8_t, 3> slotImplicitSet{};
    std::array<uint8_t, 3> slotKind{};
    std::vector<VerbPattern> verbPatterns;
    std::vector<uint8_t> acceptedPrepositions;
    Code script;
};

struct StoryByteArray {
    uint8_t dim1 = 1;  // 0 means 256
    uint8_t dim2 = 1;
    uint8_t dim3 = 1;
};

// Byte variables 17..26 as the file's tail stores them.
struct DisplaySettings {
    uint8_t paragraphStyle = 0;  // byte variable 17
    uint8_t titleStyle = 0;      // 18
    uint8_t statusLines = 0;     // 19
    uint8_t statusLineCount = 2; // 20
    uint8_t scoreMessages = 1;   // 21
    uint8_t status22 = 0;        // 22
    uint8_t status23 = 0;        // 23
    uint8_t status24 = 0;        // 24
    uint8_t descriptionMode = 0; // 25
    uint8_t indentWidth = 0;     // 26
};

// The eleven section markers of the text part, in file order.
inline const std::array<std::string, 11> standardSectionMarkers = {
    "LEX", "[V]", "[P]", "[L]", "[F]", "[D]", "[B]", "[O]", "[R]", "[S]", "[Z]"};

struct Story {
    // Header.
    std::string formatMarker = rux::formatMarker;
    std::string compilerNote1 = "VUX";
    std::string compilerNote2 = "2.0";
    uint8_t compilerByte = 0;
    std::string title = "Beispiel";  // Windows-1252; stored through the high-character map
    std::string label = "Beispiel";
    std::array<uint8_t, 4> unusedHeaderBytes{};  // count bytes 19, 28, 30, 33

    // Objects 1.. in number order: portables, then fixed, then extras.
    std::vector<StoryObject> objects;
    int portableCount = 0;
    int fixedObjectCount = 0;  // plain number of fixed objects; the rest are extras

    std::vector<StoryRoom> rooms;       // numbered rooms (count = roomCount)
    std::vector<StoryRoom> extraRooms;  // read after them
    uint8_t directionCount = 0;
    std::vector<TextRef> exitMessages;  // ids roomCount+1..
    std::vector<Code> exitRoutines;     // ids after the exit messages
    std::vector<StoryAction> actions;   // ids 1..
    std::array<Code, standardActionCount> actionHooks;  // hooks 1..54 at 0..53
    std::vector<Code> routines;         // ids 1..
    std::vector<Code> textRoutines;     // ids 1..

    std::vector<uint8_t> byteVariables;  // 1..
    std::vector<int32_t> longVariables;
    std::vector<int32_t> longConstants;
    std::vector<uint8_t> objectVariables;
    std::vector<uint8_t> roomVariables;
    uint8_t enumCount = 0;
    std::vector<uint8_t> enumVariables;
    std::vector<uint8_t> smallVariables;
    std::vector<uint8_t> actionVariables;
    uint8_t actionVariableSkip = 0;
    uint8_t scoreSlotCount = 0;
    std::vector<std::vector<uint8_t>> objectFlags;  // flag k at k-1: its member numbers
    std::vector<std::vector<uint8_t>> roomFlags;
    std::vector<StoryByteArray> byteArrays;
    std::vector<TextRef> messageVariables;
    std::array<uint8_t, 4> functionKeyExtra{};
    DisplaySettings display;
    std::array<uint8_t, 4> tailUnused{};
    uint8_t tailKeptByte = 0;
    std::array<std::vector<uint8_t>, tailSetCount> tailSets;  // sets 1..6 at 0..5

    // Text part.
    std::array<std::string, 11> sectionMarkers = standardSectionMarkers;
    std::vector<std::string> verbs;
    std::vector<std::string> prepositions;
    std::vector<std::string> wordList;
    std::array<std::string, functionKeyCount> functionKeys;
    std::array<DirectionName, directionNameCount> directionNames;  // 1..16 at 0..15
    std::vector<ReplacementRule> replacementRules;
    std::vector<std::string> stateNames;

    // Texts part: the variants of each mark; a line feed inside a variant
    // continues it on the next line of the file.
    std::map<int, std::vector<std::string>> texts;
    // Lines written before the first mark (they are skipped when loading).
    std::vector<std::string> leadingTextLines;
    // When set, these lines replace everything generated from `texts`.
    std::optional<std::vector<std::string>> rawTextLines;

    // Convenience for tests: add and return the new number. A portable object
    // goes after the portables and a fixed one after the fixed objects, so
    // add portables first when numbers matter.
    enum class ObjectKind { Portable, Fixed, Extra };
    uint8_t addObject(StoryObject object, ObjectKind kind = ObjectKind::Portable);
    uint8_t addRoom(StoryRoom room);
    uint8_t addRoutine(Code code);
    uint8_t addAction(StoryAction action);
    void setText(int mark, std::vector<std::string> variants) { texts[mark] = std::move(variants); }
};

}  // namespace rux::storykit
