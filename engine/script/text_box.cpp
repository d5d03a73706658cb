#include "engine/script/text_box.h"

#include "engine/engine.h"
#include "engine/text/output.h"
#include "engine/text/paging.h"

#include <string>
#include <string_view>
#include <vector>

namespace rux {

namespace {

std::vector<std::string> boxLines(std::string_view text) {
    std::vector<std::string> lines;
    for (;;) {
        const std::size_t lf = text.find('\n');
        lines.emplace_back(text.substr(0, lf));
        if (lf == std::string_view::npos || lines.size() == maxTextBoxLines) break;
        text.remove_prefix(lf + 1);
    }
    return lines;
}

} // namespace

void showTextBox(Engine& engine, uint8_t mark, uint8_t variant) {
    const World& world = engine.world;
    if (!world.textBlock(mark)) {
        outputText(engine, "[Fehler: Textmarke " + std::to_string(mark) + " nicht gefunden]");
    } else {
        const auto text = variant == 0 ? std::nullopt : world.textVariant(mark, variant);
        if (!text) return;
        engine.host.showTextBox(boxLines(*text));
    }
    startPaging(engine, kPagingPrompt);
}

} // namespace rux
