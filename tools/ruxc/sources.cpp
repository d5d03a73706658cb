// Reading the source files: conversion, tokens, includes, and the split
// into top-level statements.

#include "tools/ruxc/compilation.h"
#include "tools/ruxc/source_text.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace ruxc {

namespace {

const std::set<std::string> blockKeywords = {"item",   "fixture", "class",       "room",
                                             "action", "routine", "textroutine", "hook"};
const std::set<std::string> innerOpeners = {"if",     "while", "for",   "select",
                                            "script", "hook",  "repeat"};

// The index after the "end" that closes the block opened at `begin`.
std::size_t blockEnd(Compilation& c, const std::vector<Token>& tokens, std::size_t begin) {
    int depth = 0;
    std::size_t at = begin;
    bool lineStart = true;
    std::string firstWord;
    while (tokens[at].kind != TokenKind::End) {
        const Token& t = tokens[at];
        if (t.kind == TokenKind::LineEnd) {
            // "exit north do" opens an exit routine's block
            if (firstWord == "exit" && tokens[at - 1].kind == TokenKind::Word &&
                tokens[at - 1].text == "do")
                ++depth;
            firstWord.clear();
            lineStart = true;
            ++at;
            continue;
        }
        if (lineStart && t.kind == TokenKind::Word) {
            firstWord = t.text;
            if (at == begin || innerOpeners.count(t.text)) ++depth;
            if (t.text == "end" || t.text == "until") {
                --depth;
                if (depth == 0) {
                    while (tokens[at].kind != TokenKind::LineEnd &&
                           tokens[at].kind != TokenKind::End)
                        ++at;
                    return at;
                }
            }
        }
        lineStart = false;
        ++at;
    }
    c.error(tokens[begin].place,
            "der Block „" + shownText(tokens[begin].text) + "“ wird nicht mit „end“ geschlossen");
    return at;
}

void readFile(Compilation& c, const std::string& path, const SourcePlace* includedFrom) {
    const std::string key = std::filesystem::path(path).lexically_normal().string();
    if (!c.loadedFiles.insert(key).second) return; // each file is read once
    const std::optional<std::string> source = c.loader(path);
    if (!source) {
        if (includedFrom)
            c.error(*includedFrom, "die Datei „" + path + "“ lässt sich nicht lesen");
        else
            c.error({path, 0, 0}, "die Datei lässt sich nicht lesen");
        return;
    }
    const std::string text = sourceToWindows(*source, path, c.diagnostics);
    const int file = static_cast<int>(c.files.size());
    c.files.push_back(tokenize(text, path, c.diagnostics));
    c.fileNames.push_back(path);
    const std::vector<Token>& tokens = c.files[file];

    std::size_t at = 0;
    while (tokens[at].kind != TokenKind::End) {
        const Token& first = tokens[at];
        if (first.kind == TokenKind::LineEnd) {
            ++at;
            continue;
        }
        if (first.kind != TokenKind::Word) {
            c.error(first.place, "eine Anweisung beginnt mit einem Schlüsselwort");
            while (tokens[at].kind != TokenKind::LineEnd && tokens[at].kind != TokenKind::End)
                ++at;
            continue;
        }
        std::size_t end = at;
        if (blockKeywords.count(first.text)) {
            end = blockEnd(c, tokens, at);
        } else {
            while (tokens[end].kind != TokenKind::LineEnd && tokens[end].kind != TokenKind::End)
                ++end;
        }
        if (first.text == "include") {
            const Token& name = tokens[at + 1];
            if (name.kind != TokenKind::String || at + 2 != end) {
                c.error(first.place,
                        "nach „include“ steht genau ein Dateiname in Anführungszeichen");
            } else {
                // The name was converted to Windows-1252 with the source;
                // the file system wants it back in UTF-8.
                const std::filesystem::path base = std::filesystem::path(path).parent_path();
                readFile(c, (base / shownText(name.text)).string(), &first.place);
            }
        } else if (first.text == "end" || first.text == "until") {
            c.error(first.place, "„" + first.text + "“ ohne offenen Block");
        } else {
            c.units.push_back({first.text, file, at, end});
        }
        at = end;
    }
}

} // namespace

void readSources(Compilation& c, const std::string& path) {
    readFile(c, path, nullptr);
}

std::optional<std::string> readSourceFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace ruxc
