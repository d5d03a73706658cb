#include "tools/ruxc/source_text.h"

#include "engine/text/codepage.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace ruxc {

namespace {

// Characters of the bytes 0x80..0x9F that Windows-1252 assigns.
constexpr std::array<char32_t, 32> highRange = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

int windowsByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < highRange.size(); ++i)
        if (highRange[i] != 0 && highRange[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

// Decodes one UTF-8 sequence at `at`; returns its length, 0 if malformed.
int decode(std::string_view s, std::size_t at, char32_t& cp) {
    const auto b0 = static_cast<uint8_t>(s[at]);
    int length = b0 < 0x80 ? 1 : (b0 >> 5) == 6 ? 2 : (b0 >> 4) == 14 ? 3 : (b0 >> 3) == 30 ? 4 : 0;
    if (length == 0 || at + length > s.size()) return 0;
    cp = length == 1 ? b0 : b0 & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto b = static_cast<uint8_t>(s[at + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    return length;
}

} // namespace

std::string sourceToWindows(std::string_view utf8, const std::string& file,
                            Diagnostics& diagnostics) {
    std::string out;
    out.reserve(utf8.size());
    int line = 1;
    int column = 1;
    std::size_t at = 0;
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF") at = 3; // a byte order mark is no text
    while (at < utf8.size()) {
        char32_t cp = 0;
        const int length = decode(utf8, at, cp);
        if (length == 0) {
            diagnostics.error({file, line, column}, "ungültige UTF-8-Bytefolge");
            out.push_back('?');
            ++at;
        } else {
            const int b = windowsByte(cp);
            if (b < 0) {
                char code[16];
                std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
                diagnostics.error({file, line, column},
                                  std::string("das Zeichen ") + code +
                                      " lässt sich in Windows-1252 nicht darstellen");
                out.push_back('?');
            } else {
                out.push_back(static_cast<char>(b));
            }
            at += length;
        }
        if (out.back() == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return out;
}

std::string shownText(std::string_view windowsText) {
    return rux::cp1252ToUtf8(windowsText);
}

} // namespace ruxc
