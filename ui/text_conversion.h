#pragma once
// The window shows Unicode; the engine speaks Windows-1252. These convert at
// the boundary, byte by byte where the painter needs single characters.

#include <QChar>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

namespace rux::ui {

// The Unicode character of one Windows-1252 byte.
QChar unicodeOfByte(uint8_t byte);

QString fromCp1252(std::string_view text);
std::string toCp1252(const QString& text);

} // namespace rux::ui
