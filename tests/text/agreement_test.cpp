// German agreement as a story prints it: each text is a text mark printed by
// a routine of its own, so the phrases, verb endings, lists and capitals pass
// through the formatter and the display line exactly as in a game.

#include "engine/script/clock.h"
#include "engine/script/interpreter.h"
#include "engine/text/codepage.h"
#include "engine/text/lists.h"
#include "engine/text/output.h"
#include "storykit/assembler.h"
#include "tests/support/test_engine.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace rux {
namespace {

using storykit::Story;
using storykit::StoryObject;

std::string cp(const char* utf8) {
    return utf8ToCp1252(utf8);
}

// Object numbers of the story below (portables first, then the fixed
// object, then the two classes).
enum : uint8_t {
    hans = 1, // «klein^ Hans», no article
    water,    // «kalt^ Wasser», no indefinite article
    milk,     // «frisch^ Milch», no indefinite article
    farmer,   // «alt^ Bauer~»
    apple1,   // three apples named by their class
    apple2,
    apple3,
    redBall, // two balls with names of their own
    blueBall,
    lamp,       // «Lampe»
    book,       // «Buch»
    dwarfs,     // «Zwerge», plural
    balls,      // fixed: «rot^ Kugel», counted as three
    appleClass, // «rot^ Äpfel~»
    ballClass,  // «Bälle~»
};

StoryObject named(const char* name, uint8_t gender, uint8_t articleKind = 0) {
    StoryObject object;
    object.name = cp(name);
    object.gender = gender;
    object.articleKind = articleKind;
    return object;
}

Story agreementStory() {
    Story s;
    s.addObject(named("klein^ Hans", 1, 1));
    s.addObject(named("kalt^ Wasser", 3, 2));
    s.addObject(named("frisch^ Milch", 2, 2));
    s.addObject(named("alt^ Bauer~", 1));
    for (int i = 0; i < 3; ++i) {
        StoryObject apple = named("rot^ Apfel", 1);
        apple.base = appleClass;
        s.addObject(apple);
    }
    for (const char* colour : {"rot", "blau"}) {
        StoryObject ball = named((std::string(colour) + "^ Ball").c_str(), 1);
        ball.adjectives = {colour};
        ball.base = ballClass;
        s.addObject(ball);
    }
    s.addObject(named("Lampe", 2));
    s.addObject(named("Buch", 3));
    s.addObject(named("Zwerge", 0));
    StoryObject counted = named("rot^ Kugel", 2);
    counted.pluralName = cp("rot^ Kugeln");
    counted.pluralGender = 0;
    counted.target = 3;
    s.addObject(counted, Story::ObjectKind::Fixed);
    StoryObject appleKind = named("rot^ Apfel", 1);
    appleKind.pluralName = cp("rot^ Äpfel~");
    s.addObject(appleKind, Story::ObjectKind::Extra);
    StoryObject ballKind = named("Ball", 1);
    ballKind.pluralName = cp("Bälle~");
    s.addObject(ballKind, Story::ObjectKind::Extra);
    s.byteVariables = std::vector<uint8_t>(40, 0);
    return s;
}

struct Row {
    const char* text;     // the text mark, as the story writes it
    const char* expected; // what a German reader expects to read
    std::function<void(Engine&)> before = {};
};

void listOf(Engine& engine, std::initializer_list<uint8_t> objects, uint8_t style) {
    ObjectSet set;
    for (uint8_t object : objects)
        set.insert(object);
    engine.world.byteVariables[27] = style;
    engine.lists.listedSet.clear();
    listObjects(engine, set, 0);
}

// Prints each row's text mark through a routine in a fresh game.
void expectPrinted(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        Story story = agreementStory();
        story.setText(1, {cp(row.text)});
        story.setText(2, {cp("/vs!04 /q!04N da?")});
        story.messageVariables = {{2, 1}};
        storykit::Assembler print;
        print.print(1, 1);
        story.addRoutine(print.finish());
        auto test = test::loadTestStory(story);
        Engine& engine = **test;
        engine.output.wrapWidth = 10000;
        if (row.before) row.before(engine);
        runRoutine(engine, 1);
        std::string shown = cp1252ToUtf8(scrollbackText(engine));
        while (!shown.empty() && shown.back() == ' ')
            shown.pop_back();
        EXPECT_EQ(shown, row.expected) << row.text;
    }
}

TEST(Agreement, CountedObjectsAreSpokenOfInThePlural) {
    expectPrinted({
        {"/U!0DN /vs!0D hier. Du nimmst /q!0DA. /B!0DN lieg/ve!0D da.",
         "Drei rote Kugeln sind hier. Du nimmst sie. Die drei roten Kugeln liegen da."},
        {"/B!0DN /v(rollt/rollen)!0D.", "Die drei roten Kugeln rollen."},
        {"/B!04N /vs!04 da.", "Der alte Bauer ist da."},
    });
}

TEST(Agreement, PhrasesWithoutArticleTakeTheStrongEndings) {
    expectPrinted({
        {"/b!01N, /b!01A, /b!01D", "kleiner Hans, kleinen Hans, kleinem Hans"},
        {"/u!02N, /u!02D, /u!03D", "kaltes Wasser, kaltem Wasser, frischer Milch"},
        {"/b!02D, /b!03D", "dem kalten Wasser, der frischen Milch"},
        {"/b!04A - Bauer/~.", "den alten Bauern - Bauern."},
        {"/b!04N - Bauer/~.", "der alte Bauer - Bauer."},
        {"/b!04D - Held/~, Junge/~.", "dem alten Bauern - Helden, Jungen."},
    });
}

TEST(Agreement, RegularEndingsReadTheStemOnTheDisplayLine) {
    expectPrinted({
        {"du sitz/ve!FB, du heiß/ve!FB, du arbeit/ve!FB", "du sitzt, du heißt, du arbeitest"},
        {"du lern/ve!FB, du öffn/ve!FB, du geh/ve!FB", "du lernst, du öffnest, du gehst"},
        {"er arbeit/ve!04, er red/ve!04, er öffn/ve!04", "er arbeitet, er redet, er öffnet"},
        {"er atm/ve!04, er rechn/ve!04", "er atmet, er rechnet"},
        {"er wohn/ve!04, er lern/ve!04, er komm/ve!04", "er wohnt, er lernt, er kommt"},
        {"sie wander/ve!0C, sie lächel/ve!0C", "sie wandern, sie lächeln"},
        {"sie wandere/ve!0C, sie geh/ve!0C", "sie wandern, sie gehen"},
        {"ich geh/ve!FA, ich lern/ve!FA", "ich gehe, ich lerne"},
        // a stem written with the "e" of "-ern", "-eln"
        {"sie wandere/ve!0C.", "sie wandern."},
        {"er wandere/ve!04, du lächele/ve!FB, ich wandere/ve!FA",
         "er wandert, du lächelst, ich wandere"},
    });
}

TEST(Agreement, EnumerationsAgreeWithTheirConjunction) {
    const auto lampOrBook = [](Engine& e) { listOf(e, {lamp, book}, listOrBit); };
    const auto lampAndBook = [](Engine& e) { listOf(e, {lamp, book}, 0); };
    const auto lampOrDwarfs = [](Engine& e) { listOf(e, {lamp, dwarfs}, listOrBit); };
    expectPrinted({
        {"/L0 /vs!00 da.", "Eine Lampe oder ein Buch ist da.", lampOrBook},
        {"/L0 /vs!00 da.", "Eine Lampe und ein Buch sind da.", lampAndBook},
        {"/L0 /vs!00 da.", "Eine Lampe oder Zwerge sind da.", lampOrDwarfs},
    });
}

TEST(Agreement, GroupsOfAListTakeTheCaseItIsPrintedIn) {
    const auto apples = [](Engine& e) { listOf(e, {apple1, apple2, apple3}, 0); };
    const auto twoBalls = [](Engine& e) { listOf(e, {redBall, blueBall}, 0); };
    const auto applesAndLamp = [](Engine& e) { listOf(e, {apple1, apple2, apple3, lamp}, 0); };
    expectPrinted({
        {"Du spielst mit /l2.", "Du spielst mit drei roten Äpfeln.", apples},
        {"/L0 /vs!00 hier.", "Drei rote Äpfel sind hier.", apples},
        {"Du nimmst /lA.", "Du nimmst drei rote Äpfel.", apples},
        {"Du spielst mit /l2.",
         "Du spielst mit zwei Bällen (einem roten Ball und einem blauen Ball).", twoBalls},
        {"Du siehst /lA.", "Du siehst zwei Bälle (einen roten Ball und einen blauen Ball).",
         twoBalls},
        {"Mit /l2.", "Mit drei roten Äpfeln und einer Lampe.", applesAndLamp},
    });
}

TEST(Agreement, CapitalsWhereTheTextBeginsWithMarkup) {
    const auto twoBalls = [](Engine& e) { listOf(e, {redBall, blueBall}, 0); };
    expectPrinted({
        {"/S01", "Ist er da?"},
        {"/L0 liegen hier.", "Zwei Bälle (ein roter Ball und ein blauer Ball) liegen hier.",
         twoBalls},
        {"/B!01N lacht.", "Kleiner Hans lacht."},
        {"/U!02N.", "Kaltes Wasser."},
    });
}

TEST(Agreement, TheClockCarriesFully) {
    const auto at = [](int hours, int minutes, int step) {
        return [=](Engine& e) {
            e.world.byteVariables[clockHoursVariable] = static_cast<uint8_t>(hours);
            e.world.byteVariables[clockMinutesVariable] = static_cast<uint8_t>(minutes);
            advanceClock(e, 0, step);
        };
    };
    expectPrinted({
        {"Es ist /!T.", "Es ist 12:30.", at(10, 0, 150)},
        {"Es ist /!T.", "Es ist 10:20.", at(10, 0, 20)},
        {"Es ist /!T.", "Es ist 01:05.", at(22, 50, 135)},
        {"Es ist /!T.", "Es ist 23:45.", at(0, 15, -30)},
    });
}

} // namespace
} // namespace rux
