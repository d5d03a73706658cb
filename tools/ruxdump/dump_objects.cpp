// One block per object read from the story file.

#include "tools/ruxdump/dump_layout.h"
#include "tools/ruxdump/dump_sections.h"
#include "tools/ruxdump/world_labels.h"

#include <algorithm>
#include <string>
#include <vector>

namespace ruxdump {

namespace {

std::string objectKind(const rux::World& world, int n) {
    if (n <= world.counts.portableCount) return "portable";
    if (n <= world.counts.fixedCount) return "fixed";
    return "extra";
}

std::string nounForm(uint8_t form) {
    static constexpr const char* forms[] = {"pl", "m", "f", "n"};
    return form < 4 ? forms[form] : std::to_string(form);
}

// Adds a label with a list of values, wrapped onto further rows when long.
void addListRows(Table& table, const std::string& label, const std::vector<std::string>& items) {
    if (items.empty()) return;
    bool first = true;
    for (const std::string& line : wrapList(items, blockValueWidth)) {
        table.addRow({first ? label : "", line});
        first = false;
    }
}

std::vector<std::string> shownWords(const std::vector<std::string>& words) {
    std::vector<std::string> out;
    for (const std::string& w : words)
        out.push_back(shown(w));
    return out;
}

// The slot number and its use, padded so that the texts line up.
std::string slotName(int slot) {
    static constexpr const char* names[] = {"description",    "room text",   "read text",
                                            "worn items",     "contents in", "contents on",
                                            "attached items", "when inside"};
    std::string name = std::to_string(slot) + " " + names[slot];
    name.resize(18, ' ');
    return name;
}

void addNaming(const rux::World& world, int n, const rux::ObjectRecord& o, Table& table) {
    table.addRow({"gender", genderName(o.gender) + ", " + articleKindName(o.articleKind)});
    if (!o.pluralName.empty())
        table.addRow({"plural", shown(o.pluralName) + ": " + genderName(o.pluralGender) + ", " +
                                    articleKindName(o.pluralArticleKind)});
    if (o.base != 0) table.addRow({"base", objectLabel(world, o.base)});
    if (o.group != 0) {
        const bool inherits = world.inheritedNaming.contains(static_cast<uint8_t>(n));
        table.addRow(
            {"group", objectLabel(world, o.group) + (inherits ? " (names inherited)" : "")});
    }
    std::vector<std::string> nouns;
    for (const rux::WordEntry& noun : o.nouns)
        nouns.push_back(shown(noun.word) + " (" + nounForm(noun.form) + ")");
    addListRows(table, "nouns", nouns);
    addListRows(table, "adjectives", shownWords(o.adjectives));
    addListRows(table, "prefixes", shownWords(o.nounPrefixes));
}

void addState(const rux::World& world, int n, const rux::ObjectRecord& o, Table& table) {
    table.addRow({"location", locationLabel(world, o) + "  [holder " + std::to_string(o.holder) +
                                  ", relation " + std::to_string(o.relation) + "]"});
    if (o.state != 0) table.addRow({"state", stateLabel(world, o.state)});
    std::vector<std::string> measures;
    auto measure = [&](const char* name, uint8_t value) {
        if (value != 0) measures.push_back(std::string(name) + " " + std::to_string(value));
    };
    measure("weight", o.weight);
    measure("volume", o.volume);
    measure("space left", o.spaceLeft);
    measure("target", o.target);
    addListRows(table, "measures", measures);

    std::vector<std::string> properties;
    for (int k = 0; k < o.propertyCount && k < rux::maxObjectProperties; ++k)
        properties.push_back(std::to_string(o.propertyIds[k]) + "=" +
                             std::to_string(o.propertyValues[k]));
    addListRows(table, "properties", properties);

    std::vector<std::string> flags;
    for (int k = 1; k <= world.counts.objectFlagCount; ++k) {
        if (!world.objectFlag(static_cast<uint8_t>(k), static_cast<uint8_t>(n))) continue;
        const std::string_view role = objectFlagRole(k);
        std::string flag = std::to_string(k);
        if (!role.empty()) flag.append(" ").append(role);
        flags.push_back(flag);
    }
    addListRows(table, "flags", flags);
}

// The text of a slot, looked up along the base chain like the engine does
// when the object's own slot is empty. The chain is cut after 255 steps so
// that a cycle of bases cannot hang the dump.
std::string slotText(const rux::World& world, const TextIndex& texts, const rux::ObjectRecord& o,
                     int slot) {
    if (o.textSlots[slot].variant != 0) return shownTextLabel(world, texts, o.textSlots[slot]);
    int base = o.base;
    for (int steps = 0; base != 0 && steps < 255; ++steps) {
        const rux::TextRef ref = world.objects[base].textSlots[slot];
        if (ref.variant != 0)
            return shownTextLabel(world, texts, ref) + "  (from " + objectLabel(world, base) + ")";
        base = world.objects[base].base;
    }
    return "";
}

void addTextsAndScripts(const rux::World& world, const TextIndex& texts, const rux::ObjectRecord& o,
                        Table& table) {
    bool first = true;
    for (int slot = 0; slot < rux::objectTextSlots; ++slot) {
        const std::string text = slotText(world, texts, o, slot);
        if (text.empty()) continue;
        table.addRow({first ? "texts" : "", slotName(slot) + text});
        first = false;
    }
    std::vector<std::string> scripts;
    for (int s = 1; s <= rux::objectScriptCount; ++s)
        if (o.scripts[s].length != 0)
            scripts.push_back(std::to_string(s) + ": " + byteCount(o.scripts[s].length));
    addListRows(table, "scripts", scripts);
}

} // namespace

void dumpObjects(const rux::World& world, const TextIndex& texts, std::ostream& out) {
    const int count = world.storyObjects();
    if (count == 0) return;
    heading(out, "Objects (" + std::to_string(count) + ")");
    for (int n = 1; n <= count; ++n) {
        const rux::ObjectRecord& o = world.objects[n];
        const std::string number = std::to_string(n);
        out << '\n'
            << std::string(3 - std::min<std::size_t>(3, number.size()), ' ') << number << "  "
            << (o.name.empty() ? "(no name)" : shown(o.name)) << "  (" << objectKind(world, n)
            << ")\n";
        Table table(7);
        table.minWidth(0, blockLabelWidth);
        addNaming(world, n, o, table);
        addState(world, n, o, table);
        addTextsAndScripts(world, texts, o, table);
        table.print(out);
    }
}

} // namespace ruxdump
