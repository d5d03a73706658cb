// Small readers shared by the passes.

#include "tools/ruxc/compilation.h"
#include "tools/ruxc/source_text.h"

#include <cstdint>

namespace ruxc {

const char* kindName(SymbolKind kind) {
    switch (kind) {
    case SymbolKind::Object: return "ein Objekt";
    case SymbolKind::Room: return "ein Raum";
    case SymbolKind::Action: return "eine Aktion";
    case SymbolKind::Routine: return "eine Routine";
    case SymbolKind::TextRoutine: return "eine Textroutine";
    case SymbolKind::ByteVariable: return "eine Byte-Variable";
    case SymbolKind::LongVariable: return "eine Long-Variable";
    case SymbolKind::LongConstant: return "eine Konstante";
    case SymbolKind::ObjectVariable: return "eine Objektvariable";
    case SymbolKind::RoomVariable: return "eine Raumvariable";
    case SymbolKind::MessageVariable: return "eine Meldungsvariable";
    case SymbolKind::ByteArray: return "ein Byte-Feld";
    case SymbolKind::ObjectFlag: return "ein Objekt-Flag";
    case SymbolKind::RoomFlag: return "ein Raum-Flag";
    case SymbolKind::Property: return "eine Eigenschaft";
    case SymbolKind::State: return "ein Zustand";
    case SymbolKind::Direction: return "eine Richtung";
    case SymbolKind::Preposition: return "eine Präposition";
    case SymbolKind::Word: return "ein Wort der Wortliste";
    case SymbolKind::Text: return "ein Text";
    case SymbolKind::Local: return "eine lokale Variable";
    }
    return "ein Name";
}

std::string foldWord(const std::string& word) {
    std::string out;
    for (char ch : word) {
        const auto c = static_cast<uint8_t>(ch);
        if (c >= 'A' && c <= 'Z')
            out.push_back(static_cast<char>(c + 32));
        else if (c == 0xC4 || c == 0xD6 || c == 0xDC)
            out.push_back(static_cast<char>(c + 32));
        else if (c == 0xDF)
            out += "ss";
        else
            out.push_back(ch);
    }
    return out;
}

bool expectLineEnd(Compilation& c, Cursor& cursor) {
    if (cursor.atLineEnd()) {
        cursor.skipLine();
        return true;
    }
    c.error(cursor.peek().place,
            "unerwartetes „" + shownText(cursor.peek().text) + "“ am Ende der Anweisung");
    cursor.skipLine();
    return false;
}

void endPropertyLine(Compilation& c, Cursor& cursor, bool ok) {
    if (ok)
        expectLineEnd(c, cursor);
    else
        cursor.skipLine();
}

bool readName(Compilation& c, Cursor& cursor, std::string& name, const char* what) {
    const Token& t = cursor.peek();
    if (t.kind != TokenKind::Word) {
        c.error(t.place, std::string("hier fehlt ") + what);
        return false;
    }
    name = cursor.next().text;
    return true;
}

bool readNumber(Compilation& c, Cursor& cursor, long long& value, long long low, long long high,
                const char* what) {
    const SourcePlace place = cursor.peek().place;
    const bool negative = cursor.acceptSymbol("-");
    if (cursor.peek().kind != TokenKind::Number) {
        c.error(place, std::string("hier fehlt ") + what + " (eine Zahl)");
        return false;
    }
    // The value is given back only when it is in range: a caller that goes
    // on after the error must not size anything by a wild number.
    const long long read = cursor.next().number * (negative ? -1 : 1);
    if (read < low || read > high) {
        c.error(place, std::string(what) + " muss zwischen " + std::to_string(low) + " und " +
                           std::to_string(high) + " liegen");
        return false;
    }
    value = read;
    return true;
}

bool readString(Compilation& c, Cursor& cursor, std::string& text, const char* what) {
    const Token& t = cursor.peek();
    if (t.kind != TokenKind::String) {
        c.error(t.place, std::string("hier fehlt ") + what + " in Anführungszeichen");
        return false;
    }
    text = cursor.next().text;
    return true;
}

const Symbol* lookup(Compilation& c, const Token& token, SymbolKind kind) {
    if (token.kind != TokenKind::Word) {
        c.error(token.place, std::string("hier fehlt ") + kindName(kind));
        return nullptr;
    }
    const Symbol* symbol = c.symbols.find(token.text);
    if (!symbol) {
        c.error(token.place, "unbekannter Name „" + shownText(token.text) + "“");
        return nullptr;
    }
    if (symbol->kind != kind) {
        c.error(token.place, "„" + shownText(token.text) + "“ ist " + kindName(symbol->kind) +
                                 ", hier wird " + kindName(kind) + " erwartet");
        return nullptr;
    }
    return symbol;
}

int genderOf(const std::string& word) {
    if (word == "pl") return 0;
    if (word == "m") return 1;
    if (word == "f") return 2;
    if (word == "n") return 3;
    return -1;
}

int Compilation::verbNumber(const std::string& word) {
    for (std::size_t i = 0; i < verbs.size(); ++i)
        if (verbs[i] == word) return static_cast<int>(i + 1);
    verbs.push_back(word);
    return static_cast<int>(verbs.size());
}

int Compilation::longConstant(int32_t value, const SourcePlace& place) {
    const auto it = longConstantByValue.find(value);
    if (it != longConstantByValue.end()) return it->second;
    int number = static_cast<int>(story.longConstants.size()) + 1;
    if (number > rux::maxLongConstants) {
        error(place, "mehr als " + std::to_string(rux::maxLongConstants) +
                         " Konstanten (Zahlen außerhalb von 0 bis 255 zählen mit)");
        number = rux::maxLongConstants;
        return number;
    }
    story.longConstants.push_back(value);
    longConstantByValue[value] = number;
    return number;
}

} // namespace ruxc
