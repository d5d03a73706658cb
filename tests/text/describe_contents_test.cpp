// What lies in, on or at a holder, as the player reads it.

#include "engine/text/contents.h"
#include "engine/text/output.h"
#include "tests/support/test_engine.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

using storykit::Story;
using storykit::StoryObject;

StoryObject named(std::string name, uint8_t gender, uint8_t holder, uint8_t relation) {
    StoryObject o;
    o.name = std::move(name);
    o.gender = gender;
    o.holder = holder;
    o.relation = relation;
    return o;
}

struct DescribeContents : ::testing::Test {
    Story story() {
        Story s;
        s.addObject(named("Ball", 1, 4, 2));
        s.addObject(named("Kugel", 2, 4, 2));
        s.addObject(named("Staub", 1, 4, 2)); // object flag 4: never listed
        StoryObject box = named("Kiste", 2, 1, 0);
        box.base = 5;
        s.addObject(box, Story::ObjectKind::Fixed);
        StoryObject model = named("Behälter", 1, 0, 0);
        s.addObject(model, Story::ObjectKind::Fixed);
        s.objectFlags = {{}, {}, {}, {3}};
        s.setText(0, std::vector<std::string>(120, "x"));
        s.texts[0][114] = "In /b&042 liegt /lN.";  // message 115: inside
        s.texts[0][115] = "Auf /b&042 liegt /lN."; // message 116: on top
        s.setText(1, {"Im Beh\xE4lter: /lN."});
        return s;
    }
    std::unique_ptr<test::TestEngine> t = test::loadTestStory(story());
    Engine& e = **t;

    std::string describe(uint8_t holder, uint8_t relation, bool always) {
        const std::string before = scrollbackText(e);
        describeContents(e, holder, relation, always);
        return scrollbackText(e).substr(before.size());
    }
};

TEST_F(DescribeContents, ListsThroughTheSystemMessageOfTheRelation) {
    EXPECT_EQ(describe(4, 2, false), "In der Kiste liegt ein Ball und eine Kugel. ");
    EXPECT_EQ(e.world.scene.relatedObject, 4);
}

TEST_F(DescribeContents, NothingToListPrintsOnlyWhenAsked) {
    EXPECT_EQ(describe(4, 3, false), "");
    EXPECT_EQ(e.world.byteVariables[12], 1);
    EXPECT_EQ(describe(4, 3, true), "Auf der Kiste liegt nichts. ");
}

TEST_F(DescribeContents, AlreadyListedObjectsAreLeftOut) {
    e.lists.listedSet.insert(1);
    EXPECT_EQ(describe(4, 2, false), "In der Kiste liegt eine Kugel. ");
}

TEST_F(DescribeContents, HolderTextIsInheritedAlongTheBaseChain) {
    e.world.objects[5].textSlots[4] = {1, 1}; // relation 2 uses slot 4
    EXPECT_EQ(describe(4, 2, false), "Im Beh\xE4lter: ein Ball und eine Kugel. ");
}

} // namespace
} // namespace rux
