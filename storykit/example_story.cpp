#include "storykit/example_story.h"

#include "engine/text/codepage.h"

namespace rux::storykit {

namespace {

std::string w(std::string_view utf8) { return utf8ToCp1252(utf8); }

StoryObject thing(std::string name, uint8_t gender, std::vector<std::string> nouns,
                  std::vector<std::string> adjectives = {}) {
    StoryObject o;
    o.name = w(name);
    o.gender = gender;
    for (const std::string& noun : nouns) o.nouns.push_back({w(noun), 0});
    for (const std::string& adjective : adjectives) o.adjectives.push_back(w(adjective));
    return o;
}

}  // namespace

Story exampleStory() {
    Story s;
    s.title = w("Das kleine Haus");
    s.label = w("Ein Beispiel für RUX");
    s.directionCount = 6;
    const char* directions[][2] = {{"n", "norden"}, {"s", "süden"},  {"o", "osten"},
                                   {"w", "westen"}, {"h", "hoch"},   {"r", "runter"}};
    for (int d = 0; d < 6; ++d) s.directionNames[d] = {w(directions[d][0]), w(directions[d][1])};

    s.verbs = {w("nimm"), w("lege"), w("öffne"), w("schließe"), w("untersuche"), w("gehe")};
    s.prepositions = {"in", "auf", "mit", "unter"};
    s.wordList = {"bitte", "danke"};
    s.functionKeys = {w("umsehen"), w("inventar"), w("untersuche"), "", "", "", "", "", "", ""};
    s.stateNames = {"", "", w("geöffnet"), w("geschlossen"), w("verschlossen"), w("eingeschaltet"),
                    w("ausgeschaltet")};
    s.replacementRules = {{1, "x", w("untersuche"), ""}, {2, "ins", "in", "das"}};

    StoryObject ball = thing("Ball", 1, {"Ball"}, {"rot"});
    ball.holder = 1;
    ball.weight = 2;
    ball.volume = 3;
    ball.textSlots[0] = {1, 1};
    s.addObject(ball);
    StoryObject key = thing("Schlüssel", 1, {"Schlüssel"}, {"klein", "golden"});
    key.holder = 2;
    key.weight = 1;
    key.volume = 1;
    key.target = 3;
    key.textSlots[0] = {1, 2};
    key.properties = {{1, 7}};
    s.addObject(key);
    StoryObject chest = thing("Truhe", 2, {"Truhe", "Kiste"}, {"alt"});
    chest.holder = 2;
    chest.state = 4;
    chest.spaceLeft = 10;
    chest.textSlots[0] = {1, 3};
    s.addObject(chest, Story::ObjectKind::Fixed);
    StoryObject lamp = thing("Lampe", 2, {"Lampe"});
    lamp.holder = 1;
    lamp.relation = 3;
    lamp.state = 6;
    s.addObject(lamp, Story::ObjectKind::Fixed);

    StoryRoom hall;
    hall.name = w("Flur");
    hall.exits = {2, 0, 0, 0, 0, 0};
    hall.description = {2, 1};
    s.addRoom(hall);
    StoryRoom study;
    study.name = w("Arbeitszimmer");
    study.exits = {0, 1, 0, 0, 0, 3};
    study.description = {2, 2};
    s.addRoom(study);
    s.exitMessages = {{3, 1}};

    StoryAction take;
    take.name = "nehmen";
    take.requiredMask = 1;
    take.verbPatterns = {{1, 0}};
    take.slotKind = {1, 0, 0};
    s.addAction(take);
    StoryAction open;
    open.name = w("öffnen");
    open.requiredMask = 1;
    open.verbPatterns = {{3, 0}};
    open.acceptedPrepositions = {3};
    s.addAction(open);

    s.addRoutine({255});
    s.byteVariables = std::vector<uint8_t>(40, 0);
    s.byteVariables[33] = 1;  // minutes per turn
    s.longVariables = {0, 0, 0, 0, 0, 100};
    s.longConstants = {1000, -1};
    s.objectVariables = {0, 0, 0};
    s.roomVariables = {1, 0};
    s.objectFlags = {{}, {}, {}, {}, {}, {}, {4}};  // flag 7: gives light
    s.roomFlags = {{}, {1}};                        // room flag 2: visited
    s.byteArrays = {{4, 2, 1}};
    s.messageVariables = {{1, 1}};
    s.display.statusLineCount = 1;
    s.tailSets[1] = {};  // meta actions

    s.setText(0, {w("Wie bitte?"), w("Das verstehe ich nicht.")});
    s.setText(1, {w("Ein roter Ball."), w("Ein kleiner goldener Schlüssel."),
                  w("Eine alte Truhe mit\nschweren Beschlägen.")});
    s.setText(2, {w("Ein schmaler Flur. Nach Norden geht es ins Arbeitszimmer."),
                  w("Bücher überall. Der Flur liegt im Süden.")});
    s.setText(3, {w("Die Treppe ist eingestürzt.")});
    return s;
}

}  // namespace rux::storykit
