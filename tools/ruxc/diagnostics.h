#pragma once
// Errors found while compiling a story, each tied to a place in a source
// file. Compiling goes on after an error so that one run reports them all.

#include <ostream>
#include <string>
#include <vector>

namespace ruxc {

struct SourcePlace {
    std::string file;
    int line = 0;
    int column = 0;
};

struct Diagnostic {
    SourcePlace place;
    std::string message; // UTF-8
};

class Diagnostics {
  public:
    void error(const SourcePlace& place, std::string message) {
        errors_.push_back({place, std::move(message)});
    }
    bool empty() const { return errors_.empty(); }
    const std::vector<Diagnostic>& errors() const { return errors_; }

    // One line per error: "file:line:column: error: message".
    void print(std::ostream& out) const {
        for (const Diagnostic& d : errors_)
            out << d.place.file << ':' << d.place.line << ':' << d.place.column
                << ": error: " << d.message << '\n';
    }

  private:
    std::vector<Diagnostic> errors_;
};

} // namespace ruxc
