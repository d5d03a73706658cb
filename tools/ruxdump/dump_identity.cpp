// Title, label, the header counts by name and the number ranges they imply.

#include "tools/ruxdump/dump_layout.h"
#include "tools/ruxdump/dump_sections.h"

#include <string>
#include <utility>
#include <vector>

namespace ruxdump {

namespace {

using Counts = rux::HeaderCounts;

// The counts in file order, with the names the world model gives them.
const std::pair<const char*, uint8_t Counts::*> namedCounts[] = {
    {"verbCount", &Counts::verbCount},
    {"prepositionCount", &Counts::prepositionCount},
    {"wordListCount", &Counts::wordListCount},
    {"scoreSlotCount", &Counts::scoreSlotCount},
    {"longConstantCount", &Counts::longConstantCount},
    {"roomCount", &Counts::roomCount},
    {"exitMessageCount", &Counts::exitMessageCount},
    {"exitRoutineCount", &Counts::exitRoutineCount},
    {"portableCount", &Counts::portableCount},
    {"fixedCount", &Counts::fixedCount},
    {"actionCount", &Counts::actionCount},
    {"byteVariableCount", &Counts::byteVariableCount},
    {"longVariableCount", &Counts::longVariableCount},
    {"enumCount", &Counts::enumCount},
    {"directionCount", &Counts::directionCount},
    {"objectFlagCount", &Counts::objectFlagCount},
    {"roomFlagCount", &Counts::roomFlagCount},
    {"routineCount", &Counts::routineCount},
    {"extraObjectCount", &Counts::extraObjectCount},
    {"extraRoomCount", &Counts::extraRoomCount},
    {"messageVariableCount", &Counts::messageVariableCount},
    {"objectVariableCount", &Counts::objectVariableCount},
    {"roomVariableCount", &Counts::roomVariableCount},
    {"enumVariableCount", &Counts::enumVariableCount},
    {"smallVariableCount", &Counts::smallVariableCount},
    {"actionVariableCount", &Counts::actionVariableCount},
    {"arrayCount", &Counts::arrayCount},
    {"textRoutineCount", &Counts::textRoutineCount},
    {"actionVariableSkip", &Counts::actionVariableSkip},
};

// Header bytes without a meaning; shown only when a compiler filled them.
const std::pair<const char*, uint8_t Counts::*> spareCounts[] = {
    {"header byte 19", &Counts::unusedHeaderByte19},
    {"header byte 28", &Counts::keptHeaderByte28},
    {"header byte 30", &Counts::unusedHeaderByte30},
    {"header byte 33", &Counts::unusedHeaderByte33},
};

std::string range(int first, int last) {
    if (last < first) return "none";
    if (first == last) return std::to_string(first);
    return std::to_string(first) + "-" + std::to_string(last);
}

std::string padRightTo(std::string text, std::size_t width) {
    const std::size_t w = displayWidth(text);
    if (w < width) text.append(width - w, ' ');
    return text;
}

std::string padLeftTo(const std::string& text, std::size_t width) {
    const std::size_t w = displayWidth(text);
    return (w < width ? std::string(width - w, ' ') : std::string()) + text;
}

void printCounts(const rux::World& world, std::ostream& out) {
    heading(out, "Header counts");
    std::vector<std::string> items;
    for (const auto& [name, field] : namedCounts)
        items.push_back(padRightTo(name, 20) + padLeftTo(std::to_string(world.counts.*field), 4));
    for (const auto& [name, field] : spareCounts)
        if (world.counts.*field != 0)
            items.push_back(padRightTo(name, 20) +
                            padLeftTo(std::to_string(world.counts.*field), 4));
    printGrid(out, items, 2);
    out << "  (exitMessageCount, exitRoutineCount and fixedCount are running totals)\n";
}

void printRanges(const rux::World& world, std::ostream& out) {
    const Counts& c = world.counts;
    Table table(2);
    table.addRow({"objects", range(1, c.portableCount) + " portable",
                  range(c.portableCount + 1, c.fixedCount) + " fixed",
                  range(c.fixedCount + 1, world.storyObjects()) + " extra"});
    table.addRow({"rooms", range(1, c.roomCount) + " numbered",
                  std::to_string(c.extraRoomCount) + " extra"});
    table.addRow({"exit bytes", range(1, c.roomCount) + " rooms",
                  range(c.roomCount + 1, c.exitMessageCount) + " exit messages",
                  range(c.exitMessageCount + 1, c.exitRoutineCount) + " exit routines"});
    heading(out, "Number ranges");
    table.print(out);
}

} // namespace

void dumpIdentity(const rux::World& world, std::ostream& out) {
    Table table(0);
    table.addRow({"Title", shown(world.storyTitle)});
    table.addRow({"Label", shown(world.storyLabel)});
    table.print(out);
    printCounts(world, out);
    printRanges(world, out);
}

} // namespace ruxdump
