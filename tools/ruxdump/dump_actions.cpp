// Actions with their masks, result-object slots, verb patterns and
// prepositions.

#include "tools/ruxdump/dump_layout.h"
#include "tools/ruxdump/dump_sections.h"
#include "tools/ruxdump/world_labels.h"

#include <algorithm>
#include <string>
#include <vector>

namespace ruxdump {

namespace {

std::string padded(std::string text, std::size_t width) {
    const std::size_t w = displayWidth(text);
    if (w < width) text.append(width - w, ' ');
    return text;
}

void addSlots(const rux::ActionRecord& action, Table& table) {
    for (int i = 1; i <= 3; ++i) {
        const uint8_t source = action.slotSource[i];
        const uint8_t implicitSet = action.slotImplicitSet[i];
        const uint8_t kind = action.slotKind[i];
        if (source == 0 && implicitSet == 0 && kind == 0) continue;
        std::string value = "source " + maskLabel(source) + ", kind " + slotKindLabel(kind);
        if (implicitSet != 0) value += ", implicit from flag " + std::to_string(implicitSet);
        table.addRow({"object" + std::to_string(i), value});
    }
}

void addPatterns(const rux::World& world, const rux::ActionRecord& action, Table& table) {
    std::size_t wordsWidth = 0;
    std::size_t numbersWidth = 0;
    for (const rux::VerbPattern& p : action.verbPatterns) {
        wordsWidth = std::max(wordsWidth, displayWidth(patternWords(world, p)));
        numbersWidth = std::max(numbersWidth, std::to_string(p.verb).size() + 1 +
                                                  std::to_string(p.particle).size());
    }
    bool first = true;
    for (const rux::VerbPattern& p : action.verbPatterns) {
        std::string row = padded(patternWords(world, p), wordsWidth + 2);
        const std::string condition = patternCondition(p.particle);
        const std::string numbers = std::to_string(p.verb) + "/" + std::to_string(p.particle);
        row += condition.empty() ? numbers : padded(numbers, numbersWidth + 2) + condition;
        table.addRow({first ? "patterns" : "", row});
        first = false;
    }
}

void addPrepositions(const rux::World& world, const rux::ActionRecord& action, Table& table) {
    std::vector<std::string> words;
    for (uint8_t p : action.acceptedPrepositions) {
        const std::string_view word = world.preposition(p);
        words.push_back(std::to_string(p) + " " + (word.empty() ? "(none)" : shown(word)));
    }
    bool first = true;
    for (const std::string& line : wrapList(words, blockValueWidth)) {
        table.addRow({first ? "prepositions" : "", line});
        first = false;
    }
}

void printAction(const rux::World& world, const rux::ActionRecord& action, std::ostream& out) {
    const std::string id = std::to_string(action.id);
    out << '\n'
        << std::string(3 - std::min<std::size_t>(3, id.size()), ' ') << id << "  "
        << (action.name.empty() ? "(no name)" : shown(action.name)) << '\n';
    Table table(7);
    table.minWidth(0, blockLabelWidth);
    table.addRow({"masks", "required " + maskLabel(action.requiredMask) + ", excluded " +
                               maskLabel(action.excludedMask)});
    if (action.option != 0) table.addRow({"option", std::to_string(action.option)});
    if (action.secondObjectAction != 0)
        table.addRow({"for object2", actionLabel(world, action.secondObjectAction)});
    if (action.alias != 0) table.addRow({"alias", actionLabel(world, action.alias)});
    addSlots(action, table);
    addPatterns(world, action, table);
    addPrepositions(world, action, table);
    if (action.script.length != 0) table.addRow({"script", byteCount(action.script.length)});
    table.print(out);
}

} // namespace

void dumpActions(const rux::World& world, std::ostream& out) {
    if (world.actions.empty()) return;
    heading(out, "Actions (" + std::to_string(world.actions.size()) + ")");
    for (const rux::ActionRecord& action : world.actions)
        printAction(world, action, out);
}

} // namespace ruxdump
