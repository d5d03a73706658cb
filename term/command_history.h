#pragma once
// The input line's command history: the last 20 commands, newest first,
// walked with Up and Down; the line being typed when browsing starts comes
// back at the bottom.

#include <array>
#include <optional>
#include <string>

namespace rux::term {

inline constexpr int kHistorySize = 20;

class CommandHistory {
  public:
    // A command was entered: it becomes the newest entry (the oldest of a
    // full history is dropped) and browsing starts again from the bottom.
    void add(const std::string& command);

    // One entry older; `typing` is what the field holds now and is kept
    // when browsing starts. None at the oldest entry.
    std::optional<std::string> older(const std::string& typing);
    // One entry newer, at last the line that was being typed; none at the
    // bottom.
    std::optional<std::string> newer();

    int size() const { return count_; }

  private:
    // Slot 0 holds the line being typed; 1 the newest command.
    std::array<std::string, kHistorySize + 1> slots_;
    int count_ = 0;
    int browsed_ = 0;
};

} // namespace rux::term
