#include "term/command_history.h"

namespace rux::term {

void CommandHistory::add(const std::string& command) {
    if (count_ < kHistorySize) ++count_;
    for (int slot = count_; slot > 1; --slot)
        slots_[slot] = std::move(slots_[slot - 1]);
    slots_[1] = command;
    slots_[0].clear();
    browsed_ = 0;
}

std::optional<std::string> CommandHistory::older(const std::string& typing) {
    if (browsed_ >= count_) return std::nullopt;
    if (browsed_ == 0) slots_[0] = typing;
    return slots_[++browsed_];
}

std::optional<std::string> CommandHistory::newer() {
    if (browsed_ == 0) return std::nullopt;
    return slots_[--browsed_];
}

} // namespace rux::term
