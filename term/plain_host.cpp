#include "term/plain_host.h"

#include "engine/text/codepage.h"
#include "term/game_session.h"

#include <istream>
#include <ostream>

namespace rux::term {

namespace {

constexpr int kEscape = 27;

// Longer input lines are cut here already, so that a file without line
// ends cannot fill the memory.
constexpr std::size_t kMaxInputLine = 4 * kMaxCommandLength;

} // namespace

std::optional<std::string> PlainHost::nextLine() {
    out_.flush(); // whoever drives the player sees everything before it answers
    std::string line;
    bool any = false;
    for (int c; (c = in_.get()) != std::char_traits<char>::eof();) {
        any = true;
        if (c == '\n') break;
        if (line.size() < kMaxInputLine) line.push_back(static_cast<char>(c));
    }
    if (!any) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

void PlainHost::writeLine(std::string_view line) {
    out_ << cp1252ToUtf8(visibleText(line)) << '\n';
}

// The first character of the next non-empty line is the key; the engine
// upper-cases it and asks again (reading on) when the key is not allowed.
int PlainHost::readKey() {
    for (;;) {
        const std::optional<std::string> line = nextLine();
        if (!line) return kEscape;
        const std::string answer = utf8ToCp1252(*line);
        if (!answer.empty()) return static_cast<unsigned char>(answer[0]);
    }
}

// The name goes to the file system as typed: there it names a file, it is
// not text for the screen.
std::optional<std::string> PlainHost::chooseFile(FileChoice /*kind*/,
                                                 const std::string& /*suggested*/) {
    std::optional<std::string> name = nextLine();
    if (!name || name->empty()) return std::nullopt;
    return name;
}

void PlainHost::showMessage(const std::string& text) {
    out_.flush();
    err_ << cp1252ToUtf8(text) << '\n';
    err_.flush();
}

// A text box has no window here: its lines are printed like text, without
// their alignment marks.
void PlainHost::showTextBox(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const bool marked = !line.empty() && (line[0] == '<' || line[0] == '.' || line[0] == '>');
        writeLine(marked ? std::string_view(line).substr(1) : std::string_view(line));
    }
}

} // namespace rux::term
