// Object flags, room flags and the six tail sets, each with its members.

#include "tools/ruxdump/dump_layout.h"
#include "tools/ruxdump/dump_sections.h"
#include "tools/ruxdump/world_labels.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace ruxdump {

namespace {

using MemberLabel = std::function<std::string(int)>;

std::vector<std::string> members(const rux::ObjectSet& set, const MemberLabel& label) {
    std::vector<std::string> out;
    for (int k = 0; k < 256; ++k)
        if (set.contains(static_cast<uint8_t>(k))) out.push_back(label(k));
    return out;
}

// The members' column is what is left of 100 columns after the indent,
// the set number and the widest role.
std::size_t memberWidth(std::size_t roleWidth) {
    const std::size_t used = 2 + 3 + 2 + roleWidth + 2;
    return used < 60 ? 100 - used : 40;
}

// One row per set: its number, its role and the members, wrapped.
void addSetRows(Table& table, int number, std::string_view role, std::size_t roleWidth,
                const rux::ObjectSet& set, const MemberLabel& label) {
    const std::vector<std::string> lines = wrapList(members(set, label), memberWidth(roleWidth));
    for (std::size_t i = 0; i < lines.size(); ++i)
        table.addRow(
            {i == 0 ? std::to_string(number) : "", i == 0 ? std::string(role) : "", lines[i]});
}

void printFlagSets(std::ostream& out, std::string_view title, int count,
                   const std::array<rux::ObjectSet, 256>& sets, std::string_view (*role)(int),
                   const MemberLabel& label) {
    Table table(2);
    table.alignRight(0);
    std::size_t roleWidth = 0;
    for (int k = 1; k <= count; ++k)
        if (!sets[k].empty()) roleWidth = std::max(roleWidth, role(k).size());
    for (int k = 1; k <= count; ++k)
        if (!sets[k].empty()) addSetRows(table, k, role(k), roleWidth, sets[k], label);
    if (table.empty()) return;
    heading(out, title);
    table.print(out);
}

} // namespace

void dumpFlagSets(const rux::World& world, std::ostream& out) {
    printFlagSets(out, "Object flags", world.counts.objectFlagCount, world.objectFlags,
                  objectFlagRole, [&](int n) { return objectLabel(world, n); });
    printFlagSets(out, "Room flags", world.counts.roomFlagCount, world.roomFlags, roomFlagRole,
                  [&](int id) { return roomLabel(world, id); });
}

void dumpTailSets(const rux::World& world, std::ostream& out) {
    Table table(2);
    table.alignRight(0);
    std::size_t roleWidth = 0;
    for (int s = 1; s <= rux::tailSetCount; ++s)
        if (!world.tailSets[s].empty()) roleWidth = std::max(roleWidth, tailSetRole(s).size());
    for (int s = 1; s <= rux::tailSetCount; ++s) {
        MemberLabel label = [&](int n) { return objectLabel(world, n); };
        if (s == 1) label = [](int n) { return std::to_string(n); };
        if (s == 2) label = [&](int n) { return actionLabel(world, n); };
        if (s == 3) label = [](int n) { return "routine " + std::to_string(n); };
        addSetRows(table, s, tailSetRole(s), roleWidth, world.tailSets[s], label);
    }
    if (table.empty()) return;
    heading(out, "Tail sets");
    table.print(out);
}

} // namespace ruxdump
