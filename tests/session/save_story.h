#pragma once
// A story with some of every kind of state a game can change, for the tests
// of state images, undo and saved games.

#include "engine/session/state_image.h"
#include "engine/text/codepage.h"
#include "engine/text/output.h"
#include "storykit/assembler.h"
#include "tests/support/test_engine.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace rux::test {

inline constexpr uint8_t cellarRoom = 2;

// Every part of the world a state image covers.
inline void expectSameState(const World& expected, const World& actual) {
    for (int n = 1; n <= expected.counts.portableCount; ++n)
        EXPECT_EQ(expected.objects[n], actual.objects[n]) << "object " << n;
    EXPECT_EQ(expected.scoreSlots, actual.scoreSlots);
    EXPECT_EQ(expected.portablePoints, actual.portablePoints);
    EXPECT_EQ(expected.roomPoints, actual.roomPoints);
    EXPECT_EQ(expected.byteVariables, actual.byteVariables);
    EXPECT_EQ(expected.longVariables, actual.longVariables);
    EXPECT_EQ(expected.variableBlock, actual.variableBlock);
    EXPECT_EQ(expected.scene, actual.scene);
    EXPECT_EQ(expected.command, actual.command);
    EXPECT_EQ(expected.currentRoomRecord, actual.currentRoomRecord);
    EXPECT_EQ(expected.objectFlags, actual.objectFlags);
    EXPECT_EQ(expected.roomFlags, actual.roomFlags);
    EXPECT_EQ(expected.messageVariables, actual.messageVariables);
    EXPECT_EQ(expected.codeArea, actual.codeArea);
}

// Whether the text (UTF-8) was shown so far; wrapped lines count as joined.
inline bool shows(const Engine& engine, std::string_view text) {
    std::string shown = cp1252ToUtf8(scrollbackText(engine));
    std::replace(shown.begin(), shown.end(), '\n', ' ');
    return shown.find(text) != std::string::npos;
}

// The hall describes itself whenever an action runs there.
inline storykit::Story saveStory() {
    using namespace storykit;
    Story story;
    story.label = "Testspiel";
    story.scoreSlotCount = 3;
    for (auto [name, gender] : {std::pair{"Lampe", 2}, {"Schwert", 1}, {"Buch", 3}}) {
        StoryObject object;
        object.name = name;
        object.gender = static_cast<uint8_t>(gender);
        object.holder = 1;
        object.weight = 2;
        object.properties = {{1, 5}, {2, 7}};
        story.addObject(object);
    }
    StoryObject table;
    table.name = "Tisch";
    table.holder = 1;
    story.addObject(table, Story::ObjectKind::Fixed);

    StoryRoom hall;
    hall.id = 1;
    hall.name = "Halle";
    storykit::Assembler describeHall;
    describeHall.print(3, 1);
    hall.scripts[0] = describeHall.finish();
    story.addRoom(hall);
    StoryRoom cellar;
    cellar.id = cellarRoom;
    cellar.name = "Keller";
    story.addRoom(cellar);

    for (const char* name : {"nehmen", "ablegen", "warten"}) {
        StoryAction action;
        action.name = name;
        action.slotSource = {1, 0, 0};
        story.addAction(action);
    }
    story.byteVariables.assign(40, 0);
    story.byteVariables[9] = 1; // byte variable 10 reads whether it is light
    story.longVariables = {0, 0, 0, 0, 0, 70000, -3};
    story.objectVariables.assign(10, 0);
    story.roomVariables = {1, 0, 2};
    story.enumCount = 2;
    story.enumVariables = {1, 2};
    story.smallVariables = {4, 5};
    story.actionVariables = {0, 3};
    story.actionVariableSkip = 1;
    story.objectFlags = {{1, 3}, {2}, {}};
    story.roomFlags = {{}, {1}}; // room flag 1 would make the hall dark
    // 300 bytes keep their first 44, 256 bytes all, a zero dimension none.
    story.byteArrays = {{150, 2, 1}, {0, 1, 1}, {4, 0, 1}, {4, 1, 1}};
    story.messageVariables = {{3, 1}, {3, 2}};

    std::vector<std::string> messages(209);
    messages[206] = "Nichts mehr da.";
    messages[208] = "Zurueck: /@.";
    story.setText(0, messages);
    story.setText(3, {"Eine hohe Halle.", "Zweiter Text."});
    return story;
}

// The story loaded, the player in the hall and the initial image taken, as
// at the end of loading.
inline std::unique_ptr<TestEngine> loadSaveStory() {
    auto test = loadTestStory(saveStory());
    test->world().scene.currentRoom = 1;
    test->world().selectRoomRecord();
    takeInitialImage(**test);
    return test;
}

} // namespace rux::test
