#include "ui/key_codes.h"

#include "ui/text_conversion.h"

#include <Qt>

namespace rux::ui {

std::optional<int> keyQuestionCode(int qtKey, const QString& text) {
    switch (qtKey) {
    case Qt::Key_Escape: return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    default: break;
    }
    // Qt numbers the Latin-1 keys by their capital: A is 65, Ä is 196.
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
    if (qtKey == Qt::Key_Adiaeresis || qtKey == Qt::Key_Odiaeresis || qtKey == Qt::Key_Udiaeresis)
        return qtKey;
    if (text.isEmpty()) return std::nullopt;
    const std::string typed = toCp1252(text.left(1));
    if (typed.empty()) return std::nullopt;
    return static_cast<unsigned char>(typed[0]);
}

} // namespace rux::ui
