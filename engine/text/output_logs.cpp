#include "engine/text/output_logs.h"

namespace rux {

void ScrollbackLog::append(std::string_view piece) {
    if (piece.empty()) return;
    dropOldest();
    // Runs of ordinary bytes are copied whole; the style switches and the
    // invisible marker byte (0 to 5) are left out, a carriage return ends a
    // line like a line feed.
    unsigned special = 0; // a loop without early exit, so that it vectorises
    for (char c : piece)
        special |= static_cast<unsigned>(static_cast<unsigned char>(c) <= 5) | (c == '\r');
    if (special == 0) {
        text_.append(piece);
        return;
    }
    const std::size_t size = piece.size();
    std::size_t i = 0;
    while (i < size) {
        std::size_t end = i;
        while (end<size&& static_cast<unsigned char>(piece[end])> 5 && piece[end] != '\r')
            ++end;
        text_.append(piece, i, end - i);
        if (end < size && piece[end] == '\r') text_.push_back('\n');
        i = end + 1;
    }
}

void ScrollbackLog::clear() {
    text_.clear();
    start_ = 0;
}

// Whole lines go first; an open line that alone exceeds the limit loses its
// oldest characters, so a story that never ends a line cannot grow the log
// without bound.
void ScrollbackLog::dropOldest() {
    while (text_.size() - start_ > kLogLimit) {
        const std::size_t lineFeed = text_.find('\n', start_);
        start_ = lineFeed == std::string::npos ? text_.size() - kLogLimit : lineFeed + 1;
    }
    if (start_ >= kLogLimit) {
        text_.erase(0, start_);
        start_ = 0;
    }
}

void OutputLog::append(std::string_view piece) {
    if (piece.empty()) return;
    while (characterCount() > kLogLimit && firstPiece_ < lengths_.size())
        start_ += lengths_[firstPiece_++];
    if (start_ >= kLogLimit) {
        bytes_.erase(0, start_);
        start_ = 0;
        lengths_.erase(lengths_.begin(),
                       lengths_.begin() + static_cast<std::ptrdiff_t>(firstPiece_));
        firstPiece_ = 0;
    }
    bytes_.append(piece);
    lengths_.push_back(piece.size());
}

void OutputLog::clear() {
    bytes_.clear();
    start_ = 0;
    lengths_.clear();
    firstPiece_ = 0;
}

} // namespace rux
