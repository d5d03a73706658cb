#include "engine/parser/word_folding.h"

#include "engine/parser/parser_state.h"

namespace rux {

namespace {

constexpr char sharpS = '\xDF';

char foldCapital(char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
    switch (c) {
    case '\xC4': return '\xE4'; // Ä
    case '\xD6': return '\xF6'; // Ö
    case '\xDC': return '\xFC'; // Ü
    default: return c;
    }
}

// After these, "ue" is a "u" and an "e" (feuer, bauer, quelle), not an "ü".
bool keepsUe(char before) {
    switch (before) {
    case 'A':
    case 'E':
    case 'Q':
    case 'a':
    case 'e':
    case 'q':
    case '\xC4':
    case '\xE4': return true;
    default: return false;
    }
}

void foldInto(std::string_view raw, std::string& out, std::size_t limit) {
    auto append = [&out, limit](char c) {
        if (out.size() < limit) out += c;
    };
    char previous = ' ';
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char rawCh = raw[i];
        char ch = foldCapital(rawCh);
        const char next = i + 1 < raw.size() ? foldCapital(raw[i + 1]) : ' ';
        if (ch == sharpS) {
            append('s');
            append('s');
        } else {
            if (next == 'e') {
                if (ch == 'a') {
                    ch = '\xE4';
                    ++i;
                } else if (ch == 'o') {
                    ch = '\xF6';
                    ++i;
                } else if (ch == 'u' && !keepsUe(previous)) {
                    ch = '\xFC';
                    ++i;
                }
            }
            append(ch);
        }
        previous = rawCh;
    }
}

} // namespace

void foldWordInto(std::string_view raw, std::string& out) {
    foldInto(raw, out, wordLength);
}

void foldWholeWordInto(std::string_view raw, std::string& out) {
    foldInto(raw, out, std::string::npos);
}

} // namespace rux
