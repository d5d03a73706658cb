// Variables and constants with the values the story starts with; variables
// that start at 0 are left out.

#include "tools/ruxdump/dump_layout.h"
#include "tools/ruxdump/dump_sections.h"
#include "tools/ruxdump/world_labels.h"

#include <array>
#include <string>

namespace ruxdump {

namespace {

// Object and room variables whose low numbers stand for engine cells.
constexpr std::array<std::string_view, 10> objectCells = {
    "",          "object1",      "object2",       "object3",      "addressee", "recentObject",
    "enclosure", "phraseObject", "playerVehicle", "relatedObject"};

std::string withRole(std::string label, std::string_view role) {
    if (role.empty()) return label;
    return label.empty() ? std::string(role) : label + "  (" + std::string(role) + ")";
}

void addRow(Table& table, std::string name, long value, std::string note) {
    table.addRow({std::move(name), std::to_string(value), std::move(note)});
}

void addVariableBlock(const rux::World& world, Table& table) {
    const rux::HeaderCounts& c = world.counts;
    const auto& block = world.variableBlock;
    for (int i = 1; i <= c.objectVariableCount; ++i) {
        const uint8_t v = block[rux::objectVariableBase + i];
        if (v != 0)
            addRow(table, "object " + std::to_string(i), v,
                   withRole(objectLabel(world, v), i < 10 ? objectCells[i] : ""));
    }
    for (int i = 1; i <= c.roomVariableCount; ++i) {
        const uint8_t v = block[rux::roomVariableBase + i];
        const std::string_view role = i == 1 ? "currentRoom" : i == 2 ? "scriptRoom" : "";
        if (v != 0)
            addRow(table, "room " + std::to_string(i), v, withRole(roomLabel(world, v), role));
    }
    for (int j = 1; j <= c.enumVariableCount; ++j) {
        const uint8_t v = block[rux::enumVariableBase + j];
        if (v != 0) addRow(table, "enum " + std::to_string(c.enumCount + j), v, "");
    }
    for (int j = 1; j <= c.smallVariableCount; ++j) {
        const int number = 32 + j;
        const uint8_t v = block[rux::smallVariableBase + number];
        if (v != 0)
            addRow(table, "small " + std::to_string(number), v, number == 33 ? "direction" : "");
    }
    for (int j = 1; j <= c.actionVariableCount; ++j) {
        const uint8_t v = block[rux::actionVariableBase + j];
        if (v != 0)
            addRow(table, "action " + std::to_string(c.actionCount + j), v,
                   withRole(actionLabel(world, v), j == 1 ? "current action" : ""));
    }
}

void addPoints(Table& table, std::string_view name, const std::array<uint8_t, 256>& points) {
    for (int i = 1; i < 256; ++i)
        if (points[i] != 0)
            addRow(table, std::string(name) + " " + std::to_string(i), points[i], "");
}

} // namespace

void dumpVariables(const rux::World& world, std::ostream& out) {
    Table table(2);
    table.alignRight(1);
    // 248..255 are the running script's locals, not story variables.
    for (int i = 1; i < 248; ++i)
        if (world.byteVariables[i] != 0)
            addRow(table, "byte " + std::to_string(i), world.byteVariables[i],
                   std::string(byteVariableRole(i)));
    for (int i = 1; i < 256; ++i)
        if (world.longVariables[i] != 0)
            addRow(table, "long " + std::to_string(i), world.longVariables[i],
                   std::string(longVariableRole(i)));
    for (int i = 1; i <= world.counts.longConstantCount; ++i)
        addRow(table, "constant " + std::to_string(i), world.longConstants[i], "");
    addVariableBlock(world, table);
    addPoints(table, "score slot", world.scoreSlots);
    addPoints(table, "portable points", world.portablePoints);
    addPoints(table, "room points", world.roomPoints);
    if (table.empty()) return;
    heading(out, "Variables and constants (zero values left out)");
    table.print(out);
}

} // namespace ruxdump
