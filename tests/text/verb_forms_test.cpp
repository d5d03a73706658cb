// Verb forms that agree with their subject: persons, numbers, enumerations
// and the player's posture.

#include "engine/text/lists.h"
#include "engine/text/output.h"
#include "engine/text/verb_forms.h"
#include "tests/support/test_engine.h"

#include <gtest/gtest.h>

namespace rux {
namespace {

using storykit::Story;
using storykit::StoryObject;

class VerbFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Story story;
        for (uint8_t gender : {1, 2, 3, 0}) { // objects 1..4
            StoryObject object;
            object.name = "Ding";
            object.gender = gender;
            story.addObject(object);
        }
        test = test::loadTestStory(story);
    }

    Engine& engine() { return **test; }

    static constexpr uint8_t masculine = 1, feminine = 2, neuter = 3, plural = 4;
    std::unique_ptr<test::TestEngine> test;
};

TEST_F(VerbFormTest, FiniteFormsByPerson) {
    const struct {
        uint8_t subject;
        const char *sein, *haben, *werden, *ending;
    } rows[] = {
        {250, "bin", "habe", "werde", "e"},     {251, "bist", "hast", "wirst", "st"},
        {252, "ist", "hat", "wird", "t"},       {253, "ist", "hat", "wird", "t"},
        {254, "ist", "hat", "wird", "t"},       {255, "ist", "hat", "wird", "t"},
        {masculine, "ist", "hat", "wird", "t"}, {feminine, "ist", "hat", "wird", "t"},
        {neuter, "ist", "hat", "wird", "t"},    {plural, "sind", "haben", "werden", "en"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(formOfSein(engine(), row.subject), row.sein) << int(row.subject);
        EXPECT_EQ(formOfHaben(engine(), row.subject), row.haben) << int(row.subject);
        EXPECT_EQ(formOfWerden(engine(), row.subject), row.werden) << int(row.subject);
        EXPECT_EQ(regularEnding(engine(), row.subject), row.ending) << int(row.subject);
    }
}

TEST_F(VerbFormTest, PluralEndingLooksAtTheDisplayLine) {
    EXPECT_EQ(regularEnding(engine(), plural), "en"); // empty line
    outputText(engine(), "Die Zwerge geh");
    EXPECT_EQ(regularEnding(engine(), plural), "en");
    outputText(engine(), "\nDie Zwerge wandere");
    EXPECT_EQ(regularEnding(engine(), plural), "n");
    EXPECT_EQ(regularEnding(engine(), masculine), "t");
}

TEST_F(VerbFormTest, ObjectZeroFollowsTheLastEnumeration) {
    beginList(engine());
    listAddIndefinite(engine(), masculine);
    listAddIndefinite(engine(), feminine);
    endList(engine(), " und ");
    EXPECT_EQ(formOfSein(engine(), 0), "sind");

    beginList(engine());
    listAddIndefinite(engine(), neuter);
    endList(engine(), " und ");
    EXPECT_EQ(formOfSein(engine(), 0), "ist");
    EXPECT_EQ(chooseForm(engine(), 0, "liegt", "liegen"), "liegt");

    beginList(engine());
    listAddIndefinite(engine(), plural);
    endList(engine(), " und ");
    EXPECT_EQ(formOfHaben(engine(), 0), "haben");
    EXPECT_EQ(chooseForm(engine(), 0, "liegt", "liegen"), "liegen");

    beginList(engine());
    endList(engine(), " und ");
    EXPECT_EQ(formOfSein(engine(), 0), "ist");
}

TEST_F(VerbFormTest, ChooseFormByGenderClass) {
    EXPECT_EQ(chooseForm(engine(), feminine, "geht", "gehen"), "geht");
    EXPECT_EQ(chooseForm(engine(), plural, "geht", "gehen"), "gehen");
    // the pseudo-objects have no gender of their own: singular
    EXPECT_EQ(chooseForm(engine(), 251, "geht", "gehen"), "geht");
    EXPECT_EQ(chooseForm(engine(), 253, "geht", "gehen"), "geht");
    EXPECT_EQ(chooseForm(engine(), plural, "x", "abcdefghijklmnop"), "abcdefghijkl");
    EXPECT_EQ(chooseForm(engine(), masculine, "abcdefghijklmnop", "x"), "abcdefghijkl");
}

TEST_F(VerbFormTest, StemsFollowThePosture) {
    const struct {
        uint8_t posture;
        const char *posturing, *placing;
    } rows[] = {{0, "steh", "stell"},
                {1, "sitz", "setz"},
                {2, "steh", "stell"},
                {3, "lieg", "leg"},
                {255, "steh", "stell"}};
    for (const auto& row : rows) {
        engine().world.byteVariables[32] = row.posture;
        EXPECT_EQ(postureStem(engine()), row.posturing) << int(row.posture);
        EXPECT_EQ(placingStem(engine()), row.placing) << int(row.posture);
    }
}

} // namespace
} // namespace rux
