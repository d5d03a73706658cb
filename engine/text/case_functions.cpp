#include "engine/text/case_functions.h"

#include <cstdint>

namespace rux {

namespace {

constexpr uint8_t smallAe = 0xE4, smallOe = 0xF6, smallUe = 0xFC, sharpS = 0xDF;
constexpr uint8_t capitalAe = 0xC4, capitalOe = 0xD6, capitalUe = 0xDC;

char upper(char ch) {
    const auto c = static_cast<uint8_t>(ch);
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 32);
    if (c == smallAe) return static_cast<char>(capitalAe);
    if (c == smallOe) return static_cast<char>(capitalOe);
    if (c == smallUe) return static_cast<char>(capitalUe);
    return ch;
}

char lower(char ch) {
    const auto c = static_cast<uint8_t>(ch);
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c + 32);
    if (c == capitalAe) return static_cast<char>(smallAe);
    if (c == capitalOe) return static_cast<char>(smallOe);
    if (c == capitalUe) return static_cast<char>(smallUe);
    return ch;
}

} // namespace

char capitalLetter(char c) {
    return upper(c);
}

std::string capitalizeFirst(std::string_view text) {
    std::string out(text);
    if (!out.empty()) out[0] = upper(out[0]);
    return out;
}

std::string upperCaseAll(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (static_cast<uint8_t>(c) == sharpS)
            out += "SS";
        else
            out.push_back(upper(c));
    }
    return out;
}

std::string lowerCaseAll(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = lower(c);
    return out;
}

std::string replaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement) {
    pattern = pattern.substr(0, 12);
    replacement = replacement.substr(0, 12);
    std::string out(text);
    if (pattern.empty()) return out;
    // A replacement that contains the pattern would make a search from the
    // start loop forever; continuing after the inserted text ends it.
    const bool selfContaining = replacement.find(pattern) != std::string_view::npos;
    std::size_t from = 0;
    for (std::size_t at = out.find(pattern); at != std::string::npos;
         at = out.find(pattern, from)) {
        out.replace(at, pattern.size(), replacement);
        from = selfContaining ? at + replacement.size() : 0;
    }
    return out;
}

} // namespace rux
