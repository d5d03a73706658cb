#include "engine/script/values.h"
#include "engine/text/codepage.h"
#include "storykit/story.h"
#include "tests/support/test_engine.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace rux {
namespace {

using storykit::Story;
using storykit::StoryObject;
using storykit::StoryRoom;

constexpr uint8_t actionCount = 3;
constexpr uint8_t enumCount = 4;

Story valuesStory() {
    Story story;
    StoryObject thing;
    thing.name = "Ding";
    for (int i = 0; i < 3; ++i)
        story.addObject(thing);
    story.addObject(thing, Story::ObjectKind::Fixed);
    story.objects[0].properties = {{5, 10}, {6, 20}, {5, 30}}; // property 5 listed twice
    story.objects[1].properties = {{6, 7}};
    for (uint8_t id : {1, 2}) {
        StoryRoom room;
        room.id = id;
        story.addRoom(room);
    }
    for (int i = 0; i < actionCount; ++i)
        story.addAction(storykit::StoryAction());
    story.byteVariables = {1, 2, 3};
    story.longVariables = {100, 200, 300, 400, 500, 600};
    story.longConstants = {-7, 70000};
    story.objectVariables = {0, 0, 0, 0, 0, 0, 0, 0, 0, 41, 42};
    story.roomVariables = {0, 0, 51};
    story.enumCount = enumCount;
    story.enumVariables = {61, 62};
    story.smallVariables = {0, 71}; // small variables 33 and 34
    story.actionVariables = {0, 81, 82};
    story.scoreSlotCount = 2;
    story.byteArrays = {{2, 3, 1}};
    return story;
}

// Everything an assignment may change.
bool sameState(const World& a, const World& b) {
    return a.objects == b.objects && a.byteVariables == b.byteVariables &&
           a.longVariables == b.longVariables && a.variableBlock == b.variableBlock &&
           a.scoreSlots == b.scoreSlots && a.portablePoints == b.portablePoints &&
           a.roomPoints == b.roomPoints && a.codeArea == b.codeArea && a.command == b.command &&
           a.scene == b.scene;
}

// A value type and index, and the value it holds.
struct Cell {
    uint8_t type;
    uint8_t index;
    int32_t value;
};

class Values : public ::testing::Test {
  protected:
    std::unique_ptr<test::TestEngine> test = test::loadTestStory(valuesStory());
    Engine& engine = **test;
    World& world = test->world();

    int32_t read(uint8_t type, uint8_t index) { return readValue(engine, type, index); }
    void assign(uint8_t type, uint8_t index, int32_t value) {
        assignValue(engine, type, index, value);
    }
    void assignAll(std::initializer_list<Cell> cells) {
        for (const Cell& c : cells)
            assign(c.type, c.index, c.value);
    }
    void expectReads(std::initializer_list<Cell> cells) {
        for (const Cell& c : cells)
            EXPECT_EQ(read(c.type, c.index), c.value)
                << "type " << +c.type << ", index " << +c.index;
    }
};

TEST_F(Values, ConstantTypesYieldTheirIndex) {
    for (uint8_t type : {0, 1, 8, 11, 12, 13, 19, 20, 42, 49, 63, 192, 255})
        EXPECT_EQ(read(type, 77), 77) << "type " << int(type);
    // The player in the first person reads as the second; type 16 is
    // write-only; type 2 gives portableCount + 1, 0 past the block.
    expectReads({{6, 250, 251}, {6, 251, 251}, {6, 12, 12}, {16, 9, 9}});
    expectReads({{5, 2, 70000}, {2, 3, 4}, {2, 255, 0}});
}

TEST_F(Values, ByteVariablesTruncateToEightBits) {
    EXPECT_EQ(read(3, 1), 1);
    assign(3, 40, 300);
    EXPECT_EQ(read(3, 40), 44);
    assign(3, 40, -1);
    EXPECT_EQ(read(3, 40), 255);
}

TEST_F(Values, WritingByteVariableTwentyRepaintsTheStatusLine) {
    assign(3, 19, 1);
    EXPECT_EQ(test->host.statusRepaints, 0);
    assign(3, 20, 3);
    EXPECT_EQ(test->host.statusRepaints, 1);
    EXPECT_EQ(world.byteVariables[20], 3);
}

TEST_F(Values, ByteVariableTenTellsWhetherItIsLight) {
    world.scene.currentRoom = 1;
    EXPECT_EQ(read(3, 10), 1);
    world.setRoomFlag(1, 1, true); // dark room, no light
    EXPECT_EQ(read(3, 10), 0);
}

// Types 3, 7 and 9 share the locals: 255 is local 1, 248 local 8.
TEST_F(Values, LocalsBelongToTheInnermostCall) {
    engine.machine.callDepth = 2;
    assignAll({{3, 255, 11}, {7, 254, 12}, {9, 248, 13}});
    const auto& frame = engine.machine.frames[2];
    EXPECT_EQ((std::vector<int>{frame[0], frame[1], frame[7]}), (std::vector<int>{11, 12, 13}));
    expectReads({{9, 255, 11}, {3, 254, 12}});
    engine.machine.callDepth = 3;
    EXPECT_EQ(read(3, 255), 0);
    EXPECT_EQ(world.byteVariables[255], 0);
}

TEST_F(Values, LongVariablesAndTheirEngineCells) {
    expectReads({{4, 1, -1}, {4, 6, 600}}); // the turn counter after loading
    assign(4, 1, 12);
    EXPECT_EQ(world.scene.turnCounter, 12);
    EXPECT_EQ(world.longVariables[1], 12);
    assign(4, 2, 5);
    EXPECT_EQ(world.scene.secondShadow, 5);
    EXPECT_EQ(read(4, 2), 5);
    assignAll({{4, 5, 9}, {4, 4, 1000}});
    world.scoreSlots[1] = 5;
    // Nothing reads long variable 5; 3 is the score.
    expectReads({{4, 5, 0}, {4, 4, 1000}, {4, 3, 1005}});
}

TEST_F(Values, ObjectVariablesRedirectTheLowNumbers) {
    assignAll({{7, 1, 2}, {7, 6, 3}, {7, 8, 4}});
    EXPECT_EQ(world.command.object1, 2);
    EXPECT_EQ(world.scene.enclosure, 3);
    EXPECT_EQ(world.scene.playerVehicle, 4);
    EXPECT_EQ(world.variableBlock[1], 0);
    expectReads({{7, 10, 41}, {7, 11, 42}}); // loaded into the block
}

// Object variable 67 is room variable 3; room variable 100 is small variable 68.
TEST_F(Values, WindowsOverlapInOneBlock) {
    EXPECT_EQ(read(7, 67), 51);
    assignAll({{7, 70, 5}, {9, 100, 9}});
    EXPECT_EQ(world.variableBlock[70], 5);
    expectReads({{9, 6, 5}, {15, 68, 9}});
}

TEST_F(Values, CurrentRoomFollowsItsRecord) {
    assign(9, 1, 2);
    EXPECT_EQ(world.scene.currentRoom, 2);
    ASSERT_NE(world.currentRoomRecordPtr(), nullptr);
    EXPECT_EQ(world.currentRoomRecordPtr()->id, 2);
    EXPECT_EQ(read(9, 3), 51);
    assign(9, 2, 1);
    EXPECT_EQ(world.scene.scriptRoom, 1);
}

TEST_F(Values, ActionTypeSeparatesConstantsCurrentActionAndVariables) {
    EXPECT_EQ(read(10, 2), 2);
    world.command.action = 2;
    constexpr uint8_t past = actionCount + 4; // past the variables
    expectReads({{10, actionCount + 1, 2}, {10, actionCount + 2, 81}});
    expectReads({{10, actionCount + 3, 82}, {10, past, past}});
    assign(10, actionCount + 1, 3);
    EXPECT_EQ(world.command.action, 3);
    EXPECT_EQ(world.variableBlock[actionVariableBase + 1], 3); // the mirror
    assign(10, actionCount + 3, 99);
    EXPECT_EQ(read(10, actionCount + 3), 99);
    assignAll({{10, 1, 50}, {10, past, 50}}); // an action constant, past the variables
    EXPECT_EQ(world.variableBlock[actionVariableBase + 4], 0);
}

TEST_F(Values, EnumTypeNumbersVariablesAfterTheConstants) {
    expectReads({{14, enumCount, enumCount}, {14, enumCount + 1, 61}, {14, enumCount + 2, 62}});
    assign(14, enumCount + 2, 5);
    EXPECT_EQ(world.variableBlock[enumVariableBase + 2], 5);
    assign(14, 2, 5); // a constant stays a constant
    EXPECT_EQ(read(14, 2), 2);
}

TEST_F(Values, SmallValuesHoldDirectionsAndTheDirectionCell) {
    world.command.direction = 4;
    expectReads({{15, 31, 31}, {15, 32, 0}, {15, 33, 4}, {15, 34, 71}});
    assign(15, 33, 6);
    EXPECT_EQ(world.command.direction, 6);
    EXPECT_EQ(world.variableBlock[smallVariableBase + 33], 0);
    assignAll({{15, 20, 1}, {15, 32, 1}});
    EXPECT_EQ(world.variableBlock[smallVariableBase + 20], 0);
    EXPECT_EQ(world.variableBlock[smallVariableBase + 32], 0);
}

// The quotient by 16 goes to one half, the remainder to the other.
TEST_F(Values, TypeSixteenSplitsIntoTwoHalves) {
    struct Case {
        uint8_t index;
        int32_t value;
        int quotient, remainder; // as stored bytes
    };
    for (const Case& c : {Case{3, 35, 2, 3}, Case{4, -1, 0, 255}, Case{5, -35, 254, 253}}) {
        assign(16, c.index, c.value);
        EXPECT_EQ(world.variableBlock[nibbleDivBase + c.index], c.quotient) << c.value;
        EXPECT_EQ(world.variableBlock[nibbleModBase + c.index], c.remainder) << c.value;
    }
    EXPECT_EQ(read(16, 3), 3);
}

TEST_F(Values, TypeSixteenNeverWritesPastTheBlock) {
    const World before = world;
    assign(16, 255, -17); // both halves would lie past byte 512
    EXPECT_TRUE(sameState(world, before));
    assign(16, 100, 37); // only the first half exists
    EXPECT_EQ(world.variableBlock[nibbleDivBase + 100], 2);
    EXPECT_TRUE(world.scoreSlots == before.scoreSlots);
}

TEST_F(Values, CommandWordCells) {
    world.command.preposition = 4;
    assignAll({{17, 254, 9}, {18, 255, 10}, {17, 3, 11}}); // the last is ignored
    expectReads({{17, 255, 4}, {17, 254, 9}, {18, 255, 10}, {18, 254, 254}});
}

TEST_F(Values, ObjectFieldsDirectAndThroughAnObjectVariable) {
    world.command.object1 = 2;
    assignAll({{21, 1, 3}, {22, 1, 4}}); // object var(7, 1) = 2
    EXPECT_EQ(world.objects[1].state, 3);
    EXPECT_EQ(world.objects[2].state, 4);
    assign(24, 1, 300);
    EXPECT_EQ(world.objects[2].weight, 44);
    assign(25, 3, 8);
    expectReads({{26, 1, 0}, {25, 3, 8}});
    for (uint8_t type : {27, 29, 31}) {
        assign(type, 1, type);
        EXPECT_EQ(read(type + 1, 1), 0) << int(type);
        EXPECT_EQ(world.objects[1].target, type);
    }
    world.objects[2].holder = 4; // on the table in room 1
    world.objects[2].relation = 3;
    world.objects[4].holder = 1;
    expectReads({{44, 1, 4}, {46, 1, 4}, {48, 1, 1}});
}

TEST_F(Values, ScoreArrays) {
    world.byteVariables[50] = 2;
    world.command.object2 = 3;
    world.scene.currentRoom = 1;
    assignAll({{34, 50, 7}, {36, 2, 5}, {38, 1, 6}}); // slot var(3, 50)
    EXPECT_EQ(world.scoreSlots[2], 7);
    EXPECT_EQ(world.portablePoints[3], 5);
    EXPECT_EQ(world.roomPoints[1], 6);
    expectReads({{33, 2, 7}, {37, 1, 6}});
}

TEST_F(Values, ScoreArraysIgnoreIndexZero) {
    assignAll({{33, 0, 9}, {35, 0, 9}, {37, 0, 9}});
    EXPECT_EQ(world.scoreSlots[0] + world.portablePoints[0] + world.roomPoints[0], 0);
    world.scoreSlots[0] = 4;
    EXPECT_EQ(read(33, 0), 0);
    assign(34, 60, 9); // byte variable 60 is 0
    EXPECT_EQ(world.scoreSlots[0], 4);
}

TEST_F(Values, WordCharactersOfTheWordInHand) {
    engine.parser.words.slots[2].text = "l\xE4mpe";
    engine.parser.words.wordCount = 2;
    engine.parser.parsePosition = 2;
    world.byteVariables[50] = 3;
    expectReads({{40, 0, 5}, {40, 1, 'l'}, {40, 2, 0xE4}, {40, 5, 'e'}, {40, 6, 0}, {41, 50, 'm'}});
    engine.parser.parsePosition = 30; // no such slot
    expectReads({{40, 0, 0}, {40, 1, 0}});
}

TEST_F(Values, PropertiesReadTheLastMatchAndAssignEveryMatch) {
    expectReads({{63 + 5, 1, 30}, {63 + 6, 1, 20}, {63 + 7, 1, 0}});
    assign(63 + 5, 1, 300);
    const auto& values = world.objects[1].propertyValues;
    EXPECT_EQ((std::vector<int>{values[0], values[1], values[2]}), (std::vector<int>{44, 20, 44}));
    assign(63 + 7, 1, 9); // no entry: nothing changes
    EXPECT_EQ(world.objects[1].propertyCount, 3);
    EXPECT_EQ(read(63 + 7, 1), 0);
    world.command.object2 = 2;
    EXPECT_EQ(read(95 + 6, 2), 7);
    assign(95 + 6, 2, 8);
    EXPECT_EQ(world.objects[2].propertyValues[0], 8);
}

TEST_F(Values, ByteArraysStayWithinTheirSize) {
    const ByteArray& array = world.byteArrays[0];
    ASSERT_EQ(array.size, 6);
    const std::size_t first = std::size_t{array.start} * 4;
    assign(128, 5, 258);
    EXPECT_EQ(world.codeArea[first + 5], 2);
    world.codeArea[first + 6] = 9; // the byte after the array
    world.byteVariables[50] = 5;
    expectReads({{128, 5, 2}, {128, 6, 0}, {160, 50, 2}});
    assign(128, 6, 1);
    EXPECT_EQ(world.codeArea[first + 6], 9);
    assign(160, 50, 3);
    EXPECT_EQ(world.codeArea[first + 5], 3);
    EXPECT_EQ(read(129, 0), 0); // array 2 does not exist
    assign(129, 0, 1);
    EXPECT_EQ(read(129, 0), 0);
}

TEST_F(Values, InvalidAssignmentReportsToTheHostAndChangesNothing) {
    const World before = world;
    std::vector<std::string> expected;
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    for (uint8_t type : {0, 2, 5, 6, 8, 39, 40, 41, 43, 46, 200}) {
        assign(type, 3, 1);
        expected.push_back("*** ung\xFCltige Zuweisung [" + std::to_string(type) + ":3]***");
    }
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << "the engine writes to no terminal";
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(test->host.diagnostics, expected);
    EXPECT_TRUE(sameState(world, before));
}

} // namespace
} // namespace rux
