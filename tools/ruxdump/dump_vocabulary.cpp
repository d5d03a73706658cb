// Word lists, function keys, directions, replacement rules and state names.

#include "tools/ruxdump/dump_layout.h"
#include "tools/ruxdump/dump_sections.h"

#include <string>
#include <vector>

namespace ruxdump {

namespace {

void printWordList(std::ostream& out, std::string_view title,
                   const std::vector<std::string>& words) {
    if (words.empty()) return;
    heading(out, std::string(title) + " (" + std::to_string(words.size()) + ")");
    const std::size_t digits = std::to_string(words.size()).size();
    std::vector<std::string> items;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        items.push_back(std::string(digits - number.size(), ' ') + number + " " +
                        (words[i].empty() ? "(empty)" : shown(words[i])));
    }
    printGrid(out, items, 2);
}

void printFunctionKeys(const rux::World& world, std::ostream& out) {
    Table table(2);
    for (std::size_t k = 0; k < world.functionKeyCommands.size(); ++k)
        if (!world.functionKeyCommands[k].empty())
            table.addRow(
                {std::string("F") + std::to_string(k + 1), shown(world.functionKeyCommands[k])});
    if (table.empty()) return;
    heading(out, "Function keys");
    table.print(out);
}

void printDirections(const rux::World& world, std::ostream& out) {
    Table table(2);
    table.alignRight(0);
    for (int d = 1; d <= rux::directionNameCount; ++d) {
        const rux::DirectionName& name = world.directionNames[d];
        if (name.shortName.empty() && name.longName.empty()) continue;
        table.addRow({std::to_string(d), shown(name.shortName), shown(name.longName),
                      d > world.counts.directionCount ? "(no exits)" : ""});
    }
    if (table.empty()) return;
    heading(out, "Directions (" + std::to_string(world.counts.directionCount) + " with exits)");
    table.print(out);
}

void printReplacementRules(const rux::World& world, std::ostream& out) {
    if (world.replacementRules.empty()) return;
    heading(out, "Replacement rules");
    Table table(2);
    table.addRow({"kind", "match", "first", "second"});
    for (const rux::ReplacementRule& rule : world.replacementRules)
        table.addRow(
            {std::to_string(rule.kind), shown(rule.match), shown(rule.first), shown(rule.second)});
    table.print(out);
}

void printStateNames(const rux::World& world, std::ostream& out) {
    Table table(2);
    table.alignRight(0);
    for (std::size_t k = 0; k < world.stateNames.size(); ++k)
        if (!world.stateNames[k].empty())
            table.addRow({std::to_string(k), shown(world.stateNames[k])});
    if (table.empty()) return;
    heading(out, "State names");
    table.print(out);
}

} // namespace

void dumpVocabulary(const rux::World& world, std::ostream& out) {
    printWordList(out, "Verbs", world.verbs);
    printWordList(out, "Prepositions", world.prepositions);
    printWordList(out, "Word list", world.wordList);
    printFunctionKeys(world, out);
    printDirections(world, out);
    printReplacementRules(world, out);
    printStateNames(world, out);
}

} // namespace ruxdump
