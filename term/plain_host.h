#pragma once
// The host of batch mode: commands and answers come line by line from an
// input stream, every finished display line goes to an output stream at
// once, and nothing ever waits for a key.

#include "engine/host.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace rux::term {

class PlainHost : public Host {
  public:
    PlainHost(std::istream& in, std::ostream& out, std::ostream& err)
        : in_(in), out_(out), err_(err) {}

    // The next input line as typed (UTF-8, line end removed, cut to a
    // sane length); none at the end of input.
    std::optional<std::string> nextLine();

    // Writes a display line as the player reads it, UTF-8, with a line feed.
    void writeLine(std::string_view line);

    bool quitAsked() const { return quitAsked_; }

    PagingAnswer pagingPrompt() override { return PagingAnswer::Enter; }
    int readKey() override;
    std::optional<std::string> chooseFile(FileChoice kind, const std::string& suggested) override;
    void showMessage(const std::string& text) override;
    void showTextBox(const std::vector<std::string>& lines) override;
    void lineFinished(std::string_view line) override { writeLine(line); }
    void quit() override { quitAsked_ = true; }

  private:
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    bool quitAsked_ = false;
};

} // namespace rux::term
