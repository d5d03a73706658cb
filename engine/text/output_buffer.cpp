#include "engine/engine.h"
#include "engine/text/output.h"

namespace rux {

// Placeholder sink: keeps the text so that scripts can be tested before
// wrapping and paging exist.
void outputText(Engine& engine, std::string_view text) {
    for (char c : text) {
        if (c == 1 || c == 2 || c == 3 || c == 5) continue;
        engine.output.collected.push_back(c);
        if (c == '\n')
            engine.output.currentLine.clear();
        else
            engine.output.currentLine.push_back(c);
    }
}

void paragraphBreak(Engine& engine) { outputText(engine, "\n"); }
void lineBreak(Engine& engine) { outputText(engine, "\n"); }
std::string scrollbackText(const Engine& engine) { return engine.output.collected; }
std::string_view currentDisplayLine(const Engine& engine) { return engine.output.currentLine; }

}  // namespace rux
