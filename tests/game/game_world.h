#pragma once
// A small world for the game's tests: two lit rooms joined by a door, a dark
// cellar, things to take, wear and put away, a table and a person. Every
// system message n prints "#n", so the output shows which replies came.

#include <memory>
#include <string>

#include "engine/text/output.h"
#include "engine/world/engine_start.h"
#include "storykit/assembler.h"
#include "tests/support/test_engine.h"

namespace rux::test {

// Object numbers.
inline constexpr uint8_t lamp = 1;
inline constexpr uint8_t box = 2;  // an open container in the hall
inline constexpr uint8_t ball = 3; // in the box
inline constexpr uint8_t stone = 4;
inline constexpr uint8_t door = 5; // between hall and chamber, closed
inline constexpr uint8_t coat = 6; // carried, wearable
inline constexpr uint8_t coinA = 7;
inline constexpr uint8_t coinB = 8;
inline constexpr uint8_t table = 9; // fixed surface
inline constexpr uint8_t hans = 10; // fixed person
inline constexpr uint8_t chair = 11; // fixed, can be sat on
inline constexpr uint8_t coinClass = 12; // what the coins are made from

// Rooms and directions.
inline constexpr uint8_t hall = 1;
inline constexpr uint8_t chamber = 2;
inline constexpr uint8_t cellar = 3;
inline constexpr uint8_t north = 1;
inline constexpr uint8_t south = 2;
inline constexpr uint8_t down = 3;

inline storykit::Story gameStory() {
    using namespace storykit;
    Story s;
    std::vector<std::string> messages(230);
    for (std::size_t n = 1; n <= messages.size(); ++n)
        messages[n - 1] = "#" + std::to_string(n);
    messages[112] = "Hier: /l0.";        // 113
    messages[117] = "Auch hier: /l0.";   // 118
    messages[121] = "Du hast nichts.";   // 122
    messages[122] = "Du hast /l1.";      // 123
    messages[123] = "Du tr\xE4gst /l1."; // 124
    s.setText(0, messages);
    s.setText(1, {"Eine hohe Halle.", "Eine enge Kammer.", "Hans steht hier.",
                  "Die Lampe leuchtet hier."});
    s.directionCount = 3;

    auto object = [](std::string name, uint8_t gender, uint8_t holder, uint8_t relation) {
        StoryObject o;
        o.name = std::move(name);
        o.gender = gender;
        o.holder = holder;
        o.relation = relation;
        return o;
    };
    StoryObject l = object("Lampe", 2, hall, 0);
    l.weight = 2;
    l.volume = 2;
    s.addObject(l);
    StoryObject b = object("Kiste", 2, hall, 0);
    b.state = 2;
    b.weight = 5;
    b.volume = 10;
    b.spaceLeft = 8;
    s.addObject(b);
    StoryObject ba = object("Ball", 1, box, 2);
    ba.weight = 1;
    ba.volume = 2;
    s.addObject(ba);
    StoryObject st = object("Stein", 1, hall, 0);
    st.weight = 10;
    st.volume = 1;
    s.addObject(st);
    StoryObject d = object("T\xFCr", 2, hall, 0);
    d.state = 3;
    d.target = chamber;
    s.addObject(d);
    s.addObject(object("Mantel", 1, 0, 0));
    StoryObject coin = object("M\xFCnze", 2, 0, 0);
    coin.base = coinClass;
    s.addObject(coin);
    s.addObject(coin);
    s.addObject(object("Tisch", 1, hall, 0), Story::ObjectKind::Fixed);
    s.addObject(object("Hans", 1, hall, 0), Story::ObjectKind::Fixed);
    s.addObject(object("Stuhl", 1, hall, 0), Story::ObjectKind::Fixed);
    StoryObject coins = object("M\xFCnze", 2, 0, 0);
    coins.pluralName = "M\xFCnzen";
    s.addObject(coins, Story::ObjectKind::Extra);

    StoryRoom h;
    h.name = "Halle";
    h.exits = {chamber, 0, cellar};
    h.description = {1, 1};
    s.addRoom(h);
    StoryRoom c;
    c.name = "Kammer";
    c.exits = {0, hall, 0};
    c.description = {1, 2};
    s.addRoom(c);
    StoryRoom k;
    k.name = "Keller";
    k.exits = {0, 0, 0};
    s.addRoom(k);

    // Flags: 1 person, 2 door, 4 fixed, 8 sit, 11 container, 12 surface,
    // 13 wearable, 15 key, 22 lockable; room flag 1 dark.
    s.objectFlags.resize(23);
    s.objectFlags[0] = {hans};
    s.objectFlags[1] = {door};
    s.objectFlags[3] = {table, chair};
    s.objectFlags[7] = {chair};
    s.objectFlags[10] = {box};
    s.objectFlags[11] = {table};
    s.objectFlags[12] = {coat};
    s.objectFlags[21] = {door};
    s.roomFlags = {{cellar}, {}, {}};
    for (int i = 1; i <= 54; ++i)
        s.addAction({});
    s.tailSets[1] = {8, 10, 11, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50};
    // Carrying capacity: byte variables 4 (items), 5 (weight), 6 (volume).
    s.byteVariables.assign(40, 0);
    return s;
}

// The world loaded and started, with helpers to act in it.
struct GameWorld {
    std::unique_ptr<TestEngine> test;
    explicit GameWorld(const storykit::Story& story = gameStory()) : test(loadTestStory(story)) {
        startGame(engine());
    }

    Engine& engine() { return **test; }
    World& world() { return test->world(); }
    ScriptedHost& host() { return test->host; }
    ObjectRecord& object(uint8_t n) { return world().objects[n]; }
    uint8_t& byteVar(int n) { return world().byteVariables[n]; }

    // What the engine printed while `step` ran.
    template <typename Step> std::string printed(Step step) {
        const std::string before = scrollbackText(engine());
        step();
        const std::string after = scrollbackText(engine());
        return after.size() >= before.size() ? after.substr(before.size()) : after;
    }
};

}  // namespace rux::test
