// The player's command restated as an infinitive phrase, and the typed
// words as the player wrote them.

#include "engine/text/noun_phrases.h"
#include "tests/support/test_engine.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

using storykit::Story;
using storykit::StoryAction;
using storykit::StoryObject;

std::string code(uint8_t object, int grammaticalCase) {
    return objectCode('b', object, grammaticalCase);
}

class CommandPhraseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Story story;
        for (int i = 0; i < 3; ++i) {
            StoryObject object;
            object.name = "Ding";
            story.addObject(object);
        }
        story.prepositions = {"auf", "in"};
        story.directionCount = 1;
        story.directionNames[0] = {"norden", "n"};
        add(story, 1, "dich setzen", {16, 0, 0}, {1});
        add(story, 2, "dir ansehen", {1, 0, 0});
        add(story, 3, "geben", {1, 2, 0});
        add(story, 4, "aufschliessen", {1, 4, 0});
        add(story, 5, "gehen", {0, 0, 0}, {}, 8);
        add(story, 6, "dichten", {1, 0, 0});
        add(story, 7, "legen", {1, 32, 0}, {2});
        add(story, 8, "schieben", {1, 64, 0});
        add(story, 9, "dich dir merken", {1, 0, 0});
        test = test::loadTestStory(story);
    }

    static void add(Story& story, uint8_t id, const char* name, std::array<uint8_t, 3> slots,
                    std::vector<uint8_t> prepositions = {}, uint8_t requiredMask = 0) {
        StoryAction action;
        action.name = name;
        action.slotSource = slots;
        action.acceptedPrepositions = std::move(prepositions);
        action.requiredMask = requiredMask;
        story.addAction(action);
        (void)id;
    }

    Engine& engine() { return **test; }
    std::string phrase(uint8_t action, uint8_t o1 = 0, uint8_t o2 = 0, uint8_t o3 = 0,
                       uint8_t direction = 0, uint8_t partner = 0) {
        return commandPhrase(engine(), action, o1, o2, o3, direction, partner);
    }

    std::unique_ptr<test::TestEngine> test;
};

TEST_F(CommandPhraseTest, ReflexivePronounFollowsNarrativePerson) {
    EXPECT_EQ(phrase(1, 2), "dich auf " + code(2, 1) + " setzen");
    engine().world.byteVariables[31] = 1;
    EXPECT_EQ(phrase(1, 2), "mich auf " + code(2, 1) + " setzen");
    engine().world.byteVariables[31] = 2;
    EXPECT_EQ(phrase(1, 2), "sich auf " + code(2, 1) + " setzen");
    EXPECT_EQ(phrase(2, 3), "sich " + code(3, 1) + " ansehen");
    engine().world.byteVariables[31] = 0;
    EXPECT_EQ(phrase(2, 3), "dir " + code(3, 1) + " ansehen");
    EXPECT_EQ(phrase(9, 3), "dir " + code(3, 1) + " merken");
}

TEST_F(CommandPhraseTest, AVerbThatMerelyBeginsLikeAPronounIsNoReflexive) {
    EXPECT_EQ(phrase(6, 1), code(1, 1) + " dichten");
}

TEST_F(CommandPhraseTest, SlotPhrasesByKind) {
    EXPECT_EQ(phrase(3, 1, 2), code(1, 1) + " " + code(2, 2) + " geben");
    EXPECT_EQ(phrase(4, 1, 3), code(1, 1) + " mit " + code(3, 2) + " aufschliessen");
    EXPECT_EQ(phrase(7, 1, 2), code(1, 1) + " in " + code(2, 2) + " legen");
    // an unset object or an unknown slot code adds nothing
    EXPECT_EQ(phrase(3, 1, 0), code(1, 1) + " geben");
    EXPECT_EQ(phrase(8, 1, 2), code(1, 1) + " schieben");
}

TEST_F(CommandPhraseTest, DirectionWhenTheActionRequiresOne) {
    EXPECT_EQ(phrase(5, 0, 0, 0, 1), "nach Norden gehen");
    EXPECT_EQ(phrase(5), "gehen");
    EXPECT_EQ(phrase(3, 1, 2, 0, 1), code(1, 1) + " " + code(2, 2) + " geben");
    EXPECT_EQ(phrase(5, 0, 0, 0, 200), "gehen"); // no such direction
}

TEST_F(CommandPhraseTest, PartnerMeansTalking) {
    EXPECT_EQ(phrase(3, 1, 2, 0, 0, 3), "Mit " + code(3, 2) + " reden");
}

TEST_F(CommandPhraseTest, UnknownActionUsesTheLastRecord) {
    EXPECT_EQ(phrase(77, 1), "dir " + code(1, 1) + " merken");
}

TEST(CommandPhrase, StoryWithoutActionsGivesNothing) {
    Story story;
    auto test = test::loadTestStory(story);
    EXPECT_EQ(commandPhrase(**test, 1, 0, 0, 0, 0, 0), "");
}

TEST(TypedWord, CharactersAsTyped) {
    Story story;
    auto test = test::loadTestStory(story);
    WordTable& words = (*test)->parser.words;
    words.line = "Nimm den GRUENEN Apfel";
    words.slots[1] = {"nimm", 1, 4};
    words.slots[2] = {"den", 6, 3};
    words.slots[3] = {"grünen", 10, 7};
    words.slots[4] = {"apfel", 18, 10}; // reaches past the end of the line
    words.wordCount = 4;
    EXPECT_EQ(typedWord(**test, 1), "Nimm");
    EXPECT_EQ(typedWord(**test, 3), "GRUENEN");
    EXPECT_EQ(typedWord(**test, 4), "Apfel");
    EXPECT_EQ(typedWord(**test, 5), "");
    EXPECT_EQ(typedWord(**test, 0), "");
    EXPECT_EQ(typedWord(**test, 99), "");
    words.slots[2].column = 200;
    EXPECT_EQ(typedWord(**test, 2), "");
}

} // namespace
} // namespace rux
