#pragma once
// The in-memory image of a loaded story: fixed-capacity tables numbered by
// single bytes (1-based, 0 meaning none), the code area and the text area.

#include "engine/world/capacities.h"
#include "engine/world/object_set.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rux {

// Cuts a string to the capacity of a ShortString<n> field.
inline std::string shortString(std::string_view text, std::size_t capacity) {
    return std::string(text.substr(0, capacity));
}

// A script in the code area: start in 4-byte units, length in bytes (0: none).
struct CodeBlock {
    uint16_t start = 0;
    uint16_t length = 0;
    bool operator==(const CodeBlock&) const = default;
};

// A text of the text area: mark 0 in a text slot means "run text routine `variant`".
struct TextRef {
    uint8_t mark = 0;
    uint8_t variant = 0;
    bool operator==(const TextRef&) const = default;
};

struct WordEntry {
    std::string word; // ShortString<12>
    uint8_t form = 0;
    bool operator==(const WordEntry&) const = default;
};

struct ObjectRecord {
    std::string name;       // ShortString<36>
    std::string pluralName; // ShortString<36>, empty if none
    uint8_t gender = 0;
    uint8_t articleKind = 0;
    uint8_t pluralGender = 0;
    uint8_t pluralArticleKind = 0;
    uint8_t base = 0;
    std::vector<WordEntry> nouns;
    std::vector<std::string> adjectives;
    std::vector<std::string> nounPrefixes;
    uint8_t holder = 0;
    uint8_t relation = 0;
    uint8_t weight = 0;
    uint8_t volume = 0;
    uint8_t state = 0;
    uint8_t spaceLeft = 0;
    uint8_t target = 0;
    uint8_t group = 0; // derived after loading
    uint8_t propertyCount = 0;
    std::array<uint8_t, maxObjectProperties> propertyIds{};
    std::array<uint8_t, maxObjectProperties> propertyValues{};
    std::array<CodeBlock, objectScriptCount + 1> scripts{}; // 1..5
    std::array<TextRef, objectTextSlots> textSlots{};       // 0..7
    bool operator==(const ObjectRecord&) const = default;
};

struct RoomRecord {
    uint8_t id = 0;
    std::string name; // ShortString<36>
    uint8_t base = 0;
    std::array<uint8_t, maxDirections + 1> exits{}; // 1..directionCount
    TextRef description;
    std::array<CodeBlock, roomScriptCount + 1> scripts{}; // 1..2
    bool operator==(const RoomRecord&) const = default;
};

struct VerbPattern {
    uint8_t verb = 0;
    uint8_t particle = 0;
    bool operator==(const VerbPattern&) const = default;
};

struct ActionRecord {
    uint8_t id = 0;
    std::string name; // ShortString<36>
    uint8_t requiredMask = 0;
    uint8_t excludedMask = 63;
    uint8_t option = 0;
    uint8_t secondObjectAction = 0;
    uint8_t alias = 0;
    std::array<uint8_t, 4> slotSource{}; // 1..3
    std::array<uint8_t, 4> slotImplicitSet{};
    std::array<uint8_t, 4> slotKind{};
    std::vector<VerbPattern> verbPatterns;
    std::vector<uint8_t> acceptedPrepositions;
    CodeBlock script;
    bool operator==(const ActionRecord&) const = default;
};

struct NumberedCode {
    uint8_t id = 0;
    CodeBlock script;
    bool operator==(const NumberedCode&) const = default;
};

struct NumberedText {
    uint8_t id = 0;
    TextRef text;
    bool operator==(const NumberedText&) const = default;
};

struct DirectionName {
    std::string shortName; // ShortString<12>
    std::string longName;
    bool operator==(const DirectionName&) const = default;
};

struct ReplacementRule {
    uint8_t kind = 0;
    std::string match; // ShortString<12>
    std::string first;
    std::string second;
    bool operator==(const ReplacementRule&) const = default;
};

struct ByteArray {
    uint16_t dim1 = 0; // 1..256
    uint8_t dim2 = 0;
    uint8_t dim3 = 0;
    uint16_t size = 0;  // dim1 * dim2 * dim3, 16-bit
    uint16_t start = 0; // code-area offset / 4
    bool operator==(const ByteArray&) const = default;
};

// The 33 count bytes of the header. exitMessageCount, exitRoutineCount and
// fixedCount hold running totals once loaded.
struct HeaderCounts {
    uint8_t verbCount = 0;
    uint8_t prepositionCount = 0;
    uint8_t wordListCount = 0;
    uint8_t scoreSlotCount = 0;
    uint8_t longConstantCount = 0;
    uint8_t roomCount = 0;
    uint8_t exitMessageCount = 0;
    uint8_t exitRoutineCount = 0;
    uint8_t portableCount = 0;
    uint8_t fixedCount = 0;
    uint8_t actionCount = 0;
    uint8_t byteVariableCount = 0;
    uint8_t longVariableCount = 0;
    uint8_t enumCount = 0;
    uint8_t directionCount = 0;
    uint8_t objectFlagCount = 0;
    uint8_t roomFlagCount = 0;
    uint8_t routineCount = 0;
    uint8_t unusedHeaderByte19 = 0; // not kept by the format's meaning; stored as read
    uint8_t extraObjectCount = 0;
    uint8_t extraRoomCount = 0;
    uint8_t messageVariableCount = 0;
    uint8_t objectVariableCount = 0;
    uint8_t roomVariableCount = 0;
    uint8_t enumVariableCount = 0;
    uint8_t smallVariableCount = 0;
    uint8_t actionVariableCount = 0;
    uint8_t keptHeaderByte28 = 0; // kept, used by nothing
    uint8_t arrayCount = 0;
    uint8_t unusedHeaderByte30 = 0;
    uint8_t textRoutineCount = 0;
    uint8_t actionVariableSkip = 0;
    uint8_t unusedHeaderByte33 = 0;
    bool operator==(const HeaderCounts&) const = default;
};

// The slots of the parsed command that scripts read and write as values.
struct CommandSlots {
    uint8_t action = 0;
    uint8_t object1 = 0;
    uint8_t object2 = 0;
    uint8_t object3 = 0;
    uint8_t direction = 0;
    uint8_t preposition = 0;
    uint8_t particle = 0;
    uint8_t verb = 0;
    bool operator==(const CommandSlots&) const = default;
};

// Engine-held cells that value types redirect to instead of the variable block.
struct SceneCells {
    uint8_t currentRoom = 0;   // room variable 1
    uint8_t scriptRoom = 0;    // room variable 2
    uint8_t addressee = 0;     // object variable 4
    uint8_t recentObject = 0;  // object variable 5
    uint8_t enclosure = 0;     // object variable 6
    uint8_t phraseObject = 0;  // object variable 7
    uint8_t playerVehicle = 0; // object variable 8
    uint8_t relatedObject = 0; // object variable 9
    uint8_t wordListIndex = 0; // type-39 cell 255
    int32_t turnCounter = 0;   // long variable 1
    int32_t secondShadow = 0;  // long variable 2
    int32_t scoreBase = 0;     // long variable 4
    bool operator==(const SceneCells&) const = default;
};

struct World {
    World();

    // Back to the state of a fresh World. The code and text areas keep their
    // storage (zeroed), so that a program loading story after story (a
    // fuzzer) does not allocate them again.
    void clear();

    // Story identity.
    std::string storyTitle;
    std::string storyLabel;
    HeaderCounts counts;

    // Objects 0..255; rooms, actions and the numbered code lists in file order.
    std::array<ObjectRecord, objectSlots> objects;
    std::vector<RoomRecord> rooms;
    std::vector<NumberedText> exitMessages;
    std::vector<NumberedCode> exitRoutines;
    std::vector<ActionRecord> actions;
    std::array<CodeBlock, standardActionCount + 1> actionHooks{}; // 1..54
    std::vector<NumberedCode> routines;
    std::vector<NumberedCode> textRoutines;

    // Vocabulary, 1-based through the accessors below; stored 0-based.
    std::vector<std::string> verbs;
    std::vector<std::string> prepositions;
    std::vector<std::string> wordList;
    std::array<std::string, functionKeyCount> functionKeyCommands;
    std::array<uint8_t, 4> functionKeyExtra{}; // read after the key texts, used by nothing
    std::array<DirectionName, directionNameCount + 1> directionNames; // 1..16
    std::vector<ReplacementRule> replacementRules;
    std::vector<std::string> stateNames;

    // Variables. Every table is indexable by any byte so that operand reads
    // can never leave it; counts say which entries the story filled.
    std::array<uint8_t, 256> byteVariables{};
    std::array<int32_t, 256> longVariables{};
    std::array<int32_t, 256> longConstants{};
    std::array<uint8_t, variableBlockSize + 1> variableBlock{}; // bytes 1..512
    std::array<uint8_t, 256> scoreSlots{};
    std::array<uint8_t, 256> portablePoints{};
    std::array<uint8_t, 256> roomPoints{};
    std::array<TextRef, 256> messageVariables{};
    std::array<ByteArray, maxByteArrays> byteArrays{}; // arrays 1..32 at 0..31

    // Flag sets, indexable by any byte.
    std::array<ObjectSet, 256> objectFlags{};
    std::array<ObjectSet, 256> roomFlags{};
    std::array<ObjectSet, tailSetCount + 1> tailSets{}; // 1..6
    ObjectSet inheritedNaming;

    // Bytes of the binary tail that no operation reads, kept as loaded.
    std::array<uint8_t, 4> tailUnused{};
    uint8_t tailKeptByte = 0;

    // How many bytes of each object and room flag set the state image keeps.
    int objectFlagBytes = 1;
    int roomFlagBytes = 1;

    std::vector<uint8_t> codeArea; // codeAreaSize bytes
    std::vector<uint8_t> textArea; // textAreaSize bytes; index in the first 512

    // Engine-held game cells.
    CommandSlots command;
    SceneCells scene;
    int currentRoomRecord = -1; // index into rooms, -1 for none

    // Lookups (first match in file order, as authors expect from the compiler).
    ObjectRecord& objectRecord(uint8_t n) { return objects[n]; }
    const ObjectRecord& objectRecord(uint8_t n) const { return objects[n]; }
    const RoomRecord* findRoom(uint8_t id) const;
    RoomRecord* findRoom(uint8_t id);
    const NumberedText* findExitMessage(uint8_t id) const;
    const NumberedCode* findExitRoutine(uint8_t id) const { return findNumbered(exitRoutines, id); }
    const NumberedCode* findRoutine(uint8_t id) const { return findNumbered(routines, id, 1); }
    const NumberedCode* findTextRoutine(uint8_t id) const {
        return findNumbered(textRoutines, id, 1);
    }
    const ActionRecord* findAction(uint8_t id) const;
    // Entry k (from 0) of the state names; empty if there is none.
    std::string_view nthStateName(std::size_t k) const;
    // The current room record; refreshed from the last room with that id.
    const RoomRecord* currentRoomRecordPtr() const;
    void selectRoomRecord();

    bool objectFlag(uint8_t k, uint8_t n) const { return objectFlags[k].contains(n); }
    void setObjectFlag(uint8_t k, uint8_t n, bool on) { objectFlags[k].set(n, on); }
    bool roomFlag(uint8_t k, uint8_t n) const { return roomFlags[k].contains(n); }
    void setRoomFlag(uint8_t k, uint8_t n, bool on) { roomFlags[k].set(n, on); }

    // 1-based word-list access; an out-of-range number gives the empty word.
    std::string_view verb(int n) const { return nthWord(verbs, n); }
    std::string_view preposition(int n) const { return nthWord(prepositions, n); }
    std::string_view listedWord(int n) const { return nthWord(wordList, n); }

    // Text area: the offset of a mark's block, or none when the mark is absent.
    std::optional<std::size_t> textBlock(uint8_t mark) const;
    // The v-th (1-based) zero-terminated text of the mark's block; none if absent.
    // Variants are counted on past the block's end into whatever follows, as
    // the texts lie one after another in the area.
    std::optional<std::string_view> textVariant(uint8_t mark, int variant) const;
    // Records where the texts of the text area end, so that textVariant looks
    // a variant up instead of searching for it. textVariant builds the index
    // on its first call; whoever changes the text area after that calls this
    // again.
    void indexTexts() const;

    // The bytes of a code block, cut at the end of the code area.
    std::span<const uint8_t> codeBytes(CodeBlock block) const;

    // Counted objects 1..fixedCount and all objects read from the file.
    int countedObjects() const { return counts.fixedCount; }
    int storyObjects() const { return counts.fixedCount + counts.extraObjectCount; }

    // Derived tables: group of every counted object and the inheritedNaming set.
    void computeGroups();

  private:
    static std::string_view nthWord(const std::vector<std::string>& list, int n);
    std::optional<std::string_view> searchTextVariant(std::size_t block, int variant) const;

    // Where the texts of the text area end. Past `textsEnd` the area holds
    // only zeros, each ending an empty text of its own, so only the zeros
    // before it are listed.
    struct TextIndex {
        bool built = false;
        std::vector<uint32_t> zeros; // offsets of the zero bytes in [textIndexSize, textsEnd)
        uint32_t textsEnd = 0;       // after the last non-zero byte of the texts
        // Per mark: how many listed zeros lie before its block.
        std::array<uint32_t, 256> zerosBeforeBlock{};
    };
    mutable TextIndex textIndex_; // built on first use, so that loading pays nothing for it

    // The loader, the only one to fill the numbered code lists, numbers them
    // consecutively (entry k has the id of the first entry plus k), so that
    // calls find an id by its distance from the first; a list numbered
    // otherwise is searched. Routines and text routines start at 1.
    static const NumberedCode* findNumbered(const std::vector<NumberedCode>& list, uint8_t id) {
        return list.empty() ? nullptr : findNumbered(list, id, list.front().id);
    }
    static const NumberedCode* findNumbered(const std::vector<NumberedCode>& list, uint8_t id,
                                            uint8_t firstId) {
        // Wraps round below the first id; the id test then sorts it out.
        const std::size_t at = static_cast<uint8_t>(id - firstId);
        // Compared in bytes, so that the list's length needs no division.
        if (at * sizeof(NumberedCode) < list.size() * sizeof(NumberedCode) && list[at].id == id)
            return &list[at];
        return searchNumberedCode(list, id);
    }
    static const NumberedCode* searchNumberedCode(const std::vector<NumberedCode>& list,
                                                  uint8_t id);

  private:
    struct WithoutAreas {};
    explicit World(WithoutAreas) {}
};

} // namespace rux
