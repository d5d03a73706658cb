// State images: what they hold, in which order, and that reading one back
// puts every kind of changed state back.

#include "engine/session/state_image.h"
#include "engine/session/undo.h"
#include "tests/session/save_story.h"

#include <functional>
#include <gtest/gtest.h>

namespace rux {
namespace {

using storykit::Story;

uint8_t& arrayByte(World& world, int array, int element) {
    return world.codeArea[world.byteArrays[array - 1].start * 4 + element];
}

struct Change {
    const char* what;
    std::function<void(World&)> apply;
};

TEST(StateImageTest, RestartUndoesEveryKindOfChange) {
    const std::vector<Change> changes = {
        {"score slot", [](World& w) { w.scoreSlots[3] = 9; }},
        {"object points", [](World& w) { w.portablePoints[2] = 9; }},
        {"room points", [](World& w) { w.roomPoints[2] = 9; }},
        {"holder", [](World& w) { w.objects[2].holder = 3; }},
        {"relation", [](World& w) { w.objects[2].relation = 2; }},
        {"state", [](World& w) { w.objects[2].state = 4; }},
        {"weight", [](World& w) { w.objects[3].weight = 40; }},
        {"volume", [](World& w) { w.objects[3].volume = 40; }},
        {"target", [](World& w) { w.objects[3].target = 1; }},
        {"space left", [](World& w) { w.objects[3].spaceLeft = 7; }},
        {"article and gender",
         [](World& w) { w.objects[1].articleKind = 3, w.objects[1].gender = 2; }},
        {"property", [](World& w) { w.objects[3].propertyValues[1] = 99; }},
        {"byte variable", [](World& w) { w.byteVariables[40] = 200; }},
        {"long variable", [](World& w) { w.longVariables[7] = -123456789; }},
        {"turn counter", [](World& w) { w.scene.turnCounter = 41; }},
        {"object variable", [](World& w) { w.variableBlock[10] = 3; }},
        {"command object", [](World& w) { w.command.object1 = 2; }},
        {"current room",
         [](World& w) { w.scene.currentRoom = test::cellarRoom, w.selectRoomRecord(); }},
        {"room variable", [](World& w) { w.variableBlock[64 + 3] = 1; }},
        {"action variable", [](World& w) { w.variableBlock[256 + 2] = 1; }}, // after one skipped
        {"enum variable", [](World& w) { w.variableBlock[192 + 2] = 7; }},
        {"small variable", [](World& w) { w.variableBlock[96 + 34] = 8; }},
        {"object flag", [](World& w) { w.objectFlags[3].insert(4); }},
        {"room flag", [](World& w) { w.roomFlags[2].insert(2); }},
        {"command", [](World& w) { w.command.action = 2, w.command.preposition = 1; }},
        {"direction", [](World& w) { w.command.direction = 5; }},
        {"kept byte of a long array", [](World& w) { arrayByte(w, 1, 43) = 1; }},
        {"last byte of a 256-byte array", [](World& w) { arrayByte(w, 2, 255) = 1; }},
        {"short array", [](World& w) { arrayByte(w, 4, 3) = 1; }},
        {"message variable",
         [](World& w) {
             w.messageVariables[2] = {3, 1};
         }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        auto test = test::loadSaveStory();
        const World loaded = test->world();
        change.apply(test->world());
        restoreInitialImage(**test);
        test::expectSameState(loaded, test->world());
    }
}

// One of every item, each with its own value, so that the position of every
// byte shows.
TEST(StateImageTest, ItemsLieInTheirFixedOrder) {
    Story story;
    story.label = "";
    story.scoreSlotCount = 1;
    storykit::StoryObject lamp;
    lamp.name = "Lampe";
    lamp.properties = {{9, 0}};
    story.addObject(lamp);
    storykit::StoryRoom hall;
    hall.name = "Halle";
    story.addRoom(hall);
    story.addAction(storykit::StoryAction{});
    story.byteVariables = {0, 0};
    story.longVariables = {0, 0};
    story.objectVariables = {0};
    story.roomVariables = {1};
    story.enumVariables = {0};
    story.smallVariables = {0};
    story.actionVariables = {0, 0};
    story.objectFlags = {{}};
    story.roomFlags = {{}};
    story.byteArrays = {{150, 2, 1}};
    story.messageVariables = {{0, 0}};
    auto test = test::loadTestStory(story);
    World& w = test->world();
    w.scoreSlots[1] = 11, w.portablePoints[1] = 12, w.roomPoints[1] = 13;
    ObjectRecord& o = w.objects[1];
    o.holder = 21, o.relation = 22, o.state = 23, o.weight = 24, o.volume = 25, o.target = 26;
    o.spaceLeft = 27, o.articleKind = 2, o.gender = 3, o.propertyValues[0] = 28;
    w.byteVariables[1] = 31, w.byteVariables[2] = 32;
    w.scene.turnCounter = 0x01020304, w.scene.secondShadow = -2;
    w.command.action = 51, w.command.object1 = 41, w.command.direction = 71;
    w.command.preposition = 81;
    w.scene.currentRoom = 1;
    w.variableBlock[256 + 2] = 52; // action variable 2 (1 is the current action)
    w.variableBlock[192 + 1] = 61;
    w.objectFlags[1].insert(1);
    w.roomFlags[1].insert(1);
    arrayByte(w, 1, 0) = 91, arrayByte(w, 1, 43) = 92, arrayByte(w, 1, 44) = 93;
    w.messageVariables[1] = {3, 4};

    std::vector<uint8_t> expected = {11, 12, 13, 21, 22, 23, 24,   25,   26,   27,   2 * 4 + 3, 28,
                                     31, 32, 4,  3,  2,  1,  0xFE, 0xFF, 0xFF, 0xFF, 41,        1,
                                     51, 52, 61, 71, 2,  2,  51,   71,   81,   91};
    expected.resize(expected.size() + 42, 0);
    expected.insert(expected.end(), {92, 3, 4});
    ASSERT_EQ(computeUsedSize(**test), expected.size());
    EXPECT_EQ(computeStateSize(**test), expected.size() - 44 + 300);
    std::vector<uint8_t> image(expected.size());
    writeStateImage(**test, image);
    EXPECT_EQ(image, expected);
}

TEST(StateImageTest, SizesOfByteArraysAndLargeWorlds) {
    Story story = test::saveStory();
    auto small = test::loadTestStory(story);
    // 300, 256, 0 and 4 bytes reserved; 44, 256, 0 and 4 kept.
    EXPECT_EQ(computeStateSize(**small) - computeUsedSize(**small), 300u - 44u);

    // More than 65535 bytes in all must not wrap round.
    story.byteArrays = {{0, 255, 1}};
    story.byteVariables.assign(maxByteVariables, 0);
    auto large = test::loadTestStory(story);
    EXPECT_EQ(computeStateSize(**large), computeStateSize(**small) - 560 + 65280 + 207);
    takeInitialImage(**large);
    EXPECT_EQ(large->engine->saves.initialImage.size(), computeUsedSize(**large));
}

TEST(StateImageTest, LoadingAnotherStoryDropsTheUndoImages) {
    auto test = test::loadTestStory(test::saveStory());
    takeInitialImage(**test);
    saveUndo(**test);
    ASSERT_TRUE(hasUndo(**test));
    loadStoryBytes(**test, storykit::writeStory(test::saveStory()), "other.vux");
    takeInitialImage(**test);
    EXPECT_FALSE(hasUndo(**test));
}

} // namespace
} // namespace rux
