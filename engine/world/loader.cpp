#include "engine/world/loader.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/parser/command_completion.h"
#include "engine/session/state_image.h"
#include "engine/world/engine_start.h"
#include "engine/world/load_messages.h"
#include "engine/world/story_reader.h"

namespace rux {

namespace {

void requireAtMost(std::string_view what, int count, int limit) {
    if (count > limit) throw FatalError(loadMessages::beyondCapacity(what, count, limit));
}

// Header fields 1..7. Turns the three counts into running totals exactly
// where the format does: after the eleventh count byte.
void readHeader(StoryReader& in, World& world) {
    const std::string marker = in.readPlainString();
    if (marker == "VUX" || marker == "vux 2.0 beta") throw FatalError(loadMessages::oldFormat());
    if (marker != formatMarker) throw FatalError(loadMessages::wrongFormat());
    in.readPlainString();
    in.readPlainString();
    in.u8();
    world.storyTitle = mapHighCharacters(in.readPlainString());
    world.storyLabel = mapHighCharacters(in.readPlainString());

    HeaderCounts& c = world.counts;
    uint8_t* const beforeTotals[] = {
        &c.verbCount,        &c.prepositionCount, &c.wordListCount, &c.scoreSlotCount,
        &c.longConstantCount, &c.roomCount,       &c.exitMessageCount, &c.exitRoutineCount,
        &c.portableCount,    &c.fixedCount,       &c.actionCount};
    uint8_t* const afterTotals[] = {
        &c.byteVariableCount,    &c.longVariableCount,   &c.enumCount,
        &c.directionCount,       &c.objectFlagCount,     &c.roomFlagCount,
        &c.routineCount,         &c.unusedHeaderByte19,  &c.extraObjectCount,
        &c.extraRoomCount,       &c.messageVariableCount, &c.objectVariableCount,
        &c.roomVariableCount,    &c.enumVariableCount,   &c.smallVariableCount,
        &c.actionVariableCount,  &c.keptHeaderByte28,    &c.arrayCount,
        &c.unusedHeaderByte30,   &c.textRoutineCount,    &c.actionVariableSkip,
        &c.unusedHeaderByte33};
    for (uint8_t* field : beforeTotals) *field = in.u8();

    // Totals beyond 255 would wrap and misread the rest of the file.
    requireAtMost("Objekte (tragbar und fest)", c.portableCount + c.fixedCount, 255);
    requireAtMost("Räume und Ausgangsmeldungen", c.roomCount + c.exitMessageCount, 255);
    requireAtMost("Räume, Ausgangsmeldungen und Ausgangsroutinen",
                  c.roomCount + c.exitMessageCount + c.exitRoutineCount, 255);
    c.fixedCount = static_cast<uint8_t>(c.fixedCount + c.portableCount);
    c.exitMessageCount = static_cast<uint8_t>(c.exitMessageCount + c.roomCount);
    c.exitRoutineCount = static_cast<uint8_t>(c.exitRoutineCount + c.exitMessageCount);

    for (uint8_t* field : afterTotals) *field = in.u8();

    requireAtMost("Objekte", c.fixedCount + c.extraObjectCount, lastStoryObject);
    requireAtMost("Präpositionen", c.prepositionCount, maxPrepositions);
    requireAtMost("Zahlenkonstanten", c.longConstantCount, maxLongConstants);
    requireAtMost("Bytevariablen", c.byteVariableCount, maxByteVariables);
    requireAtMost("Zahlenvariablen", c.longVariableCount, maxLongVariables);
    requireAtMost("Richtungen", c.directionCount, maxDirections);
    requireAtMost("Objektmerkmale", c.objectFlagCount, maxObjectFlags);
    requireAtMost("Raummerkmale", c.roomFlagCount, maxRoomFlags);
    requireAtMost("Meldungsvariablen", c.messageVariableCount, maxMessageVariables);
    requireAtMost("Objektvariablen", c.objectVariableCount, maxObjectVariables);
    requireAtMost("Raumvariablen", c.roomVariableCount, maxRoomVariables);
    requireAtMost("Aufzählungsvariablen", c.enumVariableCount, maxEnumVariables);
    requireAtMost("Kleinvariablen", c.smallVariableCount, maxSmallVariables);
    requireAtMost("Aktionsvariablen", c.actionVariableCount, maxActionVariables);
    requireAtMost("Bytefelder", c.arrayCount, maxByteArrays);
}

struct CodeFill {
    std::vector<uint8_t>& area;
    std::size_t offset = 0;
};

CodeBlock readCode(StoryReader& in, CodeFill& fill) { return in.readCode(fill.area, fill.offset); }

void readObjects(StoryReader& in, World& world, CodeFill& fill) {
    for (int n = 1; n <= world.storyObjects(); ++n) {
        if (in.u8() != n) throw FatalError(loadMessages::wrongObjectNumber(n));
        ObjectRecord& o = world.objects[n];
        o.holder = in.u8();
        o.relation = in.u8();
        o.weight = in.u8();
        o.volume = in.u8();
        o.state = in.u8();
        o.spaceLeft = in.u8();
        o.target = in.u8();
        o.base = in.u8();
        o.propertyCount = in.u8();
        requireAtMost("Eigenschaften eines Objekts", o.propertyCount, maxObjectProperties);
        for (int k = 0; k < o.propertyCount; ++k) {
            o.propertyIds[k] = in.u8();
            o.propertyValues[k] = in.u8();
        }
        for (TextRef& slot : o.textSlots) {
            slot.mark = in.u8();
            slot.variant = in.u8();
        }
        for (int s = 1; s <= objectScriptCount; ++s) o.scripts[s] = readCode(in, fill);
    }
}

void readRooms(StoryReader& in, World& world, CodeFill& fill) {
    const int total = world.counts.roomCount + world.counts.extraRoomCount;
    world.rooms.reserve(total);
    for (int i = 0; i < total; ++i) {
        RoomRecord room;
        room.id = in.u8();
        room.base = in.u8();
        for (int d = 1; d <= world.counts.directionCount; ++d) room.exits[d] = in.u8();
        room.description.mark = in.u8();
        room.description.variant = in.u8();
        for (int s = 1; s <= roomScriptCount; ++s) room.scripts[s] = readCode(in, fill);
        world.rooms.push_back(std::move(room));
    }
}

void readActions(StoryReader& in, World& world, CodeFill& fill) {
    world.actions.reserve(world.counts.actionCount);
    for (int id = 1; id <= world.counts.actionCount; ++id) {
        ActionRecord action;
        action.id = static_cast<uint8_t>(id);
        action.script = readCode(in, fill);
        for (int j = 1; j <= 3; ++j) {
            action.slotSource[j] = in.u8();
            action.slotImplicitSet[j] = in.u8();
            action.slotKind[j] = in.u8();
        }
        action.secondObjectAction = in.u8();
        action.alias = in.u8();
        world.actions.push_back(std::move(action));
    }
}

void readNumberedCode(StoryReader& in, CodeFill& fill, std::vector<NumberedCode>& list,
                      int firstId, int lastId) {
    for (int id = firstId; id <= lastId; ++id)
        list.push_back({static_cast<uint8_t>(id), readCode(in, fill)});
}

void readBytesInto(StoryReader& in, uint8_t* target, int count) {
    for (int i = 0; i < count; ++i) target[i] = in.u8();
}

void readBinaryPart(StoryReader& in, World& world, CodeFill& fill) {
    const HeaderCounts& c = world.counts;
    readObjects(in, world, fill);
    readRooms(in, world, fill);
    readActions(in, world, fill);
    for (int h = 1; h <= standardActionCount; ++h) world.actionHooks[h] = readCode(in, fill);
    readNumberedCode(in, fill, world.exitRoutines, c.exitMessageCount + 1, c.exitRoutineCount);
    readNumberedCode(in, fill, world.routines, 1, c.routineCount);
    readNumberedCode(in, fill, world.textRoutines, 1, c.textRoutineCount);

    readBytesInto(in, &world.byteVariables[1], c.byteVariableCount);
    for (int i = 1; i <= c.longVariableCount; ++i) world.longVariables[i] = in.i32le();
    for (int i = 1; i <= c.longConstantCount; ++i) world.longConstants[i] = in.i32le();
    auto& block = world.variableBlock;
    readBytesInto(in, &block[objectVariableBase + 1], c.objectVariableCount);
    readBytesInto(in, &block[roomVariableBase + 1], c.roomVariableCount);
    readBytesInto(in, &block[enumVariableBase + 1], c.enumVariableCount);
    readBytesInto(in, &block[smallVariableBase + 33], c.smallVariableCount);
    readBytesInto(in, &block[actionVariableBase + 1], c.actionVariableCount);
    for (int k = 1; k <= c.objectFlagCount; ++k) world.objectFlags[k] = in.readSet();
    for (int k = 1; k <= c.roomFlagCount; ++k) world.roomFlags[k] = in.readSet();

    for (int a = 0; a < c.arrayCount; ++a) {
        ByteArray& array = world.byteArrays[a];
        const uint8_t dim1 = in.u8();
        array.dim1 = dim1 == 0 ? 256 : dim1;
        array.dim2 = in.u8();
        array.dim3 = in.u8();
        array.size = static_cast<uint16_t>(array.dim1 * array.dim2 * array.dim3);
        if (fill.offset + array.size > fill.area.size())
            throw FatalError(loadMessages::codeAreaFull());
        array.start = static_cast<uint16_t>(fill.offset / 4);
        fill.offset = (fill.offset + array.size + 3) & ~std::size_t{3};
    }
    for (int i = 1; i <= c.messageVariableCount; ++i) {
        world.messageVariables[i].mark = in.u8();
        world.messageVariables[i].variant = in.u8();
    }
    for (int id = c.roomCount + 1; id <= c.exitMessageCount; ++id) {
        NumberedText message{static_cast<uint8_t>(id), {}};
        message.text.mark = in.u8();
        message.text.variant = in.u8();
        world.exitMessages.push_back(message);
    }

    readBytesInto(in, world.functionKeyExtra.data(), 4);
    for (int v : {20, 21, 25, 17, 26, 22, 23, 24, 18, 19}) world.byteVariables[v] = in.u8();
    readBytesInto(in, world.tailUnused.data(), 4);
    world.tailKeptByte = in.u8();
    for (int s = 1; s <= tailSetCount; ++s) world.tailSets[s] = in.readSet();
}

std::string readWord(StoryReader& in) { return shortString(in.readScrambledString(), wordCapacity); }
std::string readName(StoryReader& in) { return shortString(in.readScrambledString(), nameCapacity); }

// Reads words until the word "^".
std::vector<std::string> readWordsUpToCaret(StoryReader& in) {
    std::vector<std::string> words;
    for (std::string w = in.readScrambledString(); w != "^"; w = in.readScrambledString())
        words.push_back(shortString(w, wordCapacity));
    return words;
}

void readActionTexts(StoryReader& in, World& world) {
    for (ActionRecord& action : world.actions) {
        action.name = readName(in);
        action.requiredMask = in.u8();
        action.excludedMask = in.u8();
        action.option = in.u8();
        while (true) {
            const uint8_t verb = in.u8();
            const uint8_t particle = in.u8();
            if (verb == 0) break;
            action.verbPatterns.push_back({verb, particle});
        }
        for (uint8_t prep = in.u8(); prep != 0; prep = in.u8())
            action.acceptedPrepositions.push_back(prep);
    }
}

void readObjectTexts(StoryReader& in, World& world) {
    for (int n = 1; n <= world.storyObjects(); ++n) {
        ObjectRecord& o = world.objects[n];
        o.name = readName(in);
        o.gender = in.u8();
        o.articleKind = in.u8();
        o.pluralName = readName(in);
        o.pluralGender = in.u8();
        o.pluralArticleKind = in.u8();
        o.adjectives = readWordsUpToCaret(in);
        o.nounPrefixes = readWordsUpToCaret(in);
        for (std::string w = in.readScrambledString(); w != "^"; w = in.readScrambledString())
            o.nouns.push_back({shortString(w, wordCapacity), in.u8()});
        in.u8();  // the byte after the closing "^" carries nothing
    }
}

void readTextPart(StoryReader& in, World& world) {
    const HeaderCounts& c = world.counts;
    in.expectMarker("LEX");
    in.expectMarker("[V]");
    for (int i = 0; i < c.verbCount; ++i) world.verbs.push_back(readWord(in));
    in.expectMarker("[P]");
    for (int i = 0; i < c.prepositionCount; ++i) world.prepositions.push_back(readWord(in));
    in.expectMarker("[L]");
    for (int i = 0; i < c.wordListCount; ++i) world.wordList.push_back(readWord(in));
    in.expectMarker("[F]");
    for (std::string& key : world.functionKeyCommands) key = readWord(in);
    in.expectMarker("[D]");
    for (int d = 1; d <= directionNameCount; ++d) {
        world.directionNames[d].shortName = readWord(in);
        world.directionNames[d].longName = readWord(in);
    }
    in.expectMarker("[B]");
    readActionTexts(in, world);
    in.expectMarker("[O]");
    readObjectTexts(in, world);
    in.expectMarker("[R]");
    for (RoomRecord& room : world.rooms) {
        std::string name = in.readScrambledString();
        room.name = name == "[Z]" ? std::string() : shortString(name, nameCapacity);
    }
    in.expectMarker("[S]");
    const int rules = in.u8();
    for (int i = 0; i < rules; ++i) {
        ReplacementRule rule;
        rule.kind = in.u8();
        rule.match = readWord(in);
        rule.first = readWord(in);
        rule.second = readWord(in);
        if (rule.match != "und") world.replacementRules.push_back(std::move(rule));
    }
    in.expectMarker("[Z]");
    for (std::string name = in.readScrambledString(); name != "[E]";
         name = in.readScrambledString())
        world.stateNames.push_back(shortString(name, nameCapacity));
}

// The mark number of a line that begins with "[": the decimal digits up to
// the first "]", taken modulo 256.
uint8_t markNumber(std::string_view line) {
    unsigned value = 0;
    for (std::size_t i = 1; i < line.size() && line[i] != ']'; ++i) {
        if (line[i] < '0' || line[i] > '9') break;
        value = (value * 10 + static_cast<unsigned>(line[i] - '0')) % 256;
    }
    return static_cast<uint8_t>(value);
}

void readTextsPart(StoryReader& in, World& world) {
    std::vector<uint8_t>& area = world.textArea;
    std::fill(area.begin(), area.begin() + textIndexSize, 0);
    std::size_t fill = textIndexSize;
    bool inMark = false;
    while (!in.atEnd()) {
        const std::string line = in.readScrambledString();
        if (!line.empty() && line[0] == '[') {
            fill = (fill + 3) & ~std::size_t{3};
            if (fill / 4 > 0xFFFF) throw FatalError(loadMessages::textAreaFull());
            const uint8_t mark = markNumber(line);
            area[2 * mark] = static_cast<uint8_t>((fill / 4) >> 8);
            area[2 * mark + 1] = static_cast<uint8_t>((fill / 4) & 0xFF);
            inMark = true;
            continue;
        }
        if (!inMark) continue;  // lines before the first mark are skipped
        if (fill + line.size() + 1 > area.size()) throw FatalError(loadMessages::textAreaFull());
        std::copy(line.begin(), line.end(), area.begin() + static_cast<std::ptrdiff_t>(fill));
        fill += line.size();
        if (!line.empty() && line.back() == '+')
            area[fill - 1] = '\n';  // the text goes on with the next line
        else
            area[fill++] = 0;
    }
}

void forceStartValues(World& world) {
    auto& b = world.byteVariables;
    b[7] = 0;
    b[5] = 80;
    b[6] = 50;
    b[4] = 8;
    b[11] = 0;
    b[13] = 0;
    b[16] = 0;
    b[3] = 20;
    b[2] = 15;
    world.longVariables[4] = 0;
    world.scene.scoreBase = 0;
    world.longVariables[1] = -1;
    world.scene.turnCounter = -1;
    world.scene.recentObject = 0;
    world.scene.enclosure = 0;
    world.command.action = 0;
}

std::vector<uint8_t> readWholeFile(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) throw FatalError(loadMessages::cannotOpen(fileName));
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    if (file.bad()) throw FatalError(loadMessages::cannotOpen(fileName));
    return bytes;
}

}  // namespace

void parseStoryInto(World& world, std::span<const uint8_t> bytes, const std::string& fileName) {
    world.clear();
    StoryReader in(bytes, fileName);
    readHeader(in, world);
    CodeFill fill{world.codeArea};
    readBinaryPart(in, world, fill);
    const int objectBytes = (world.counts.fixedCount - 1) / 8 + 1;
    const int roomBytes = (world.counts.roomCount - 1) / 8 + 1;
    world.objectFlagBytes = world.counts.fixedCount == 0 ? 1 : objectBytes;
    world.roomFlagBytes = world.counts.roomCount == 0 ? 1 : roomBytes;
    readTextPart(in, world);
    readTextsPart(in, world);
    world.computeGroups();
    forceStartValues(world);
}

World parseStory(std::span<const uint8_t> bytes, const std::string& fileName) {
    World world;
    parseStoryInto(world, bytes, fileName);
    return world;
}

void installWorld(Engine& engine, const World& world) {
    // Carried over from engine start: the point arrays are cleared for every
    // story so that nothing of an earlier story leaks into this one.
    engine.world = world;
    engine.storyFileName.clear();
    engine.output.linesSincePrompt = 0;
    // What the player carries from the start counts against the limits at
    // once, so that a take is judged rightly even before the first turn.
    updateCarryingTotals(engine);
    takeInitialImage(engine);
    engine.world.command.action = 0;
}

void loadStoryBytes(Engine& engine, std::span<const uint8_t> bytes, const std::string& fileName) {
    installWorld(engine, parseStory(bytes, fileName));
}

void loadStory(Engine& engine) {
    const std::string fileName = engine.storyFileName;
    const std::vector<uint8_t> bytes = readWholeFile(fileName);
    loadStoryBytes(engine, bytes, fileName);
    startGame(engine);
}

}  // namespace rux
