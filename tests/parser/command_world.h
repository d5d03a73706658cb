#pragma once
// A small world for parsing whole commands: one room with three balls, two
// books, a table with an apple on it, a box, a sword, coins and Hans, and a
// few actions. Every system message prints as "<n:phraseText>" so that tests
// see which message came and what it was about.

#include "engine/engine.h"
#include "engine/parser/command_completion.h"
#include "engine/parser/command_steps.h"
#include "engine/parser/parse_error.h"
#include "engine/text/codepage.h"
#include "engine/text/output.h"
#include "storykit/assembler.h"
#include "tests/support/test_engine.h"

#include <memory>
#include <string>

namespace rux::test {

struct CommandWorld {
    // Actions of the story.
    static constexpr uint8_t go = 1, take = 2, takeFrom = 3, goTo = 4, drop = 5, say = 28;
    static constexpr uint8_t eat = 60, put = 61, give = 62, unlock = 63, examine = 64, wash = 65,
                             talk = 66;
    // Prepositions.
    static constexpr uint8_t in = 1, on = 2, under = 3, to = 4, withPrep = 5;

    storykit::Story story;
    uint8_t redBall = 0, blueBall = 0, greenBall = 0, oldBook = 0, newBook = 0, apple = 0,
            sword = 0, coin1 = 0, coin2 = 0, table = 0, box = 0, hans = 0, door = 0;

    // `stones` like portable stones join the room, for worlds with many things.
    explicit CommandWorld(int stones = 0) {
        using storykit::StoryObject;
        using Kind = storykit::Story::ObjectKind;
        story.directionCount = 2;
        story.directionNames[0] = {"n", "norden"};
        story.directionNames[1] = {"s", cp("süden")};
        story.verbs = {"nimm",       "iss",   "lege", "gib", "schliesse",
                       "untersuche", "wasch", "sage", "geh", "sprich"};
        story.prepositions = {"in", "auf", "unter", "zu", "mit"};
        std::vector<std::string> messages(255);
        for (int n = 1; n <= 255; ++n)
            messages[n - 1] = "<" + std::to_string(n) + ":/@>";
        story.setText(0, messages);
        storykit::StoryRoom room;
        room.name = "Raum";
        story.addRoom(room);
        story.addRoom(room);

        redBall = story.addObject(thing("rot^ Ball", 1, {"ball"}, {"rot"}));
        blueBall = story.addObject(thing("blau^ Ball", 1, {"ball"}, {"blau"}));
        greenBall = story.addObject(thing(cp("grün^ Ball"), 1, {"ball"}, {cp("grün")}));
        oldBook = story.addObject(thing("alt^ Buch", 3, {"buch"}, {"alt"}));
        newBook = story.addObject(thing("neu^ Buch", 3, {"buch"}, {"neu"}));
        apple = story.addObject(thing("Apfel", 1, {"apfel"}));
        sword = story.addObject(thing("Schwert", 3, {"schwert"}));
        // Two like coins named only through their group: one candidate.
        StoryObject coin = thing(cp("Münze"), 2, {});
        coin.base = 0;
        coin1 = story.addObject(coin);
        coin2 = story.addObject(coin);
        hans = story.addObject(thing("Hans", 1, {"hans"}));
        for (int i = 0; i < stones; ++i)
            story.addObject(thing("Stein", 1, {"stein"}));
        table = story.addObject(thing("Tisch", 1, {"tisch"}), Kind::Fixed);
        box = story.addObject(thing("Kiste", 2, {"kiste"}), Kind::Fixed);
        door = story.addObject(thing(cp("Tür"), 2, {cp("tür")}), Kind::Fixed);
        StoryObject coins = thing(cp("Münze"), 2, {cp("münze")});
        coins.pluralName = cp("Münzen");
        coins.nouns.push_back({cp("münzen"), 0});
        coins.holder = 0;
        const uint8_t coinClass = story.addObject(coins, Kind::Extra);
        story.objects[coin1 - 1].base = coinClass;
        story.objects[coin2 - 1].base = coinClass;
        story.objects[apple - 1].holder = table;
        story.objects[apple - 1].relation = 3;
        story.objectFlags.resize(20);
        story.objectFlags[0] = {hans};       // persons
        story.objectFlags[3] = {table, box}; // fixed in place

        for (int id = 1; id <= talk; ++id)
            story.addAction({});
        action(go).verbPatterns = {{9, 0}};
        action(go).excludedMask = 0;
        action(take) = slots({{1, 0}}, 1, {1, 0, 0}, {0 | 8 | 16, 0, 0});
        action(drop) = slots({}, 1, {1, 0, 0}, {1 | 8 | 16, 0, 0});
        action(takeFrom) = slots({}, 1 | 16, {1, 16, 0}, {0, 2, 0});
        // Taking reports itself as message 150 (151 out of something) and
        // hands the object to the player.
        action(take).script = takeScript(150);
        action(takeFrom).script = takeScript(151);
        action(say) = slots({{8, 0}}, 1, {1, 0, 0}, {2, 0, 0});
        action(eat) = slots({{2, 0}}, 1, {1, 0, 0}, {1, 0, 0});
        action(put) = slots({{3, 0}}, 1 | 16, {1, 16, 0}, {1 | 8 | 16, 0, 0});
        action(put).acceptedPrepositions = {in, on};
        action(give) = slots({{4, 0}}, 1 | 2, {1, 2, 0}, {1, 2, 0});
        action(give).slotImplicitSet = {0, 1, 0};
        action(unlock) = slots({{5, 0}}, 1 | 4, {1, 4, 0}, {2, 1, 0});
        action(examine) = slots({{6, 0}}, 1, {1, 0, 0}, {2, 0, 0});
        action(wash) = slots({{7, 128}}, 0, {0, 0, 0}, {0, 0, 0});
        action(talk) = slots({{10, 0}}, 32, {32, 0, 0}, {2, 0, 0});
        action(talk).acceptedPrepositions = {withPrep};
        action(talk).slotImplicitSet = {1, 0, 0};
    }

    static std::string cp(const char* utf8) { return utf8ToCp1252(utf8); }

    static storykit::StoryObject thing(std::string name, uint8_t gender,
                                       std::vector<std::string> nouns,
                                       std::vector<std::string> adjectives = {}) {
        storykit::StoryObject o;
        o.name = std::move(name);
        o.gender = gender;
        o.holder = 1;
        for (std::string& noun : nouns)
            o.nouns.push_back({std::move(noun), gender});
        o.adjectives = std::move(adjectives);
        o.weight = 1;
        o.volume = 1;
        return o;
    }

    static storykit::Code takeScript(int message) {
        storykit::Assembler a;
        a.print(0, message).emit("place", {storykit::objectVar(1), 0, storykit::num(0)});
        return a.finish();
    }

    storykit::StoryAction& action(uint8_t id) { return story.actions[id - 1]; }

    static storykit::StoryAction slots(std::vector<VerbPattern> patterns, uint8_t required,
                                       std::array<uint8_t, 3> sources,
                                       std::array<uint8_t, 3> kinds) {
        storykit::StoryAction a;
        a.verbPatterns = std::move(patterns);
        a.requiredMask = required;
        a.excludedMask = 0;
        a.slotSource = sources;
        a.slotKind = kinds;
        return a;
    }

    // Loads the world with the player in room 1.
    std::unique_ptr<TestEngine> load() {
        auto test = loadTestStory(story);
        World& world = test->world();
        world.scene.currentRoom = 1;
        world.selectRoomRecord();
        return test;
    }
};

// The output so far, and then nothing.
inline std::string takeOutput(TestEngine& test) {
    std::string text = scrollbackText(*test);
    return text;
}

} // namespace rux::test
