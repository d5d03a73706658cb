// Enumerations: joining items, counting them, grouping like objects and
// spilling the contents of a container.

#include "engine/text/codepage.h"
#include "engine/text/contents.h"
#include "engine/text/lists.h"
#include "engine/text/noun_phrases.h"
#include "engine/text/output.h"
#include "tests/support/test_engine.h"

#include <gtest/gtest.h>
#include <string>

namespace rux {
namespace {

using storykit::Story;
using storykit::StoryObject;

std::string item(char letter, uint8_t object) {
    return objectCode(letter, object, 16);
}

class ListBuildingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Story story;
        for (uint8_t gender : {1, 2, 0}) {
            StoryObject object;
            object.name = "Ding";
            object.gender = gender;
            story.addObject(object);
        }
        test = test::loadTestStory(story);
    }

    Engine& engine() { return **test; }
    const std::string& phrase() { return engine().text.phraseText; }
    uint8_t itemCount() { return engine().world.byteVariables[1]; }
    uint8_t listGender() { return engine().world.objects[0].gender; }

    std::string listOf(std::initializer_list<const char*> items, const char* conjunction) {
        beginList(engine());
        for (const char* text : items)
            listAdd(engine(), text);
        endList(engine(), conjunction);
        return phrase();
    }

    std::unique_ptr<test::TestEngine> test;
};

TEST_F(ListBuildingTest, CommasAndConjunction) {
    EXPECT_EQ(listOf({}, " und "), "");
    EXPECT_EQ(listOf({"A"}, " und "), "A");
    EXPECT_EQ(itemCount(), 1);
    EXPECT_EQ(listOf({"A", "B"}, " und "), "A und B");
    EXPECT_EQ(listOf({"A", "B", "C"}, " und "), "A, B und C");
    EXPECT_EQ(itemCount(), 3);
    EXPECT_EQ(listOf({"A", "B", "C", "D"}, " oder "), "A, B, C oder D");
}

TEST_F(ListBuildingTest, ObjectItemsLeaveTheCaseOpenAndSetTheNumber) {
    beginList(engine());
    listAddIndefinite(engine(), 1);
    endList(engine(), " und ");
    EXPECT_EQ(phrase(), item('u', 1));
    EXPECT_EQ(listGender(), 1);

    beginList(engine());
    listAddDefinite(engine(), 1);
    listAddIndefinite(engine(), 2);
    endList(engine(), " oder ");
    EXPECT_EQ(phrase(), item('b', 1) + " oder " + item('u', 2));
    EXPECT_EQ(listGender(), 1); // «ein Ding oder ein Ding ist»

    beginList(engine());
    listAddDefinite(engine(), 3); // one object with a plural name
    endList(engine(), " und ");
    EXPECT_EQ(listGender(), 0);
}

// Objects 1..4 are coins of the group object 7, 5 a lamp, 6 a box (fixed);
// coins 1 and 2 have no naming of their own, 3 and 4 have adjectives.
class ListObjectsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Story story;
        for (int i = 0; i < 4; ++i) {
            StoryObject coin;
            coin.name = utf8ToCp1252("Münze");
            coin.gender = 2;
            coin.base = 7;
            if (i >= 2) coin.adjectives = {i == 2 ? "golden" : "silbern"};
            story.addObject(coin);
        }
        StoryObject lamp;
        lamp.name = "Lampe";
        lamp.gender = 2;
        story.addObject(lamp);
        StoryObject box;
        box.name = "Kiste";
        box.gender = 2;
        story.addObject(box, Story::ObjectKind::Fixed);
        StoryObject coins; // the class all coins derive from
        coins.name = utf8ToCp1252("Münze");
        coins.gender = 2;
        coins.pluralName = utf8ToCp1252("Münzen");
        coins.pluralGender = 0;
        story.addObject(coins, Story::ObjectKind::Extra);
        story.setText(0, std::vector<std::string>(192, ""));
        story.texts[0][190] = "Nichts kommt heraus.";
        story.texts[0][191] = "Es kommt etwas heraus.";
        test = test::loadTestStory(story);
    }

    Engine& engine() { return **test; }
    uint8_t& listStyle() { return engine().world.byteVariables[27]; }
    uint8_t listGender() { return engine().world.objects[0].gender; }
    std::string list(std::initializer_list<uint8_t> objects, int grammaticalCase = 0) {
        ObjectSet set;
        for (uint8_t object : objects)
            set.insert(object);
        engine().lists.listedSet.clear();
        // Counted groups are built for every case; keep the one asked for.
        return cp1252ToUtf8(
            keepCaseChoices(listObjects(engine(), set, grammaticalCase), grammaticalCase));
    }

    std::unique_ptr<test::TestEngine> test;
};

TEST_F(ListObjectsTest, LikeObjectsWithoutOwnNamesBecomeOneCountedItem) {
    EXPECT_EQ(list({1, 2}), "zwei Münzen");
    EXPECT_EQ(engine().world.byteVariables[1], 1);
    EXPECT_EQ(listGender(), 0);
    EXPECT_TRUE(engine().lists.listedSet.contains(1));
    EXPECT_TRUE(engine().lists.listedSet.contains(2));
}

TEST_F(ListObjectsTest, SinglesAndGroupsTogether) {
    EXPECT_EQ(list({1, 2, 5}), "zwei Münzen und " + item('u', 5));
    EXPECT_EQ(listGender(), 0);
    listStyle() = 1 | 2; // definite articles, "oder"
    EXPECT_EQ(list({5, 1, 2}), "zwei Münzen oder " + item('b', 5));
}

TEST_F(ListObjectsTest, NamedMembersFollowTheirGroup) {
    const std::string members = item('u', 3) + " und " + item('u', 4);
    EXPECT_EQ(list({3, 4}), "zwei Münzen/0+ (" + members + ")/0-");
    EXPECT_EQ(engine().world.byteVariables[1], 1);
    EXPECT_EQ(listGender(), 0);
    listStyle() = 4;
    EXPECT_EQ(list({3, 4}), "zwei Münzen/0+, " + members + "/0-");
}

TEST_F(ListObjectsTest, NestedListKeepsTheOuterItems) {
    const std::string members = item('u', 3) + " und " + item('u', 4);
    EXPECT_EQ(list({5, 3, 4}), "zwei Münzen/0+ (" + members + ")/0- und " + item('u', 5));
    EXPECT_EQ(engine().world.byteVariables[1], 2);
    EXPECT_EQ(listGender(), 0);
}

TEST_F(ListObjectsTest, FirstMemberDecidesTheGroupForm) {
    // coin 1 has no naming of its own, so the whole group is counted plainly
    EXPECT_EQ(list({1, 3, 4}), "drei Münzen");
}

TEST_F(ListObjectsTest, GroupOfOneIsASingleItem) {
    EXPECT_EQ(list({1, 5}), item('u', 1) + " und " + item('u', 5));
    EXPECT_EQ(list({3}), item('u', 3));
    EXPECT_EQ(listGender(), 1);
}

TEST_F(ListObjectsTest, NeverGroupWithStyleEight) {
    listStyle() = 8;
    EXPECT_EQ(list({1, 2}), item('u', 1) + " und " + item('u', 2));
    EXPECT_EQ(engine().world.byteVariables[1], 2);
}

TEST_F(ListObjectsTest, AlreadyListedObjectsAreLeftOut) {
    ObjectSet set;
    for (uint8_t object : {1, 2, 5})
        set.insert(object);
    engine().lists.listedSet.clear();
    engine().lists.listedSet.insert(2);
    EXPECT_EQ(cp1252ToUtf8(listObjects(engine(), set, 0)), item('u', 1) + " und " + item('u', 5));
}

TEST_F(ListObjectsTest, OnlyPortableObjectsAreListed) {
    EXPECT_EQ(list({6, 7}), "");
    EXPECT_EQ(engine().world.byteVariables[1], 0);
}

TEST_F(ListObjectsTest, SpillMovesContentsBesideTheContainer) {
    World& world = engine().world;
    world.objects[6].holder = 3; // the box stands in room 3
    world.objects[6].relation = 0;
    for (uint8_t object : {1, 5}) {
        world.objects[object].holder = 6;
        world.objects[object].relation = 2; // inside
    }
    world.objects[2].holder = 6;
    world.objects[2].relation = 3; // on top: stays
    world.command.object1 = 6;

    spillContents(engine(), 2, true);
    EXPECT_EQ(world.objects[1].holder, 3);
    EXPECT_EQ(world.objects[1].relation, 0);
    EXPECT_EQ(world.objects[5].holder, 3);
    EXPECT_EQ(world.objects[2].holder, 6);
    EXPECT_EQ(world.objects[2].relation, 3);
    EXPECT_EQ(engine().text.phraseText, item('u', 1) + " und " + item('u', 5));
    EXPECT_NE(scrollbackText(engine()).find("Es kommt etwas heraus."), std::string::npos);

    spillContents(engine(), 2, true);
    EXPECT_EQ(engine().text.phraseText, "");
    EXPECT_NE(scrollbackText(engine()).find("Nichts kommt heraus."), std::string::npos);
}

TEST_F(ListObjectsTest, SpillWithoutAnnouncementStaysQuiet) {
    engine().world.command.object1 = 6;
    spillContents(engine(), 2, false);
    EXPECT_EQ(scrollbackText(engine()).find("heraus"), std::string::npos);
}

TEST_F(ListObjectsTest, SpillWithoutFirstObjectLeavesThePlayersBelongings) {
    World& world = engine().world;
    world.objects[5].holder = 0;
    world.objects[5].relation = 1; // worn
    world.command.object1 = 0;
    spillContents(engine(), 1, false);
    EXPECT_EQ(world.objects[5].relation, 1);
    EXPECT_EQ(engine().text.phraseText, "");
}

} // namespace
} // namespace rux
