#pragma once
// The two logs the output sink keeps: the readable scrollback of everything
// shown, and the output pieces in order so that the text can be laid out
// again. Both hold a bounded number of characters; the oldest give way.
// Dropped text stays in the string until enough has gathered to make one
// compacting move worthwhile, so appending costs no more than copying.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rux {

inline constexpr std::size_t kLogLimit = 49152;

// Lines joined by line feeds; the last line is open and grows with output.
class ScrollbackLog {
  public:
    // Adds a piece: style and other control bytes 0 to 5 are left out, a line
    // feed or carriage return closes the last line and opens a new one.
    void append(std::string_view piece);
    void clear();
    std::string_view text() const { return std::string_view(text_).substr(start_); }

  private:
    void dropOldest();

    std::string text_;
    std::size_t start_ = 0;
};

// Every piece passed to the sink, in order. Empty pieces are not kept.
class OutputLog {
  public:
    void append(std::string_view piece);
    void clear();
    std::size_t pieceCount() const { return lengths_.size() - firstPiece_; }
    std::size_t characterCount() const { return bytes_.size() - start_; }

    // Calls visit(piece) for each piece, oldest first. The pieces are views
    // into the log: visit must not append to it.
    template <typename Visit> void forEachPiece(Visit&& visit) const {
        std::size_t position = start_;
        for (std::size_t i = firstPiece_; i < lengths_.size(); ++i) {
            visit(std::string_view(bytes_).substr(position, lengths_[i]));
            position += lengths_[i];
        }
    }

  private:
    std::string bytes_;
    std::size_t start_ = 0;
    std::vector<std::size_t> lengths_;
    std::size_t firstPiece_ = 0;
};

} // namespace rux
