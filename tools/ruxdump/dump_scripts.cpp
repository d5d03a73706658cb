// The scripts outside objects, rooms and actions that hold code: action
// hooks, routines and text routines.

#include "tools/ruxdump/dump_layout.h"
#include "tools/ruxdump/dump_sections.h"
#include "tools/ruxdump/world_labels.h"

#include <string>
#include <vector>

namespace ruxdump {

namespace {

std::string routineRole(const rux::World& world, uint8_t id) {
    if (id == 1) return "start";
    if (id == 2 || world.tailSets[3].contains(id)) return "every turn";
    return "";
}

void printCodeList(std::ostream& out, std::string_view title,
                   const std::vector<rux::NumberedCode>& list,
                   const rux::World* withRoles = nullptr) {
    Table table(2);
    table.alignRight(0);
    for (const rux::NumberedCode& entry : list) {
        if (entry.script.length == 0) continue;
        table.addRow({std::to_string(entry.id), byteCount(entry.script.length),
                      withRoles ? routineRole(*withRoles, entry.id) : ""});
    }
    if (table.empty()) return;
    heading(out, title);
    table.print(out);
}

} // namespace

void dumpScripts(const rux::World& world, std::ostream& out) {
    Table hooks(2);
    hooks.alignRight(0);
    for (int h = 1; h <= rux::standardActionCount; ++h) {
        const rux::CodeBlock& hook = world.actionHooks[h];
        if (hook.length == 0) continue;
        const rux::ActionRecord* action = world.findAction(static_cast<uint8_t>(h));
        hooks.addRow(
            {std::to_string(h), byteCount(hook.length), action ? shown(action->name) : ""});
    }
    if (!hooks.empty()) {
        heading(out, "Action hooks");
        hooks.print(out);
    }
    printCodeList(out, "Routines", world.routines, &world);
    printCodeList(out, "Text routines", world.textRoutines);
}

} // namespace ruxdump
