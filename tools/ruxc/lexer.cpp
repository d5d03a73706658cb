#include "tools/ruxc/lexer.h"

#include "tools/ruxc/source_text.h"

#include <cstdint>

namespace ruxc {

namespace {

bool isLetter(char c) {
    const auto b = static_cast<uint8_t>(c);
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || c == '_' || b >= 0xC0;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Two-character symbols first; everything else is a one-character symbol.
const char* const pairSymbols[] = {"<>", "<=", ">=", "+=", "-=", "*=", "/=", "%=", ".."};

class Lexer {
  public:
    Lexer(const std::string& text, const std::string& file, Diagnostics& diagnostics)
        : text_(text), file_(file), diagnostics_(diagnostics) {}

    std::vector<Token> run() {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '\n') {
                push(TokenKind::LineEnd, "\n");
                advance();
            } else if (c == ' ' || c == '\t' || c == '\r') {
                advance();
            } else if (c == '#') {
                while (at_ < text_.size() && text_[at_] != '\n')
                    advance();
            } else if (c == '"') {
                string();
            } else if (isDigit(c)) {
                number();
            } else if (isLetter(c)) {
                const SourcePlace place = here();
                std::string word;
                while (at_ < text_.size() && (isLetter(text_[at_]) || isDigit(text_[at_])))
                    word.push_back(advance());
                tokens_.push_back({TokenKind::Word, word, 0, place});
            } else {
                symbol();
            }
        }
        push(TokenKind::LineEnd, "\n");
        push(TokenKind::End, "");
        return std::move(tokens_);
    }

  private:
    SourcePlace here() const { return {file_, line_, column_}; }
    char advance() {
        const char c = text_[at_++];
        if (c == '\n') {
            ++line_;
            column_ = 1;
        } else {
            ++column_;
        }
        return c;
    }
    void push(TokenKind kind, std::string text) {
        tokens_.push_back({kind, std::move(text), 0, here()});
    }

    void number() {
        const SourcePlace place = here();
        long long value = 0;
        bool tooBig = false;
        while (at_ < text_.size() && isDigit(text_[at_])) {
            const int digit = advance() - '0';
            if (!tooBig) value = value * 10 + digit; // stops before it could overflow
            if (value > 0xFFFFFFFFLL) tooBig = true;
        }
        if (at_ < text_.size() && isLetter(text_[at_]))
            diagnostics_.error(here(), "eine Zahl darf nicht unmittelbar in ein Wort übergehen");
        if (tooBig) diagnostics_.error(place, "die Zahl ist zu groß");
        tokens_.push_back({TokenKind::Number, std::to_string(value), tooBig ? 0 : value, place});
    }

    void string() {
        const SourcePlace place = here();
        advance(); // the opening quote
        std::string value;
        while (true) {
            if (at_ >= text_.size()) {
                diagnostics_.error(place, "die Zeichenkette wird nicht geschlossen");
                break;
            }
            const char c = advance();
            if (c == '"') break;
            if (c == '\\' && at_ < text_.size()) {
                const char e = advance();
                if (e == 'n')
                    value.push_back('\n');
                else if (e == '"' || e == '\\')
                    value.push_back(e);
                else
                    diagnostics_.error(here(), std::string("unbekannte Escape-Folge \\") + e);
                continue;
            }
            if (c == '\r') continue;
            value.push_back(c);
            if (c == '\n')
                while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t'))
                    advance();
        }
        tokens_.push_back({TokenKind::String, value, 0, place});
    }

    void symbol() {
        const SourcePlace place = here();
        for (const char* pair : pairSymbols) {
            if (text_.compare(at_, 2, pair) == 0) {
                advance();
                advance();
                tokens_.push_back({TokenKind::Symbol, pair, 0, place});
                return;
            }
        }
        const char c = advance();
        static const std::string single = "=<>+-*/%,:()@;";
        if (single.find(c) == std::string::npos) {
            diagnostics_.error(place,
                               "unerwartetes Zeichen „" + shownText(std::string(1, c)) + "“");
            return;
        }
        tokens_.push_back({TokenKind::Symbol, std::string(1, c), 0, place});
    }

    const std::string& text_;
    const std::string& file_;
    Diagnostics& diagnostics_;
    std::size_t at_ = 0;
    int line_ = 1;
    int column_ = 1;
    std::vector<Token> tokens_;
};

} // namespace

std::vector<Token> tokenize(const std::string& text, const std::string& file,
                            Diagnostics& diagnostics) {
    return Lexer(text, file, diagnostics).run();
}

} // namespace ruxc
