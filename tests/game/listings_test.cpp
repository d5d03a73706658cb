// Room descriptions in every mode and the inventory in both forms.

#include <gtest/gtest.h>

#include "engine/script/inventory.h"
#include "engine/script/room_description.h"
#include "tests/game/game_world.h"

namespace rux {
namespace {

using namespace test;

std::string describe(GameWorld& w) {
    return w.printed([&] { describeRoom(w.engine(), w.world().scene.currentRoom); });
}

std::string inventory(GameWorld& w) {
    return w.printed([&] { showInventory(w.engine()); });
}

TEST(RoomDescription, FirstVisitIsFullWithObjectsAndPersons) {
    GameWorld w;
    w.world().setRoomFlag(2, hall, false);
    const std::string out = describe(w);
    EXPECT_EQ(out.find("Halle\nEine hohe Halle."), 0u) << out;
    EXPECT_NE(out.find("Hier: eine Lampe, eine Kiste, ein Stein und eine T\xFCr."), std::string::npos)
        << out;
    EXPECT_NE(out.find("#115"), std::string::npos) << out; // what is in the box
    EXPECT_NE(out.find("#112"), std::string::npos) << out;          // Hans, without a text
}

TEST(RoomDescription, ModesChooseBriefOrFull) {
    struct Case {
        uint8_t mode;
        bool visited;
        bool lookCommand;
        bool full;
    };
    const Case cases[] = {
        {0, true, false, false}, {0, false, false, true}, {0, true, true, true},
        {1, true, false, true},  {2, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.mode) << c.visited << c.lookCommand);
        GameWorld w;
        w.byteVar(25) = c.mode;
        w.world().setRoomFlag(2, hall, c.visited);
        w.engine().turn.lookCommand = c.lookCommand;
        const std::string out = describe(w);
        EXPECT_EQ(out.find("Eine hohe Halle.") != std::string::npos, c.full) << out;
        EXPECT_EQ(out.find("Halle"), 0u) << out;
    }
}

TEST(RoomDescription, HeadingStyles) {
    GameWorld w;
    w.byteVar(19) = 4; // no heading in full descriptions
    w.world().setRoomFlag(2, hall, false);
    EXPECT_EQ(describe(w).find("Eine hohe Halle."), 0u);
}

TEST(RoomDescription, DarknessShowsNothingElse) {
    GameWorld w;
    w.world().scene.currentRoom = cellar;
    EXPECT_EQ(describe(w), "#110 ");
}

TEST(RoomDescription, BaseRoomChainsEndOnLoopsAndMissingRooms) {
    storykit::Story story = gameStory();
    story.rooms[1].description = {};
    story.rooms[1].base = hall;   // the chamber shows the hall's text
    story.rooms[2].base = 9;      // the cellar's base is no room
    GameWorld w(story);
    w.world().scene.currentRoom = chamber;
    w.engine().turn.lookCommand = true;
    EXPECT_NE(describe(w).find("Eine hohe Halle."), std::string::npos);
    EXPECT_EQ(w.world().scene.currentRoom, chamber);

    w.world().rooms[0].description = {};
    w.world().rooms[0].base = chamber; // hall and chamber name each other
    EXPECT_EQ(describe(w).find("Eine"), std::string::npos);
    w.world().setRoomFlag(1, cellar, false);
    w.world().scene.currentRoom = cellar;
    EXPECT_EQ(describe(w).find("Keller"), 0u);
}

TEST(RoomDescription, RoomTextOfAnObjectUntilItIsTaken) {
    storykit::Story story = gameStory();
    story.objects[lamp - 1].textSlots[1] = {1, 4};
    GameWorld w(story);
    w.engine().turn.lookCommand = true;
    std::string out = describe(w);
    EXPECT_NE(out.find("Die Lampe leuchtet hier."), std::string::npos) << out;
    EXPECT_NE(out.find("Auch hier: eine Kiste"), std::string::npos) << out;
    w.world().setObjectFlag(17, lamp, true);
    out = describe(w);
    EXPECT_EQ(out.find("leuchtet"), std::string::npos) << out;
    EXPECT_NE(out.find("Hier: eine Lampe"), std::string::npos) << out;
}

TEST(Inventory, TreeWithWornThingsAndGroups) {
    GameWorld w;
    w.object(coat).relation = 1;
    const std::string out = inventory(w);
    EXPECT_NE(out.find("#121"), std::string::npos) << out;
    EXPECT_NE(out.find("den Mantel (angezogen)"), std::string::npos) << out;
    EXPECT_NE(out.find("zwei M\xFCnzen"), std::string::npos) << out;
}

TEST(Inventory, SentencesAndEmpty) {
    GameWorld w;
    w.byteVar(28) = 1;
    w.object(coat).relation = 1;
    const std::string out = inventory(w);
    EXPECT_NE(out.find("Du hast zwei M\xFCnzen."), std::string::npos) << out;
    EXPECT_NE(out.find("Du tr\xE4gst einen Mantel."), std::string::npos) << out;
    for (uint8_t o : {coat, coinA, coinB})
        w.object(o).holder = hall;
    EXPECT_EQ(inventory(w), "Du hast nichts. ");
}

}  // namespace
}  // namespace rux
