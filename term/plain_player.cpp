#include "term/plain_player.h"

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/text/codepage.h"
#include "engine/text/output.h"
#include "engine/text/output_layout.h"
#include "term/game_session.h"
#include "term/plain_host.h"

#include <memory>
#include <ostream>

namespace rux::term {

namespace {

constexpr int kExitFailure = 1;

void playCommands(Engine& engine, PlainHost& host) {
    while (!host.quitAsked() && !quitRequested(engine)) {
        const std::optional<std::string> line = host.nextLine();
        if (!line) break;
        const std::string command = commandFromUtf8(*line);
        if (!command.empty()) enterCommand(engine, command);
    }
    const std::string rest = visibleText(currentDisplayLine(engine));
    if (!rest.empty()) host.writeLine(rest);
}

} // namespace

int runPlainPlayer(const PlayerOptions& options, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    PlainHost host(in, out, err);
    auto engine = std::make_unique<Engine>(host); // large: the world's areas
    try {
        initialiseEngine(*engine, options.seed);
        OutputLayout layout;
        layout.wrapWidth = options.width; // every character one unit wide
        setLayout(*engine, layout);
        if (!storyNamed(*engine, options.arguments)) return kExitFailure;
        loadNamedStory(*engine);
        playCommands(*engine, host);
    } catch (const FatalError& error) {
        out.flush();
        err << cp1252ToUtf8(error.what()) << '\n';
        return kExitFailure;
    }
    out.flush();
    return out ? 0 : kExitFailure;
}

} // namespace rux::term
