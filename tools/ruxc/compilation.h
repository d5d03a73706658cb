#pragma once
// The state of one compile run, shared by its passes: the tokens of every
// source file, the top-level statements found in them, the symbol table
// and the story being built.

#include "storykit/story.h"
#include "tools/ruxc/compiler.h"
#include "tools/ruxc/lexer.h"
#include "tools/ruxc/symbols.h"

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace ruxc {

// Reads the tokens of one top-level statement (a line, or a block up to
// its "end").
class Cursor {
  public:
    Cursor(const std::vector<Token>& tokens, std::size_t begin, std::size_t end)
        : tokens_(&tokens), at_(begin), end_(end) {}

    const Token& peek(std::size_t ahead = 0) const {
        const std::size_t i = at_ + ahead;
        return i < end_ ? (*tokens_)[i] : (*tokens_)[end_ - 1];
    }
    const Token& next() {
        const Token& t = peek();
        if (at_ < end_) ++at_;
        return t;
    }
    bool done() const { return at_ >= end_; }
    bool atLineEnd() const {
        return done() || peek().kind == TokenKind::LineEnd || peek().kind == TokenKind::End;
    }
    bool isWord(const char* word, std::size_t ahead = 0) const {
        const Token& t = peek(ahead);
        return t.kind == TokenKind::Word && t.text == word;
    }
    bool isSymbol(const char* symbol, std::size_t ahead = 0) const {
        const Token& t = peek(ahead);
        return t.kind == TokenKind::Symbol && t.text == symbol;
    }
    bool acceptWord(const char* word) {
        if (!isWord(word)) return false;
        next();
        return true;
    }
    bool acceptSymbol(const char* symbol) {
        if (!isSymbol(symbol)) return false;
        next();
        return true;
    }
    // Moves past the end of the current line.
    void skipLine() {
        while (!done() && peek().kind != TokenKind::LineEnd)
            next();
        if (!done()) next();
    }
    void skipBlankLines() {
        while (!done() && peek().kind == TokenKind::LineEnd)
            next();
    }
    std::size_t position() const { return at_; }
    const std::vector<Token>& tokens() const { return *tokens_; }

  private:
    const std::vector<Token>* tokens_;
    std::size_t at_;
    std::size_t end_;
};

// One top-level statement: its first word and its tokens.
struct Unit {
    std::string keyword;
    int file = 0;
    std::size_t begin = 0; // the keyword's token
    std::size_t end = 0;   // after the statement's last token
};

enum class ObjectKind { Item, Fixture, Class };

struct ObjectDeclaration {
    std::string name;
    ObjectKind kind;
    std::size_t unit;
};

// A reference to an exit message or exit routine, numbered only when all
// rooms have been read.
struct PendingExit {
    int room = 0;      // index into story.rooms
    int direction = 0; // 1-based
    bool isRoutine = false;
    int index = 0; // into exitMessages or exitRoutines
};

class Compilation {
  public:
    Compilation(const SourceLoader& loader, Diagnostics& diagnostics)
        : loader(loader), diagnostics(diagnostics) {}

    const SourceLoader& loader;
    Diagnostics& diagnostics;
    std::deque<std::vector<Token>>
        files; // a deque keeps token lists in place while includes add more
    std::vector<std::string> fileNames;
    std::set<std::string> loadedFiles;
    std::vector<Unit> units;
    SymbolTable symbols;
    rux::storykit::Story story;

    std::vector<ObjectDeclaration> objects; // in number order once numbered
    std::vector<std::string> roomNames;
    std::map<int, std::string> actionNames; // id → symbol name
    std::vector<std::string> verbs;         // folded words, verb list order
    std::vector<PendingExit> pendingExits;
    std::map<int32_t, int> longConstantByValue;
    std::set<int> metaActions;
    std::set<int> everyTurnRoutines;
    std::array<std::vector<uint8_t>, 6> tailSets;
    int actionCount = 0;
    bool hasStartRoutine = false;
    std::map<SymbolKind, int> highest; // highest number declared per kind

    void error(const SourcePlace& place, std::string message) {
        diagnostics.error(place, std::move(message));
    }
    Cursor cursor(const Unit& unit) const { return Cursor(files[unit.file], unit.begin, unit.end); }

    // The verb list number of a folded word, adding it when new.
    int verbNumber(const std::string& word);
    // A long constant holding the value (shared between equal values).
    int longConstant(int32_t value, const SourcePlace& place);

    // Texts: named marks and the pool of inline texts.
    rux::TextRef inlineText(const std::string& text, const SourcePlace& place);
    bool checkText(const std::string& text, const SourcePlace& place);
    void putVariant(int mark, int variant, const std::string& text, const SourcePlace& place);
    int firstPoolMark = 1;
    int poolMark = 0;
    std::map<std::string, rux::TextRef> pooledTexts;
};

// Passes, in order.
void readSources(Compilation& c, const std::string& path);
void declareNames(Compilation& c);
void defineStory(Compilation& c);
void finishStory(Compilation& c);

// Shared helpers of the passes.
std::string foldWord(const std::string& word); // lower case, "ß" as "ss"
bool expectLineEnd(Compilation& c, Cursor& cursor);
// A property line of an object, room or action ends at its line end; one
// whose reading failed (already reported) is skipped.
void endPropertyLine(Compilation& c, Cursor& cursor, bool ok);
bool readName(Compilation& c, Cursor& cursor, std::string& name, const char* what);
bool readNumber(Compilation& c, Cursor& cursor, long long& value, long long low, long long high,
                const char* what);
bool readString(Compilation& c, Cursor& cursor, std::string& text, const char* what);
// A symbol of the wanted kind, by name; reports unknown names and kinds.
const Symbol* lookup(Compilation& c, const Token& token, SymbolKind kind);
// A gender word (m, f, n, pl) → gender class 1, 2, 3, 0; -1 if none.
int genderOf(const std::string& word);

} // namespace ruxc
