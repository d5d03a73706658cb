#include "ui/text_conversion.h"

#include "engine/text/codepage.h"

namespace rux::ui {

QChar unicodeOfByte(uint8_t byte) {
    const char c = static_cast<char>(byte);
    const QString text = QString::fromStdString(cp1252ToUtf8(std::string_view(&c, 1)));
    return text.isEmpty() ? QChar(u'?') : text.front();
}

QString fromCp1252(std::string_view text) {
    return QString::fromStdString(cp1252ToUtf8(text));
}

std::string toCp1252(const QString& text) {
    return utf8ToCp1252(text.toStdString());
}

} // namespace rux::ui
