#pragma once
// Reading and replacing a whole small file, such as a saved game.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace rux {

// Any file there counts, also one this program may not read.
bool fileExists(const std::string& fileName);

struct FileContents {
    enum class Status { Read, CannotOpen, ReadError };
    Status status = Status::CannotOpen;
    // At most the limit asked for; a longer file shows as one byte more.
    std::vector<uint8_t> bytes;
};

// Reads at most `limit` + 1 bytes, so that a file longer than `limit` is
// recognised without reading all of it.
FileContents readFileUpTo(const std::string& fileName, std::size_t limit);

// Writes the bytes to a new file beside the target and renames it over the
// target only once every byte is written and on the disk: a failure leaves
// an existing target as it was. False on any failure.
bool replaceFile(const std::string& fileName, std::span<const uint8_t> bytes);

} // namespace rux
