#include "tools/ruxdump/preview.h"

#include "engine/engine.h"
#include "engine/script/interpreter.h"
#include "engine/text/codepage.h"
#include "engine/text/formatter.h"
#include "engine/text/output.h"
#include "engine/text/output_layout.h"
#include "tools/ruxdump/text_marks.h"

#include <iostream>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ruxdump {

namespace {

std::string withoutControlBytes(std::string_view line) {
    std::string out;
    for (char c : line)
        if (static_cast<uint8_t>(c) >= 32) out.push_back(c);
    return out;
}

// An engine on the given world as the game start leaves it: room 1 current,
// a layout of one unit per character, no paging, finished lines to `out`.
std::unique_ptr<rux::Engine> previewEngine(rux::Host& host, rux::World world,
                                           const PreviewOptions& options, std::ostream& out) {
    auto engine = std::make_unique<rux::Engine>(host);
    engine->world = std::move(world);
    engine->world.scene.currentRoom = 1;
    engine->world.selectRoomRecord();
    rux::OutputLayout layout;
    layout.wrapWidth = options.width;
    rux::setLayout(*engine, layout);
    engine->output.pagingEnabled = false;
    engine->output.transcriptWriter = [&out](std::string_view line) {
        out << rux::cp1252ToUtf8(withoutControlBytes(line)) << '\n';
    };
    return engine;
}

void finish(rux::Engine& engine, std::ostream& out) {
    const std::string last = withoutControlBytes(rux::currentDisplayLine(engine));
    if (!last.empty()) out << rux::cp1252ToUtf8(last) << '\n';
}

// Answers the engine's questions from lines of input.
class LineHost : public rux::Host {
  public:
    LineHost(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

    int readKey() override {
        std::string line;
        if (!std::getline(in_, line)) return 27; // end of input: Escape
        const std::string key = rux::utf8ToCp1252(line);
        return key.empty() ? 13 : static_cast<uint8_t>(key[0]);
    }
    std::optional<std::string> chooseFile(rux::FileChoice, const std::string&) override {
        std::string line;
        if (!std::getline(in_, line) || line.empty()) return std::nullopt;
        return rux::utf8ToCp1252(line);
    }
    void showTextBox(const std::vector<std::string>& lines) override {
        for (const std::string& line : lines)
            out_ << "| " << rux::cp1252ToUtf8(withoutControlBytes(line)) << '\n';
    }
    void diagnosticText(const std::string& line) override {
        std::cerr << rux::cp1252ToUtf8(line) << '\n';
    }

  private:
    std::istream& in_;
    std::ostream& out_;
};

} // namespace

bool previewRoutine(rux::World world, uint8_t routine, const PreviewOptions& options,
                    std::istream& in, std::ostream& out) {
    const bool exists = world.findRoutine(routine) != nullptr;
    LineHost host(in, out);
    auto engine = previewEngine(host, std::move(world), options, out);
    rux::runRoutine(*engine, routine);
    finish(*engine, out);
    return exists;
}

bool previewText(rux::World world, uint8_t mark, uint8_t variant, const PreviewOptions& options,
                 std::ostream& out) {
    const TextIndex index(world);
    const bool exists = index.hasMark(mark);
    const std::size_t count = exists ? index.variants(mark).size() : 0;
    rux::SilentHost host;
    auto engine = previewEngine(host, std::move(world), options, out);
    if (variant != 0 || !exists) {
        rux::printMessage(*engine, mark, variant == 0 ? 1 : variant);
    } else {
        for (std::size_t v = 1; v <= count && v <= 255; ++v) {
            rux::printMessage(*engine, mark, static_cast<uint8_t>(v));
            rux::paragraphBreak(*engine);
        }
    }
    finish(*engine, out);
    return exists;
}

} // namespace ruxdump
