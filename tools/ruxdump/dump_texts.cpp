// Every text mark with its texts. Markup stays as written; a line feed
// inside a text is shown as the story file writes it: a "+" at the end of
// the line, the text going on in the next line.

#include "tools/ruxdump/dump_layout.h"
#include "tools/ruxdump/dump_sections.h"
#include "tools/ruxdump/text_marks.h"

#include <string>
#include <vector>

namespace ruxdump {

namespace {

void printText(std::ostream& out, std::size_t variant, std::size_t digits, std::string_view text) {
    const std::string number = std::to_string(variant);
    const std::string indent(4 + digits + 2, ' ');
    out << "    " << std::string(digits - number.size(), ' ') << number << "  ";
    if (text.empty()) {
        out << "(empty)\n";
        return;
    }
    std::size_t from = 0;
    while (true) {
        const std::size_t feed = text.find('\n', from);
        out << shown(text.substr(from, feed == std::string_view::npos ? text.npos : feed - from));
        if (feed == std::string_view::npos) break;
        from = feed + 1;
        out << "+\n";
        if (from < text.size()) out << indent;
    }
    out << '\n';
}

} // namespace

void dumpTexts(const TextIndex& texts, std::ostream& out) {
    int markCount = 0;
    for (int m = 0; m < 256; ++m)
        markCount += texts.hasMark(static_cast<uint8_t>(m)) ? 1 : 0;
    if (markCount == 0) return;
    heading(out, "Texts (" + std::to_string(markCount) + " marks)");
    for (int m = 0; m < 256; ++m) {
        const auto mark = static_cast<uint8_t>(m);
        if (!texts.hasMark(mark)) continue;
        out << "\n[" << m << "]";
        if (mark == 0) out << "  system messages";
        if (const auto same = texts.sameBlockAs(mark)) {
            out << "  same texts as [" << int{*same} << "]\n";
            continue;
        }
        const std::vector<std::string_view>& variants = texts.variants(mark);
        if (variants.empty()) {
            out << "  (no texts)\n";
            continue;
        }
        out << '\n';
        const std::size_t digits = std::to_string(variants.size()).size();
        for (std::size_t v = 0; v < variants.size(); ++v)
            printText(out, v + 1, digits, variants[v]);
    }
}

} // namespace ruxdump
