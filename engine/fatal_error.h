#pragma once
// A fatal error unwinds the engine's call chain to the front end, which
// reports it and ends the game. The engine never ends the process itself.

#include <stdexcept>
#include <string>

namespace rux {

class FatalError : public std::runtime_error {
public:
    // How the report reaches the player: a message box, or lines of text on
    // the program's standard output (the text-part format errors).
    enum class Report { MessageBox, ConsoleLines };

    explicit FatalError(const std::string& message, Report report = Report::MessageBox)
        : std::runtime_error(message), report_(report) {}

    Report report() const { return report_; }

private:
    Report report_;
};

}  // namespace rux
