#include "engine/script/object_tree.h"
#include "storykit/story.h"
#include "tests/support/test_engine.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace rux {
namespace {

using storykit::Story;
using storykit::StoryObject;
using storykit::StoryRoom;

// Object numbers of the test world: six portable items, then fixed objects,
// then one extra object.
enum : uint8_t {
    box = 1, // an open container loose in the hall
    coin,    // in the box
    lamp,    // carried by the player
    ring,    // worn by the player
    bag,     // carried, holds nothing yet
    pebble,  // loose in the cellar
    table,   // fixed, in the hall
    cabinet, // fixed, a closed glass cabinet in the hall
    guard,   // fixed, a person in the hall
    sky,     // an extra object
};

enum : uint8_t { hall = 1, cellar = 2, garden = 3 };

constexpr uint8_t darkRoomFlag = 1;
constexpr uint8_t lightFlag = 7;
constexpr uint8_t enclosingFlag = 11;
constexpr uint8_t transparentFlag = 14;
constexpr uint8_t playerChainFlag = 20;

StoryObject object(const char* name, uint8_t holder, uint8_t relation, uint8_t weight,
                   uint8_t state = 0) {
    StoryObject o;
    o.name = name;
    o.holder = holder;
    o.relation = relation;
    o.weight = weight;
    o.state = state;
    return o;
}

StoryRoom room(uint8_t id, std::vector<uint8_t> exits) {
    StoryRoom r;
    r.id = id;
    r.name = "Raum";
    r.exits = std::move(exits);
    return r;
}

Story treeStory() {
    Story story;
    story.addObject(object("Kiste", hall, 0, 5));
    story.addObject(object("M\xFCnze", box, 2, 1));
    story.addObject(object("Lampe", 0, 0, 2));
    story.addObject(object("Ring", 0, 1, 1));
    story.addObject(object("Beutel", 0, 0, 1));
    story.addObject(object("Kiesel", cellar, 0, 1));
    story.addObject(object("Tisch", hall, 0, 0), Story::ObjectKind::Fixed);
    story.addObject(object("Vitrine", hall, 0, 0, 3), Story::ObjectKind::Fixed);
    story.addObject(object("W\xE4"
                           "chter",
                           hall, 0, 0),
                    Story::ObjectKind::Fixed);
    story.addObject(object("Himmel", 0, 0, 0), Story::ObjectKind::Extra);
    story.directionCount = 2;
    story.addRoom(room(hall, {cellar, 0}));
    story.addRoom(room(cellar, {0, hall}));
    story.addRoom(room(garden, {}));
    story.roomFlags = {{cellar}}; // room flag 1: dark
    story.scoreSlotCount = 2;
    return story;
}

class ObjectTree : public ::testing::Test {
  protected:
    void SetUp() override { enterRoom(hall); }

    void enterRoom(uint8_t room) {
        world.scene.currentRoom = room;
        world.selectRoomRecord();
    }
    void place(uint8_t object, uint8_t holder, uint8_t relation) {
        setLocation(engine, object, holder, relation);
    }
    void flag(uint8_t k, uint8_t object) { world.setObjectFlag(k, object, true); }
    bool visible(uint8_t object) { return isVisible(engine, object); }

    std::unique_ptr<test::TestEngine> test = test::loadTestStory(treeStory());
    Engine& engine = **test;
    World& world = test->world();
};

TEST_F(ObjectTree, ParentsAndOutermostHolders) {
    EXPECT_EQ(parentOf(engine, coin), box);
    EXPECT_EQ(parentOf(engine, box), 0);  // loose in a room
    EXPECT_EQ(parentOf(engine, ring), 0); // worn by the player
    place(ring, guard, 1);
    EXPECT_EQ(parentOf(engine, ring), guard);
    place(box, table, 3);
    EXPECT_EQ(outermostObject(engine, coin), table);
    EXPECT_EQ(outermostHolder(engine, coin), hall);
    place(coin, bag, 2);
    EXPECT_EQ(outermostObject(engine, coin), bag);
    EXPECT_EQ(outermostHolder(engine, coin), 0); // the chain ends at the player
    EXPECT_TRUE(isAt(engine, coin, bag, 2));
    EXPECT_FALSE(isAt(engine, coin, bag, 3));
}

TEST_F(ObjectTree, HolderCyclesEndTheWalk) {
    place(box, coin, 2); // the box is in the coin, which is in the box
    const uint8_t top = outermostObject(engine, coin);
    EXPECT_TRUE(top == box || top == coin);
    place(bag, bag, 2); // holds itself
    EXPECT_EQ(outermostObject(engine, bag), bag);
    EXPECT_FALSE(visible(coin));
    EXPECT_FALSE(visible(bag));
    EXPECT_EQ(reachClass(engine, coin), 5);
    EXPECT_EQ(weightInside(engine, bag), 0);
    EXPECT_EQ(weightInside(engine, box), 1); // the coin, counted once
    world.scene.playerVehicle = box;
    computeEnclosure(engine, box);
    EXPECT_EQ(world.scene.enclosure, 0);
    markNeighbours(engine, box); // ends
    EXPECT_TRUE(world.objectFlag(playerChainFlag, coin));
}

TEST_F(ObjectTree, CarriedThingsAreVisibleEvenInTheDark) {
    enterRoom(cellar);
    ASSERT_TRUE(isDark(engine));
    EXPECT_TRUE(visible(lamp));
    EXPECT_TRUE(visibleInDark(engine, lamp)); // it has no holder
    place(coin, bag, 2);
    EXPECT_TRUE(visible(coin)); // in an open bag the player carries
    EXPECT_FALSE(visibleInDark(engine, coin));
    engine.scope.seenThisTurn.insert(coin);
    EXPECT_TRUE(visibleInDark(engine, coin));
}

TEST_F(ObjectTree, LooseThingsAreVisibleInTheLitCurrentRoomOnly) {
    EXPECT_TRUE(visible(box));
    EXPECT_TRUE(visible(coin)); // inside the open box
    EXPECT_FALSE(visible(pebble));
    enterRoom(cellar);
    EXPECT_FALSE(visible(pebble)); // dark
    EXPECT_FALSE(visible(box));
    enterRoom(hall);
    world.scene.enclosure = cabinet;
    EXPECT_FALSE(visible(box)); // shut in elsewhere
    EXPECT_TRUE(visible(cabinet));
}

TEST_F(ObjectTree, ClosedContainersHideTheirContents) {
    world.objects[box].state = 3;
    EXPECT_FALSE(visible(coin));
    world.objects[box].state = 4;
    EXPECT_FALSE(visible(coin));
    flag(transparentFlag, box);
    EXPECT_TRUE(visible(coin));
    place(pebble, cabinet, 2); // closed
    EXPECT_FALSE(visible(pebble));
    world.scene.enclosure = cabinet; // the player is shut inside with it
    EXPECT_TRUE(visible(pebble));
}

TEST_F(ObjectTree, OnWornAndHiddenThings) {
    place(coin, table, 3);
    EXPECT_TRUE(visible(coin));
    place(coin, table, 4); // attached
    EXPECT_TRUE(visible(coin));
    place(coin, table, 5);
    EXPECT_FALSE(visible(coin));
    place(coin, table, 6);
    EXPECT_FALSE(visible(coin));
    place(ring, guard, 1); // worn by someone else
    EXPECT_FALSE(visible(ring));
    flag(transparentFlag, guard);
    EXPECT_TRUE(visible(ring));
}

TEST_F(ObjectTree, ScopeSetsAndPseudoObjects) {
    engine.scope.seenThisTurn.insert(pebble);
    EXPECT_TRUE(visible(pebble));
    engine.scope.hiddenThisTurn.insert(pebble);
    EXPECT_FALSE(visible(pebble)); // hiding wins
    engine.scope.hiddenThisTurn.insert(lamp);
    EXPECT_FALSE(visible(lamp));
    engine.scope.touchableThisTurn.insert(sky);
    EXPECT_TRUE(visible(sky));
    EXPECT_TRUE(visible(250));
    EXPECT_TRUE(visible(251));
    for (int o = 252; o <= 255; ++o)
        EXPECT_FALSE(visible(static_cast<uint8_t>(o)));

    clearScopeSets(engine);
    EXPECT_TRUE(engine.scope.seenThisTurn.empty());
    EXPECT_TRUE(engine.scope.hiddenThisTurn.empty());
    EXPECT_TRUE(engine.scope.touchableThisTurn.empty());
    EXPECT_TRUE(engine.scope.untouchableThisTurn.empty());
    EXPECT_FALSE(visible(pebble));
    EXPECT_TRUE(visible(lamp));
}

TEST_F(ObjectTree, VisibleFromANeighbouringRoom) {
    EXPECT_FALSE(isVisibleFromRoom(engine, pebble)); // the cellar is dark
    world.roomFlags[darkRoomFlag].clear();
    EXPECT_TRUE(isVisibleFromRoom(engine, pebble));
    EXPECT_EQ(world.scene.currentRoom, hall);
    EXPECT_EQ(world.currentRoomRecordPtr()->id, hall);
    place(pebble, garden, 0); // no exit leads there
    EXPECT_FALSE(isVisibleFromRoom(engine, pebble));
    EXPECT_FALSE(isVisibleFromRoom(engine, lamp)); // carried: no room at the top
    EXPECT_FALSE(isVisibleFromRoom(engine, 251));
}

TEST_F(ObjectTree, DarknessAndLightSources) {
    EXPECT_FALSE(isDark(engine));
    enterRoom(cellar);
    EXPECT_TRUE(isDark(engine));
    flag(lightFlag, lamp); // carried light
    world.objects[lamp].state = 5;
    EXPECT_FALSE(isDark(engine));
    world.objects[lamp].state = 6; // switched off
    EXPECT_TRUE(isDark(engine));
    world.objects[lamp].state = 0;
    place(lamp, bag, 2);
    world.objects[bag].state = 3; // shut in a closed bag
    EXPECT_TRUE(isDark(engine));
    place(lamp, hall, 0); // shining in another room
    EXPECT_TRUE(isDark(engine));
}

TEST_F(ObjectTree, ALampOnTheFloorLightsTheRoomThroughTheGuard) {
    // Seeing the lamp asks whether the room is dark; the nested question
    // answers "not dark", so the lamp is seen and lights the room.
    enterRoom(cellar);
    flag(lightFlag, lamp);
    place(lamp, cellar, 0);
    EXPECT_FALSE(isDark(engine));
    EXPECT_FALSE(engine.scope.darknessTestRunning);
    EXPECT_TRUE(visible(pebble));
    engine.scope.darknessTestRunning = true;
    world.objectFlags[lightFlag].clear();
    EXPECT_FALSE(isDark(engine)); // a nested test never says dark
}

TEST_F(ObjectTree, DarknessInsideAnEnclosure) {
    world.scene.enclosure = cabinet;
    EXPECT_FALSE(isDark(engine));
    flag(lightFlag, cabinet);
    world.objects[cabinet].state = 6;
    EXPECT_TRUE(isDark(engine));
    enterRoom(cellar);
    world.scene.enclosure = 0;
    EXPECT_TRUE(isDarkRoom(engine, cellar));
    world.scene.enclosure = cabinet;
    EXPECT_FALSE(isDarkRoom(engine, hall));
    EXPECT_EQ(world.scene.currentRoom, cellar);
    EXPECT_EQ(world.scene.enclosure, cabinet);
}

TEST_F(ObjectTree, ReachClassesInTheirOrder) {
    EXPECT_EQ(reachClass(engine, lamp), 0);
    EXPECT_EQ(reachClass(engine, box), 0);
    EXPECT_EQ(reachClass(engine, coin), 0); // open box
    world.objects[box].state = 3;
    EXPECT_EQ(reachClass(engine, coin), 2);
    place(coin, box, 3); // on the closed box
    EXPECT_EQ(reachClass(engine, coin), 0);
    place(ring, guard, 1);
    EXPECT_EQ(reachClass(engine, ring), 1);
    flag(3, table);
    EXPECT_EQ(reachClass(engine, table), 4);
    flag(3, sky);
    EXPECT_EQ(reachClass(engine, sky), 3);
    place(coin, table, 3);
    EXPECT_EQ(reachClass(engine, coin), 4); // the holder's class
    engine.scope.touchableThisTurn.insert(table);
    EXPECT_EQ(reachClass(engine, table), 0); // touchable beats flag 3
    flag(playerChainFlag, table);
    EXPECT_EQ(reachClass(engine, table), 5); // the player's chain beats touchable
    engine.scope.untouchableThisTurn.insert(lamp);
    EXPECT_EQ(reachClass(engine, lamp), 5);
    flag(playerChainFlag, 252);
    EXPECT_EQ(reachClass(engine, 252), 5);
    EXPECT_EQ(reachClass(engine, 253), 0);
}

TEST_F(ObjectTree, EnclosureIsTheClosedContainerAroundThePlayer) {
    flag(enclosingFlag, cabinet);
    computeEnclosure(engine, cabinet);
    EXPECT_EQ(world.scene.enclosure, cabinet);
    place(bag, cabinet, 2); // the player sits in a bag inside the cabinet
    computeEnclosure(engine, bag);
    EXPECT_EQ(world.scene.enclosure, cabinet);
    world.objects[cabinet].state = 2;
    computeEnclosure(engine, bag);
    EXPECT_EQ(world.scene.enclosure, 0);
    world.objects[cabinet].state = 4;
    world.objectFlags[enclosingFlag].clear(); // closed, but not one to be shut in
    computeEnclosure(engine, bag);
    EXPECT_EQ(world.scene.enclosure, 0);
}

TEST_F(ObjectTree, NeighboursOfThePlayersChain) {
    place(bag, table, 3); // the player stands on the bag on the table
    place(coin, table, 3);
    markNeighbours(engine, bag);
    const ObjectSet& chain = world.objectFlags[playerChainFlag];
    EXPECT_TRUE(chain.contains(coin)); // beside the bag
    EXPECT_TRUE(chain.contains(table));
    EXPECT_TRUE(chain.contains(box)); // beside the table in the hall
    EXPECT_TRUE(chain.contains(guard));
    EXPECT_FALSE(chain.contains(bag));
    EXPECT_FALSE(chain.contains(lamp));
    EXPECT_FALSE(chain.contains(pebble));

    world.objectFlags[playerChainFlag].clear();
    place(ring, 0, 1);
    markNeighbours(engine, ring); // worn: the walk stops at the player
    EXPECT_FALSE(chain.contains(lamp));
}

TEST_F(ObjectTree, UniqueVisibleItem) {
    constexpr uint8_t k = 9;
    EXPECT_EQ(uniqueVisibleItem(engine, k), 0);
    flag(k, lamp);
    flag(k, pebble); // not visible
    flag(k, table);  // not an item
    EXPECT_EQ(uniqueVisibleItem(engine, k), lamp);
    flag(k, coin);
    EXPECT_EQ(uniqueVisibleItem(engine, k), 0);
}

TEST_F(ObjectTree, WeightInside) {
    EXPECT_EQ(weightInside(engine, bag), 0);
    EXPECT_EQ(weightInside(engine, box), 1);
    place(bag, box, 2);
    EXPECT_EQ(weightInside(engine, box), 2);
    place(lamp, bag, 3);
    EXPECT_EQ(weightInside(engine, box), 4); // nested contents count
    place(pebble, box, 0);                   // relation 0 does not count
    EXPECT_EQ(weightInside(engine, box), 4);
    EXPECT_EQ(weightInside(engine, 0), 1); // what the player wears
}

TEST_F(ObjectTree, ScoreSumsTheCountedEntries) {
    world.scene.scoreBase = 100;
    world.scoreSlots[1] = 1;
    world.scoreSlots[2] = 2;
    world.scoreSlots[3] = 50; // past scoreSlotCount
    world.portablePoints[6] = 10;
    world.portablePoints[7] = 50; // not a portable object
    world.roomPoints[3] = 20;
    world.roomPoints[4] = 50; // not a room
    EXPECT_EQ(score(engine), 133);
    // A base at the largest number (a saved game may hold one) wraps.
    world.scene.scoreBase = INT32_MAX;
    EXPECT_EQ(score(engine), INT32_MIN + 32);
}

} // namespace
} // namespace rux
