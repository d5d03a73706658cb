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

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
    // their sizes (none 0), `filtered` the ascending numbers (counted from 0)
    // of the pieces that hold bytes the log leaves out or changes.
    void appendPieces(std::string_view bytes, std::span<const PieceLength> lengths,
                      std::span<const std::size_t> filtered);
    void clear();
    std::string_view text() const { return std::string_view(text_).substr(start_); }

  private:
    // The trimming before a piece, while the log ends at `end`.
    void dropOldestBefore(std::size_t end);
    void compact();

    std::string text_;
    std::size_t start_ = 0; // where the kept text begins; the rest waits for compact()
};

// Copies a few bytes without a call to the library: most pieces are short,
// and for them the call costs more than the copy.
inline void copyBytes(char* to, const char* from, std::size_t count) {
    if (count > 16) {
        std::memcpy(to, from, count);
    } else if (count >= 8) { // two overlapping words
        std::memcpy(to, from, 8);
        std::memcpy(to + count - 8, from + count - 8, 8);
    } else if (count >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + count - 4, from + count - 4, 4);
    } else if (count > 0) { // 1 to 3 bytes: the first, the last and the middle one
        to[0] = from[0];
        to[count - 1] = from[count - 1];
        to[count / 2] = from[count / 2];
    }
}

// The journal's bytes: a buffer that grows and only ever loses bytes at its
// front, with an append that suits short pieces.
class JournalBytes {
  public:
    std::size_t size() const { return size_; }
    std::string_view view() const { return {storage_.data(), size_}; }
    void append(std::string_view piece) {
        if (storage_.size() - size_ < piece.size()) grow(piece.size());
        copyBytes(storage_.data() + size_, piece.data(), piece.size());
        size_ += piece.size();
    }
    void eraseFront(std::size_t count) {
        std::memmove(storage_.data(), storage_.data() + count, size_ - count);
        size_ -= count;
    }
    void clear() { size_ = 0; }

  private:
    void grow(std::size_t needed) {
        storage_.resize(std::max({2 * storage_.size(), size_ + needed, std::size_t{4096}}));
    }

    std::vector<char> storage_; // its size is the capacity
    std::size_t size_ = 0;
};

// The journal of pieces and the two logs it serves.
class OutputLogs {
  public:
    // Logs a piece; empty pieces are not kept.
    void append(std::string_view piece) { append(piece, holdsFilteredByte(piece)); }
    // Logs a piece, told whether it holds bytes the scrollback leaves out or
    // changes (bytes 0 to 5, carriage return): the output sink knows this of
    // most pieces from its own scan.
    void append(std::string_view piece, bool filtered) {
        if (piece.empty()) return;
        if (bytes_.size() >= kCompactionSize) compact();
        if (filtered) filteredPieces_.push_back(lengths_.size());
        bytes_.append(piece);
        lengths_.push_back(static_cast<PieceLength>(piece.size()));
    }
    static bool holdsFilteredByte(std::string_view piece) {
        if (piece.size() == 1) return isFilteredByte(static_cast<unsigned char>(piece[0]));
        return holdsFilteredByteInMany(piece);
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
            visit(bytes_.view().substr(offset, lengths_[i]));
            offset += lengths_[i];
        }
    }

  private:
    // Room for seven logs' worth of pieces beyond the kept ones, so that the
    // move in compact() and the search for the output log's first piece
    // happen once per seven times kLogLimit characters logged.
    static constexpr std::size_t kCompactionSize = 8 * kLogLimit;

    struct PiecePosition {
        std::size_t index;  // into lengths_
        std::size_t offset; // into bytes_
    };
    static bool isFilteredByte(unsigned char c) { return c <= 5 || c == '\r'; }
    static bool holdsFilteredByteInMany(std::string_view piece);
    PiecePosition outputLogFirstPiece() const;
    void updateScrollback() const;
    void compact();

    JournalBytes bytes_;               // the journal: pieces one after another
    std::vector<PieceLength> lengths_; // their sizes
    std::size_t outputLogStart_ = 0;   // the first piece since the output log was emptied
    // The pieces not yet in the scrollback that hold bytes it filters, by
    // number in lengths_, ascending; most pieces hold none.
    mutable std::vector<std::size_t> filteredPieces_;
    // The scrollback is brought up to date on reading, so it changes in
    // const functions too.
    mutable ScrollbackLog scrollback_;
    mutable std::size_t piecesInScrollback_ = 0;
    mutable std::size_t bytesInScrollback_ = 0;
};

} // namespace rux
