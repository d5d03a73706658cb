// Rooms with their exits, then the exit messages and exit routines.

#include "tools/ruxdump/dump_layout.h"
#include "tools/ruxdump/dump_sections.h"
#include "tools/ruxdump/world_labels.h"

#include <algorithm>
#include <string>
#include <vector>

namespace ruxdump {

namespace {

std::string rightAligned(const std::string& text, std::size_t width) {
    return std::string(width - std::min(width, text.size()), ' ') + text;
}

void addExits(const rux::World& world, const TextIndex& texts, const rux::RoomRecord& room,
              Table& table) {
    std::size_t width = 0;
    for (int d = 1; d <= world.counts.directionCount; ++d)
        if (room.exits[d] != 0) width = std::max(width, displayWidth(directionLabel(world, d)));
    bool first = true;
    for (int d = 1; d <= world.counts.directionCount; ++d) {
        if (room.exits[d] == 0) continue;
        std::string direction = directionLabel(world, d);
        direction.append(width - displayWidth(direction) + 2, ' ');
        table.addRow({first ? "exits" : "", direction + exitLabel(world, texts, room.exits[d])});
        first = false;
    }
}

void printRoom(const rux::World& world, const TextIndex& texts, const rux::RoomRecord& room,
               bool extra, std::ostream& out) {
    out << '\n'
        << rightAligned(std::to_string(room.id), 3) << "  "
        << (room.name.empty() ? "(no name)" : shown(room.name)) << (extra ? "  (extra)" : "")
        << '\n';
    Table table(7);
    table.minWidth(0, blockLabelWidth);
    if (room.base != 0) table.addRow({"base", roomLabel(world, room.base)});
    addExits(world, texts, room, table);
    if (room.description.variant != 0)
        table.addRow({"description", shownTextLabel(world, texts, room.description)});
    std::vector<std::string> scripts;
    for (int s = 1; s <= rux::roomScriptCount; ++s)
        if (room.scripts[s].length != 0)
            scripts.push_back(std::to_string(s) + ": " + byteCount(room.scripts[s].length));
    const std::vector<std::string> lines = wrapList(scripts, blockValueWidth);
    for (std::size_t i = 0; i < lines.size(); ++i)
        table.addRow({i == 0 ? "scripts" : "", lines[i]});
    table.print(out);
}

} // namespace

void dumpRooms(const rux::World& world, const TextIndex& texts, std::ostream& out) {
    if (!world.rooms.empty()) {
        heading(out, "Rooms (" + std::to_string(world.rooms.size()) + ")");
        for (std::size_t i = 0; i < world.rooms.size(); ++i)
            printRoom(world, texts, world.rooms[i], i >= world.counts.roomCount, out);
    }
    if (!world.exitMessages.empty()) {
        heading(out, "Exit messages");
        Table table(2);
        table.alignRight(0);
        for (const rux::NumberedText& message : world.exitMessages)
            table.addRow({std::to_string(message.id), textRefLabel(texts, message.text)});
        table.print(out);
    }
    if (!world.exitRoutines.empty()) {
        heading(out, "Exit routines");
        Table table(2);
        table.alignRight(0);
        for (const rux::NumberedCode& routine : world.exitRoutines)
            table.addRow({std::to_string(routine.id), byteCount(routine.script.length)});
        table.print(out);
    }
}

} // namespace ruxdump
