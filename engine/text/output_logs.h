#pragma once
// The two logs the output sink keeps: the readable scrollback of everything
// shown, and the output log of the pieces in order, so that the text can be
// laid out again. Both hold a bounded number of characters; the oldest give
// way.
//
// Every piece is stored once, in a journal that serves both logs, so that
// logging a piece costs one copy. The output log is the newest part of the
// journal; the scrollback takes the journal's pieces over in batches, when
// it is read or before the journal lets old pieces go. Both come out exactly
// as if every piece had been added to each log as it came.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rux {

inline constexpr std::size_t kLogLimit = 49152;

// The size of one logged piece. Pieces are texts and phrases of a story,
// far below 4 GB; four bytes keep the journal's bookkeeping small.
using PieceLength = uint32_t;

// Lines joined by line feeds; the last line is open and grows with output.
// Adding a piece: first the oldest lines leave until the log holds at most
// kLogLimit characters (an open line that alone exceeds the limit loses its
// oldest characters); then the piece goes in, without the style switches
// and the other bytes 0 to 5, a carriage return becoming a line feed.
class ScrollbackLog {
  public:
    void append(std::string_view piece);
    // Adds pieces in order: `bytes` holds them one after another, `lengths`
    // their sizes (none 0).
    void appendPieces(std::string_view bytes, std::span<const PieceLength> lengths);
    void clear();
    std::string_view text() const { return std::string_view(text_).substr(start_); }

  private:
    void appendUnfiltered(std::string_view bytes, std::span<const PieceLength> lengths);
    // The trimming before a piece, while the log ends at `end`.
    void dropOldestBefore(std::size_t end);
    void compact();

    std::string text_;
    std::size_t start_ = 0; // where the kept text begins; the rest waits for compact()
};

// The journal of pieces and the two logs it serves.
class OutputLogs {
  public:
    // Logs a piece; empty pieces are not kept.
    void append(std::string_view piece) {
        if (piece.empty()) return;
        if (bytes_.size() >= kCompactionSize) compact();
        bytes_.append(piece);
        lengths_.push_back(static_cast<PieceLength>(piece.size()));
    }
    // Empties the output log (there is nothing left to lay out again); the
    // scrollback keeps everything.
    void clearOutputLog() { outputLogStart_ = lengths_.size(); }
    // Empties both logs.
    void clear();

    // The scrollback as one string.
    std::string scrollbackText() const;

    // The output log: the newest piece and before it as many pieces as fit
    // in kLogLimit characters, back to the last clearOutputLog().
    std::size_t outputLogPieces() const { return lengths_.size() - outputLogFirstPiece().index; }
    std::size_t outputLogCharacters() const { return bytes_.size() - outputLogFirstPiece().offset; }
    // Calls visit(piece) for each piece of the output log, oldest first. The
    // pieces are views into the log: visit must not append to it.
    template <typename Visit> void forEachOutputPiece(Visit&& visit) const {
        const PiecePosition first = outputLogFirstPiece();
        std::size_t offset = first.offset;
        for (std::size_t i = first.index; i < lengths_.size(); ++i) {
            visit(std::string_view(bytes_).substr(offset, lengths_[i]));
            offset += lengths_[i];
        }
    }

  private:
    // Room for a log's worth of pieces beyond the kept ones, so that the
    // move in compact() happens once per kLogLimit characters logged.
    static constexpr std::size_t kCompactionSize = 2 * kLogLimit;

    struct PiecePosition {
        std::size_t index;  // into lengths_
        std::size_t offset; // into bytes_
    };
    PiecePosition outputLogFirstPiece() const;
    void updateScrollback() const;
    void compact();

    std::string bytes_;                // the journal: pieces one after another
    std::vector<PieceLength> lengths_; // their sizes
    std::size_t outputLogStart_ = 0;   // the first piece since the output log was emptied
    // The scrollback is brought up to date on reading, so it changes in
    // const functions too.
    mutable ScrollbackLog scrollback_;
    mutable std::size_t piecesInScrollback_ = 0;
    mutable std::size_t bytesInScrollback_ = 0;
};

} // namespace rux
