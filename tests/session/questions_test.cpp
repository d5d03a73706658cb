#include "engine/session/questions.h"
#include "engine/text/codepage.h"
#include "engine/text/output.h"
#include "engine/text/output_layout.h"
#include "tests/support/test_engine.h"

#include <gtest/gtest.h>
#include <string>

namespace rux {
namespace {

constexpr int kEscape = 27;
constexpr int kCapitalUUmlaut = 0xDC; // Ü
constexpr int kSmallUUmlaut = 0xFC;   // ü

class QuestionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test = test::loadTestStory(storykit::Story{});
        OutputLayout layout;
        layout.wrapWidth = 60;
        layout.visibleLines = 40;
        setLayout(engine(), layout);
        clearScreen(engine(), ScreenStart::Top);
    }
    Engine& engine() { return **test; }
    test::ScriptedHost& host() { return test->host; }
    void keys(std::initializer_list<int> codes) { host().keys.assign(codes); }
    const std::string& screenLine(int line) { return engine().output.screenLines[line]; }

    std::unique_ptr<test::TestEngine> test;
};

// --- Yes or no ---------------------------------------------------------------

TEST_F(QuestionTest, YesAndNoAreEchoedInTheInputStyleAsAParagraphOfTheirOwn) {
    outputText(engine(), "Wirklich? ");
    keys({'J'});
    EXPECT_TRUE(askYesNo(engine()));
    EXPECT_EQ(screenLine(1), "Wirklich? \x03Ja.\x01");
    EXPECT_TRUE(engine().output.atParagraphStart);
    EXPECT_EQ(currentDisplayLine(engine()), "");

    outputText(engine(), "Nochmal? ");
    keys({'N'});
    EXPECT_FALSE(askYesNo(engine()));
    EXPECT_EQ(screenLine(2), "Nochmal? \x03Nein.\x01");
    EXPECT_EQ(engine().output.currentStyle, kNormalStyle);
}

TEST_F(QuestionTest, YesNoTakesSmallLettersAndBeepsAtEveryOtherKey) {
    keys({'X', '1', 13, 0xE9, 'j'});
    EXPECT_TRUE(askYesNo(engine()));
    EXPECT_EQ(host().beeps, 4);
    EXPECT_EQ(host().keyQuestions, 5);

    keys({'n'});
    EXPECT_FALSE(askYesNo(engine()));
    EXPECT_EQ(host().beeps, 4);
}

TEST_F(QuestionTest, EscapeAtYesNoIsNo) {
    keys({kEscape});
    EXPECT_FALSE(askYesNo(engine()));
    EXPECT_EQ(scrollbackText(engine()), "Nein.\n");
    EXPECT_EQ(host().beeps, 0);
}

TEST_F(QuestionTest, SuppressedTextsLeaveTheAnswersUnechoed) {
    engine().world.byteVariables[11] = 1;
    keys({'J'});
    EXPECT_TRUE(askYesNo(engine()));
    keys({'B'});
    EXPECT_EQ(askChoice(engine(), "AB"), 2);
    EXPECT_EQ(scrollbackText(engine()), "");
    EXPECT_FALSE(engine().output.atParagraphStart);
}

TEST_F(QuestionTest, TheEchoEndsTheParagraphWithTheStorysBlankLine) {
    engine().world.byteVariables[17] = 1; // a blank line between paragraphs
    outputText(engine(), "Frage ");
    keys({'N'});
    askYesNo(engine());
    outputText(engine(), "Weiter.");
    EXPECT_EQ(scrollbackText(engine()), "Frage Nein.\n\nWeiter.");
}

// --- Letter choice -----------------------------------------------------------

TEST_F(QuestionTest, ChoiceReturnsThePositionAndEchoesTheKey) {
    const std::string letters = utf8ToCp1252("AWÜU");
    keys({'W'});
    EXPECT_EQ(askChoice(engine(), letters), 2);
    keys({kCapitalUUmlaut});
    EXPECT_EQ(askChoice(engine(), letters), 3);
    keys({'U'});
    EXPECT_EQ(askChoice(engine(), letters), 4);
    keys({'a'});
    EXPECT_EQ(askChoice(engine(), letters), 1);
    EXPECT_EQ(screenLine(1), "\x03W\x01");
    EXPECT_EQ(screenLine(2), "\x03\xDC\x01");
    EXPECT_EQ(screenLine(4), "\x03"
                             "A\x01");
    EXPECT_EQ(host().beeps, 0);
}

TEST_F(QuestionTest, SmallUmlautKeyAnswersForItsCapital) {
    keys({kSmallUUmlaut});
    EXPECT_EQ(askChoice(engine(), utf8ToCp1252("AWÜU")), 3);
    EXPECT_EQ(scrollbackText(engine()), utf8ToCp1252("Ü\n"));
}

TEST_F(QuestionTest, ChoiceLettersAreUpperCasedAndOthersBeep) {
    keys({'Z', 'q', 0xF6 /* ö */});
    EXPECT_EQ(askChoice(engine(), utf8ToCp1252("jnö")), 3);
    EXPECT_EQ(host().beeps, 2);
    EXPECT_EQ(scrollbackText(engine()), utf8ToCp1252("Ö\n"));
}

TEST_F(QuestionTest, EscapeAtAChoiceEchoesADashAndAnswersZero) {
    keys({'X', kEscape});
    EXPECT_EQ(askChoice(engine(), "ENLZ"), 0);
    EXPECT_EQ(host().beeps, 1);
    EXPECT_EQ(screenLine(1), "\x03-\x01");
    EXPECT_TRUE(engine().output.atParagraphStart);
}

TEST_F(QuestionTest, OnlyTheFirstTwelveLettersCanBeChosen) {
    keys({'M', 'L'});
    EXPECT_EQ(askChoice(engine(), "ABCDEFGHIJKLM"), 12);
    EXPECT_EQ(host().beeps, 1);
}

TEST_F(QuestionTest, ChoiceWithoutLettersWaitsForEscape) {
    keys({'A', 'B', kEscape});
    EXPECT_EQ(askChoice(engine(), ""), 0);
    EXPECT_EQ(host().beeps, 2);
}

} // namespace
} // namespace rux
