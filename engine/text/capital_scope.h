#pragma once
// Capitalising a text that may begin with markup: while a scope is open,
// the first letter the text produces reaches the output as a capital,
// whichever code or plain stretch produces it.

namespace rux {

class Engine;

class CapitalScope {
  public:
    explicit CapitalScope(Engine& engine);
    // A text that produced nothing hands the wish back to an enclosing
    // scope that has not seen its first letter either.
    ~CapitalScope();
    CapitalScope(const CapitalScope&) = delete;
    CapitalScope& operator=(const CapitalScope&) = delete;

  private:
    Engine& engine_;
    bool outer_;
};

// Whether the byte is one that shows: style bytes, line ends, spaces and
// soft hyphens come before the first letter without being it.
bool showsAsCharacter(char c);

} // namespace rux
