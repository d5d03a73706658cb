#pragma once
// Bounds-checked reading of the primitive encodings of a story file. Every
// read that would pass the end of the file throws a FatalError naming it.

#include <cstdint>
#include <span>
#include <string>

#include "engine/world/world.h"

namespace rux {

// The two string conversions of the format.
std::string decodeScrambled(std::string_view text);
std::string mapHighCharacters(std::string_view text);

class StoryReader {
public:
    StoryReader(std::span<const uint8_t> bytes, std::string fileName)
        : bytes_(bytes), fileName_(std::move(fileName)) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }
    std::size_t position() const { return pos_; }

    uint8_t u8();
    uint16_t u16be();
    int32_t i32le();
    std::string readPlainString();
    std::string readScrambledString();
    // Reads a script into the code area at `codeFill`, advancing and padding it.
    CodeBlock readCode(std::vector<uint8_t>& codeArea, std::size_t& codeFill);
    ObjectSet readSet();
    // Reads one scrambled string and fails with the text-part error unless it is `marker`.
    void expectMarker(std::string_view marker);

private:
    [[noreturn]] void truncated() const;

    std::span<const uint8_t> bytes_;
    std::string fileName_;
    std::size_t pos_ = 0;
};

}  // namespace rux
