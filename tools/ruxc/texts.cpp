// Game texts: checks against what a story file can hold, and the marks and
// variants that inline texts are given.

#include "tools/ruxc/compilation.h"

namespace ruxc {

namespace {
constexpr int lastPoolMark = 253; // 254 and 255 hold conversation texts and footnotes
constexpr int variantsPerMark = 255;
} // namespace

bool Compilation::checkText(const std::string& text, const SourcePlace& place) {
    bool ok = true;
    if (text.size() > 255) {
        error(place, "der Text ist " + std::to_string(text.size()) +
                         " Zeichen lang; mehr als 255 fasst eine Story-Datei nicht");
        ok = false;
    }
    if (text.find('\0') != std::string::npos) {
        error(place, "ein Text darf kein Nullzeichen enthalten");
        ok = false;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line[0] == '[') {
            error(place, "eine Textzeile darf nicht mit „[“ beginnen (dafür gibt es „/(“)");
            ok = false;
        }
        if (end == std::string::npos) {
            if (!line.empty() && line.back() == '+') {
                error(place, "ein Text darf nicht mit „+“ enden");
                ok = false;
            }
            break;
        }
        start = end + 1;
    }
    return ok;
}

rux::TextRef Compilation::inlineText(const std::string& text, const SourcePlace& place) {
    if (!checkText(text, place)) return {1, 1};
    const auto known = pooledTexts.find(text);
    if (known != pooledTexts.end()) return known->second;
    if (poolMark == 0 || story.texts[poolMark].size() >= variantsPerMark) {
        poolMark = poolMark == 0 ? firstPoolMark : poolMark + 1;
        if (poolMark > lastPoolMark) {
            error(place, "zu viele Texte für eine Story-Datei");
            poolMark = lastPoolMark;
            return {1, 1};
        }
    }
    std::vector<std::string>& variants = story.texts[poolMark];
    variants.push_back(text);
    const rux::TextRef ref{static_cast<uint8_t>(poolMark), static_cast<uint8_t>(variants.size())};
    pooledTexts[text] = ref;
    return ref;
}

void Compilation::putVariant(int mark, int variant, const std::string& text,
                             const SourcePlace& place) {
    if (!checkText(text, place)) return;
    std::vector<std::string>& variants = story.texts[mark];
    if (static_cast<int>(variants.size()) < variant) variants.resize(variant);
    variants[variant - 1] = text;
}

} // namespace ruxc
