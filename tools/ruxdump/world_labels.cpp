#include "tools/ruxdump/world_labels.h"

#include "tools/ruxdump/dump_layout.h"

#include <array>
#include <vector>

namespace ruxdump {

namespace {

std::string numbered(int n, std::string_view name) {
    return std::to_string(n) + " " + std::string(name);
}

std::string nameOrPlaceholder(std::string_view cp1252) {
    return cp1252.empty() ? "(no name)" : shown(cp1252);
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string out;
    for (const std::string& part : parts) {
        if (!out.empty()) out += separator;
        out += part;
    }
    return out;
}

} // namespace

std::string objectLabel(const rux::World& world, int n) {
    switch (n) {
    case 0: return "0 (none)";
    case 250: return "250 (player, first person)";
    case 251: return "251 (player, second person)";
    case 252: return "252 (quoted text)";
    case 253: return "253 (typed number)";
    case 254:
    case 255: return numbered(n, "(alles)");
    default: break;
    }
    if (n < 0 || n > world.storyObjects()) return numbered(n, "(no such object)");
    return numbered(n, nameOrPlaceholder(world.objects[n].name));
}

std::string roomLabel(const rux::World& world, int id) {
    if (id == 0) return "0 (none)";
    const rux::RoomRecord* room =
        id > 0 && id < 256 ? world.findRoom(static_cast<uint8_t>(id)) : nullptr;
    if (!room) return numbered(id, "(no such room)");
    return numbered(id, nameOrPlaceholder(room->name));
}

std::string actionLabel(const rux::World& world, int id) {
    if (id == 0) return "0 (none)";
    const rux::ActionRecord* action =
        id > 0 && id < 256 ? world.findAction(static_cast<uint8_t>(id)) : nullptr;
    if (!action) return numbered(id, "(no such action)");
    return numbered(id, nameOrPlaceholder(action->name));
}

std::string textPreview(std::string_view cp1252, std::size_t width) {
    std::string flat(cp1252);
    for (char& c : flat)
        if (c == '\n') c = ' ';
    std::string preview = "\"";
    preview += clipped(shown(flat), width);
    preview += '"';
    return preview;
}

std::string textRefLabel(const TextIndex& texts, rux::TextRef ref) {
    if (ref.variant == 0) return "none";
    const std::string where = std::to_string(ref.mark) + "/" + std::to_string(ref.variant);
    if (!texts.hasMark(ref.mark)) return where + " (mark missing)";
    const auto& variants = texts.variants(ref.mark);
    if (ref.variant > variants.size()) return where + " (no such text)";
    return where + " " + textPreview(variants[ref.variant - 1]);
}

std::string shownTextLabel(const rux::World& world, const TextIndex& texts, rux::TextRef ref) {
    if (ref.mark != 0 || ref.variant == 0) return textRefLabel(texts, ref);
    const std::string label = "text routine " + std::to_string(ref.variant);
    const rux::NumberedCode* routine = world.findTextRoutine(ref.variant);
    return routine && routine->script.length != 0 ? label : label + " (missing)";
}

std::string genderName(uint8_t gender) {
    static constexpr std::array<std::string_view, 4> names = {"plural", "masculine", "feminine",
                                                              "neuter"};
    return gender < names.size() ? std::string(names[gender]) : "gender " + std::to_string(gender);
}

std::string articleKindName(uint8_t kind) {
    static constexpr std::array<std::string_view, 6> names = {
        "ein/der", "no article", "none/der", "etwas, einige/der", "der/der", "mein/der"};
    const std::string number = "article " + std::to_string(kind);
    return kind < names.size() ? number + " (" + std::string(names[kind]) + ")" : number;
}

std::string locationLabel(const rux::World& world, const rux::ObjectRecord& object) {
    const int h = object.holder;
    switch (object.relation) {
    case 0: return h == 0 ? "carried by the player" : "in room " + roomLabel(world, h);
    case 1: return h == 0 ? "worn by the player" : "worn by " + objectLabel(world, h);
    case 2: return "in " + objectLabel(world, h);
    case 3: return "on " + objectLabel(world, h);
    case 4: return "attached to " + objectLabel(world, h);
    case 5: return "hidden under " + objectLabel(world, h);
    case 6: return "hidden behind " + objectLabel(world, h);
    default: return "relation " + std::to_string(object.relation) + " to " + objectLabel(world, h);
    }
}

std::string stateLabel(const rux::World& world, uint8_t state) {
    const std::string_view named = world.nthStateName(state);
    if (!named.empty()) return numbered(state, shown(named));
    static constexpr std::array<std::string_view, 7> library = {
        "", "", "(open)", "(closed)", "(locked)", "(switched on)", "(switched off)"};
    if (state < library.size() && !library[state].empty()) return numbered(state, library[state]);
    return std::to_string(state);
}

std::string exitLabel(const rux::World& world, const TextIndex& texts, uint8_t exit) {
    const rux::HeaderCounts& c = world.counts;
    if (exit <= c.roomCount) return "room " + roomLabel(world, exit);
    if (exit <= c.exitMessageCount) {
        const rux::NumberedText* message = world.findExitMessage(exit);
        const std::string label = "exit message " + std::to_string(exit);
        return message ? label + ": " + textRefLabel(texts, message->text) : label + " (missing)";
    }
    if (exit <= c.exitRoutineCount) {
        const std::string label = "exit routine " + std::to_string(exit);
        const rux::NumberedCode* routine = world.findExitRoutine(exit);
        if (!routine) return label + " (missing)";
        return routine->script.length == 0 ? label + " (empty)" : label;
    }
    return std::to_string(exit) + " (beyond the exit routines)";
}

std::string directionLabel(const rux::World& world, int d) {
    if (d >= 1 && d <= rux::directionNameCount) {
        const rux::DirectionName& name = world.directionNames[d];
        if (!name.longName.empty()) return shown(name.longName);
        if (!name.shortName.empty()) return shown(name.shortName);
    }
    return "direction " + std::to_string(d);
}

std::string maskLabel(uint8_t mask) {
    static constexpr std::array<std::string_view, 6> slots = {"first",     "second",  "mit",
                                                              "direction", "prepAcc", "prepDat"};
    std::vector<std::string> names;
    for (std::size_t bit = 0; bit < slots.size(); ++bit)
        if (mask & (1u << bit)) names.emplace_back(slots[bit]);
    if (mask & 0xC0) names.push_back("bits " + std::to_string(mask & 0xC0));
    if (names.empty()) return "0 (none)";
    if (mask == 63) return "63 (all)";
    return std::to_string(mask) + " (" + joined(names, ", ") + ")";
}

std::string slotKindLabel(uint8_t kind) {
    if (kind >= 250) return std::to_string(kind) + " (only " + std::to_string(kind) + ")";
    static constexpr std::array<std::string_view, 8> scopes = {
        "reachable",   "carried",      "present",      "anything",
        "not carried", "in/on object", "accepts none", "accepts none"};
    std::string label = std::to_string(kind) + " (" + std::string(scopes[kind & 7]);
    if (kind & 8) label += ", list";
    if (kind & 16) label += ", alles";
    if (kind & 0xE0) label += ", bits " + std::to_string(kind & 0xE0);
    return label + ")";
}

std::string patternWords(const rux::World& world, rux::VerbPattern pattern) {
    std::string words = pattern.verb <= world.verbs.size() && pattern.verb > 0
                            ? shown(world.verb(pattern.verb))
                            : "(verb " + std::to_string(pattern.verb) + ")";
    const int particle = pattern.particle & 63;
    if (particle != 0) {
        const std::string_view word = world.preposition(particle);
        words += ' ';
        words += word.empty() ? "(particle " + std::to_string(particle) + ")" : shown(word);
    }
    return words;
}

std::string patternCondition(uint8_t particle) {
    switch (particle & 0xC0) {
    case 64: return "player is not an object";
    case 128: return "player is the first object";
    case 192: return "player is the second object";
    default: return "";
    }
}

std::string_view objectFlagRole(int flag) {
    static constexpr std::array<std::string_view, 24> roles = {
        "",
        "person",
        "door",
        "",
        "not takeable",
        "never listed",
        "not takeable",
        "light source",
        "can be sat on",
        "can be lain on",
        "player is in it",
        "container",
        "surface",
        "wearable",
        "transparent",
        "key",
        "can be stood on",
        "taken",
        "vehicle",
        "keeps room text",
        "player's support chain",
        "addressable",
        "lockable",
        "seen",
    };
    return flag >= 0 && flag < static_cast<int>(roles.size()) ? roles[flag] : "";
}

std::string_view roomFlagRole(int flag) {
    switch (flag) {
    case 2: return "visited";
    case 3: return "always described in full";
    default: return "";
    }
}

std::string_view byteVariableRole(int number) {
    static constexpr std::array<std::string_view, 36> roles = {
        "",
        "objects last listed",
        "clock minutes",
        "clock hours",
        "most objects carried",
        "most weight carried",
        "largest volume taken",
        "objects carried",
        "weight still free",
        "volume still free",
        "lit",
        "texts suppressed",
        "last text empty",
        "abort flag",
        "parse result",
        "order parse result",
        "not carried out",
        "paragraph style",
        "",
        "room title style",
        "status lines",
        "score messages",
        "status field 1",
        "status field 2",
        "status field 3",
        "description mode",
        "indent width",
        "list style",
        "inventory as sentences",
        "",
        "input word length",
        "narrative person",
        "posture",
        "game-end code",
        "minutes per turn",
        "leading zeros typed",
    };
    return number >= 0 && number < static_cast<int>(roles.size()) ? roles[number] : "";
}

std::string_view longVariableRole(int number) {
    switch (number) {
    case 1: return "turn counter";
    case 2: return "second shadow cell";
    case 3: return "score";
    case 4: return "score base";
    default: return "";
    }
}

std::string_view tailSetRole(int set) {
    switch (set) {
    case 2: return "meta actions";
    case 3: return "every-turn routines";
    case 4: return "objects named in the plural when counted";
    case 5: return "fixed objects in rooms by room flag";
    case 6: return "fixed objects in several rooms";
    default: return "";
    }
}

} // namespace ruxdump
