#include "tools/ruxdump/story_file.h"

#include "engine/text/codepage.h"
#include "engine/world/load_messages.h"
#include "engine/world/loader.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace ruxdump {

rux::World readStoryFile(const std::string& path) {
    // The engine's messages are Windows-1252; the name goes in converted so
    // that the whole message converts back to UTF-8 in one piece.
    const std::string nameInMessages = rux::utf8ToCp1252(path);
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        throw rux::FatalError(rux::loadMessages::cannotOpen(nameInMessages));
    std::ifstream file(path, std::ios::binary);
    if (!file) throw rux::FatalError(rux::loadMessages::cannotOpen(nameInMessages));
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    if (file.bad()) throw rux::FatalError(rux::loadMessages::cannotOpen(nameInMessages));
    return rux::parseStory(bytes, nameInMessages);
}

void reportLoadFailure(const rux::FatalError& error, std::ostream& out, std::ostream& err) {
    const std::string text = rux::cp1252ToUtf8(error.what());
    if (error.report() == rux::FatalError::Report::ConsoleLines)
        out << text << '\n';
    else
        err << "ruxdump: " << text << '\n';
}

} // namespace ruxdump
