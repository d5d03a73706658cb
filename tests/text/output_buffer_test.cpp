#include "engine/fatal_error.h"
#include "engine/text/codepage.h"
#include "engine/text/output.h"
#include "engine/text/output_layout.h"
#include "engine/text/paging.h"
#include "tests/support/test_engine.h"

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace rux {
namespace {

using test::TestEngine;

std::string cp(const char* utf8) {
    return utf8ToCp1252(utf8);
}

// Lines 1..currentLine: with the screen started at the top, everything shown.
std::vector<std::string> shownLines(const Engine& engine) {
    std::vector<std::string> lines;
    for (int r = 1; r <= engine.output.currentLine; ++r)
        lines.push_back(engine.output.screenLines[r]);
    return lines;
}

using Lines = std::vector<std::string>;

// A screen of unit-wide characters.
OutputLayout screenOf(int visibleLines, int wrapWidth = kDefaultWrapWidth) {
    OutputLayout layout;
    layout.visibleLines = visibleLines;
    layout.wrapWidth = wrapWidth;
    return layout;
}

class OutputTest : public ::testing::Test {
  protected:
    // A screen of unit-wide characters, filled from the top.
    void layout(int wrapWidth, int visibleLines = 80) {
        setLayout(engine(), screenOf(visibleLines, wrapWidth));
        clearScreen(engine(), ScreenStart::Top);
    }
    Engine& engine() { return *t; }
    void out(std::string_view text) { outputText(engine(), text); }
    Lines lines() { return shownLines(engine()); }
    // Finished lines go to `transcript` from now on.
    void keepTranscript() {
        engine().output.transcriptWriter = [this](std::string_view line) {
            transcript.emplace_back(line);
        };
    }

    Lines transcript;

    TestEngine t;
};

// --- Wrapping -------------------------------------------------------------

// A byte of one style given its own width.
struct WideByte {
    int style;
    unsigned char byte;
    uint8_t width; // 0: all bytes one unit wide
};
constexpr WideByte unitWidths{0, 0, 0};

// Lines break at the last opportunity before the byte that overflows them:
// a space (dropped at the break, but counted in the line width), a tab, a
// hyphen or soft hyphen (which shows only where the line breaks), else the
// word is cut at the width. Long runs of characters are taken eight bytes at
// a time, so the rows put the overflow in every place of such a group.
TEST_F(OutputTest, WrapsAtTheLastOpportunityBeforeTheOverflow) {
    struct Case {
        const char* name;
        int width;
        WideByte wide;
        std::vector<std::string> pieces;
        Lines expected;
        int lineWidth; // -1: not checked
    };
    const std::string doorLock = cp("Die Tür") + "\xAD" + "schloss";
    // clang-format off
    const Case cases[] = {
        {"spaces", 10, unitWidths, {"Der Hund bellt laut."}, {"Der Hund", "bellt", "laut."}, 6},
        {"word wider than the line", 10, unitWidths, {"Das ist ", "Donaudampfschiff"},
         {"Das ist ", "Donaudamp", "fschiff"}, -1},
        {"no empty lines however long the word", 5, unitWidths, {std::string(23, 'x')},
         {"xxxx", "xxxx", "xxxx", "xxxx", "xxxx", "xxx"}, -1},
        {"soft hyphen at the break", 10, unitWidths, {doorLock}, {cp("Die Tür-"), "schloss"}, -1},
        {"soft hyphen inside a line", 40, unitWidths, {doorLock}, {cp("Die Türschloss")}, -1},
        {"hyphen", 12, unitWidths, {"Ost-West-Verbindung"}, {"Ost-West-", "Verbindung"}, -1},
        {"run, space", 12, unitWidths, {"ab cdefgh ijklmnop qr"}, {"ab cdefgh", "ijklmnop", "qr"}, 3},
        {"run, hyphen", 12, unitWidths, {"Nord-Sued-Verbindung"}, {"Nord-Sued-", "Verbindung"}, 11},
        {"run, tab", 10, unitWidths, {"abc\tdefghij klm"}, {"abc", "defghij", "klm"}, -1},
        {"run, soft hyphen ends it", 12, unitWidths, {"abcdefgh\xADijklmnopq"},
         {"abcdefgh-", "ijklmnopq"}, -1},
        // Without a break in the piece: first the line before the piece
        // closes, then the word is cut where it no longer fits.
        {"run without a break", 12, unitWidths, {"Wortanfang", "abcdefghijkl"},
         {"Wortanfang", "abcdefghijk", "l"}, -1},
        {"run with a wide byte", 16, {0, 'W', 9}, {"aaaa bbbWcc dddd eeee"},
         {"aaaa", "bbbWcc", "dddd eeee"}, 10},
        {"run with styles", 16, unitWidths, {"\2fett und noch fetter\1 normal"},
         {"\2fett und noch\1", "\2fetter\1 normal"}, -1},
        {"widths of the current style", 10, {1, 'm', 3}, {"mm \2mm\1 mm"}, {"mm \2mm\1", "mm"}, -1},
        {"width 0 is held to one unit", 0, unitWidths, {"abc"}, {"a", "b", "c"}, -1},
        {"byte wider than the line", 10, {0, 'W', 20}, {"aWb"}, {"a", "W", "b"}, -1},
    };
    // clang-format on
    for (const Case& c : cases) {
        OutputLayout layout = screenOf(80, c.width);
        if (c.wide.width) layout.charWidths[c.wide.style][c.wide.byte] = c.wide.width;
        setLayout(engine(), layout);
        clearScreen(engine(), ScreenStart::Top);
        for (const std::string& piece : c.pieces)
            out(piece);
        EXPECT_EQ(lines(), c.expected) << c.name;
        const int lineWidth = c.lineWidth < 0 ? -1 : engine().output.lineWidth;
        EXPECT_EQ(lineWidth, c.lineWidth) << c.name;
    }
}

TEST_F(OutputTest, SoftHyphenAsAPieceOfItsOwnShowsItsHyphenWhereTheLineBreaks) {
    layout(10);
    out(cp("Die Tür"));
    out("\xAD");
    EXPECT_EQ(engine().output.breakWidth, 7);
    out("schloss ist zu");
    EXPECT_EQ(lines(), (Lines{cp("Die Tür-"), "schloss", "ist zu"}));
}

// A word that arrives in pieces (a name, then the comma of a list) moves to
// the next line whole, as it would in one piece: no line starts with the
// comma, no compound is split without a hyphen.
TEST_F(OutputTest, WordInSeveralPiecesWrapsLikeTheWholeWord) {
    const std::vector<std::vector<std::string>> cases = {
        {"Das ", "Haus", cp("türschild")},
        {"ein Ding, ein Ding", ", ein Ding"},
        {"Nord-", "west", "wind weht"},
        {"Das Tor\xAD", "schloss ist zu"},
        {"Ein \2fett", "es\1 Wort", ", das hier"},
    };
    for (const auto& pieces : cases) {
        std::string whole;
        layout(10);
        for (const std::string& piece : pieces) {
            out(piece);
            whole += piece;
        }
        const Lines inPieces = lines();
        const int width = engine().output.lineWidth;
        layout(10);
        out(whole);
        EXPECT_EQ(inPieces, lines()) << whole;
        EXPECT_EQ(width, engine().output.lineWidth) << whole;
    }
}

TEST_F(OutputTest, StylesAreClosedAndReopenedAtEveryLineEnd) {
    layout(10);
    out("Ein \2sehr fettes Wort\1 hier");
    EXPECT_EQ(lines(), (Lines{"Ein \2sehr\1", "\2fettes\1", "\2Wort\1", "hier"}));

    layout(40);
    out("\3fett\nweiter\1 normal");
    EXPECT_EQ(lines(), (Lines{"\3fett\1", "\3weiter\1 normal"}));
    EXPECT_EQ(engine().output.currentStyle, 1);
}

// Pieces of a single byte take a shorter way than longer ones; they must
// leave the lines exactly as the same bytes inside a longer piece do.
TEST_F(OutputTest, PiecesOfOneByteActLikeTheSameBytesInALongerPiece) {
    const std::vector<std::string> pieces = {"\2",  "fett", "\n", "weiter", "\1",   "\n",
                                             "\r",  "\5",   "ab", "\t",     "\xAD", "cd",
                                             "\x7", "\3",   "\n", "\1",     "Ende"};
    layout(40);
    std::string whole;
    for (const std::string& piece : pieces) {
        out(piece);
        whole += piece;
    }
    const Lines piecewise = lines();
    EXPECT_EQ(piecewise, (Lines{"\2fett\1", "\2weiter\1", "", "ab\tcd\x7\3\1", "\3\1Ende"}));
    layout(40);
    out(whole);
    EXPECT_EQ(lines(), piecewise);
}

TEST_F(OutputTest, LineEndsAndTheDroppedByte) {
    layout(40);
    out("eins\nzwei\rdrei \n\5vi\5er");
    EXPECT_EQ(lines(), (Lines{"eins", "zwei", "drei ", "vier"}));
    EXPECT_EQ(scrollbackText(engine()), "eins\nzwei\ndrei \nvier");
}

// When all printable bytes have one width, a run's width is counted instead
// of added up; lines, widths and break widths must come out as when the
// widths are added up byte by byte. The second table differs only in a byte
// that the text never holds, so it has the same widths but no shared one.
TEST(SharedWidths, WrapLikeWidthsAddedUp) {
    std::mt19937 random(23);
    const std::string_view parts[] = {"Wort", " ",    "-",
                                      "\t",   "\xAD", "\n",
                                      "\2",   "\1",   "Donaudampfschiff",
                                      "\xE4", "\5",   "a b c d e f g h "};
    for (const int unit : {1, 3}) {
        for (const int wrapWidth : {1, 7, 12, 40, 200}) {
            OutputLayout shared;
            shared.wrapWidth = wrapWidth;
            for (CharWidthTable& widths : shared.charWidths)
                std::fill(widths.begin() + 32, widths.end(), static_cast<uint8_t>(unit));
            OutputLayout added = shared;
            added.charWidths[0][0xFF] = added.charWidths[1][0xFF] = added.charWidths[2][0xFF] =
                static_cast<uint8_t>(unit + 1);
            TestEngine a, b;
            for (TestEngine* t : {&a, &b}) {
                setLayout(**t, t == &a ? shared : added);
                clearScreen(**t, ScreenStart::Top);
                (*t)->output.pagingEnabled = false;
            }
            ASSERT_EQ(a->output.charWidths.sharedWidth(0), unit);
            ASSERT_EQ(b->output.charWidths.sharedWidth(0), -1);
            for (int step = 0; step < 400; ++step) {
                std::string piece;
                const int count = static_cast<int>(random() % 8);
                for (int i = 0; i < count; ++i)
                    piece += parts[random() % std::size(parts)];
                outputText(*a, piece);
                outputText(*b, piece);
                ASSERT_EQ(shownLines(*a), shownLines(*b))
                    << "unit " << unit << ", width " << wrapWidth << ", step " << step;
                ASSERT_EQ(a->output.lineWidth, b->output.lineWidth) << "step " << step;
                ASSERT_EQ(a->output.breakWidth, b->output.breakWidth) << "step " << step;
            }
        }
    }
}

// --- Display lines and layout ----------------------------------------------

TEST_F(OutputTest, TextStartsAtTheBottomAndScrollsUp) {
    setLayout(engine(), screenOf(3));
    engine().output.pagingEnabled = false;
    EXPECT_EQ(engine().output.currentLine, 3);
    out("eins\nzwei\ndrei\nvier\nf\xFC"
        "nf");
    EXPECT_EQ(lines(), (Lines{"drei", "vier",
                              "f\xFC"
                              "nf"}));
    EXPECT_EQ(currentDisplayLine(engine()), "f\xFC"
                                            "nf");
}

TEST_F(OutputTest, TallScreensAreHeldToEightyLines) {
    setLayout(engine(), screenOf(500));
    engine().output.pagingEnabled = false;
    EXPECT_EQ(engine().output.visibleLines, 80);
    for (int i = 1; i <= 200; ++i)
        out("Zeile " + std::to_string(i) + "\n");
    const Lines shown = lines();
    ASSERT_EQ(shown.size(), 80u);
    EXPECT_EQ(shown.front(), "Zeile 122");
    EXPECT_EQ(shown[78], "Zeile 200");
    EXPECT_EQ(shown.back(), "");
}

TEST_F(OutputTest, ShrinkingTheScreenKeepsTheLineBeingFilled) {
    setLayout(engine(), screenOf(5));
    out("a\nb\nc\n> ");
    setVisibleLines(engine(), 3);
    EXPECT_EQ(lines(), (Lines{"b", "c", "> "}));
    out("nimm");
    EXPECT_EQ(currentDisplayLine(engine()), "> nimm");
}

TEST_F(OutputTest, ClearScreenEmptiesTheDisplayAndTheReplayLog) {
    layout(40, 10);
    out("alt\n");
    clearScreen(engine(), ScreenStart::Bottom);
    EXPECT_EQ(engine().output.currentLine, 10);
    EXPECT_EQ(engine().output.linesSincePrompt, 0);
    out("neu");
    relayout(engine(), screenOf(10));
    EXPECT_EQ(currentDisplayLine(engine()), "neu");
    EXPECT_EQ(engine().output.screenLines[9], "");
    EXPECT_EQ(scrollbackText(engine()), "alt\nneu"); // the scrollback keeps everything
}

// --- Paragraphs and capture --------------------------------------------------

TEST_F(OutputTest, ParagraphBreaksDoNotPileUp) {
    layout(40);
    out("Eins.");
    paragraphBreak(engine());
    paragraphBreak(engine());
    out("Zwei.");
    EXPECT_EQ(lines(), (Lines{"Eins.", "Zwei."}));

    engine().world.byteVariables[17] = 3; // blank line and indent
    engine().world.byteVariables[26] = 7;
    paragraphBreak(engine());
    paragraphBreak(engine());
    out("Drei.");
    EXPECT_EQ(lines(), (Lines{"Eins.", "Zwei.", "", "   Drei."}));

    lineBreak(engine());
    lineBreak(engine());
    EXPECT_EQ(engine().output.currentLine, 6);
}

TEST_F(OutputTest, ParagraphIndentIsAtMostEightySpaces) {
    layout(200);
    engine().world.byteVariables[17] = 2;
    engine().world.byteVariables[26] = 255;
    out("x");
    paragraphBreak(engine());
    EXPECT_EQ(currentDisplayLine(engine()), std::string(80, ' '));
}

TEST_F(OutputTest, CaptureModeCollectsTextAndTouchesNothingElse) {
    layout(40);
    keepTranscript();
    out("Vorher");
    paragraphBreak(engine());
    OutputBuffer& buffer = engine().output;
    buffer.captureMode = true;
    const std::string name =
        cp("der \2Name\1 ist sehr lang und geht weit über jede Zeile hinaus\n");
    out(name);
    lineBreak(engine());
    paragraphBreak(engine());
    buffer.captureMode = false;

    EXPECT_EQ(buffer.capturedText, name + "\n\n");
    EXPECT_TRUE(buffer.atParagraphStart);
    EXPECT_EQ(lines(), (Lines{"Vorher", ""}));
    EXPECT_EQ(scrollbackText(engine()), "Vorher\n");
    EXPECT_EQ(transcript, (std::vector<std::string>{"Vorher"}));
    EXPECT_EQ(buffer.logs.outputLogPieces(), 2u);
}

// --- Paging --------------------------------------------------------------------

class PagingTest : public OutputTest {
  protected:
    void SetUp() override {
        setLayout(engine(), screenOf(20));
        engine().output.linesSincePrompt = 1; // as when a command is entered
    }
    // The numbers of the new lines at whose start the prompt came.
    std::vector<int> promptedLines(int newLines) {
        std::vector<int> prompted;
        for (int line = 1; line <= newLines; ++line) {
            const int before = t.host.pagingPrompts;
            out("Zeile\n");
            if (t.host.pagingPrompts != before) prompted.push_back(line);
        }
        return prompted;
    }
};

// A long answer prompts at the nineteenth new line; Space lets one more
// line through, Enter almost a screenful.
TEST_F(PagingTest, PromptsWhereTheAnswersLetTheLinesThrough) {
    EXPECT_EQ(promptedLines(25), (std::vector<int>{19}));
    EXPECT_EQ(engine().output.inputMode, 0);
    t.host.pagingAnswers = {PagingAnswer::Space, PagingAnswer::Enter, PagingAnswer::Enter};
    engine().output.linesSincePrompt = 1;
    EXPECT_EQ(promptedLines(60), (std::vector<int>{19, 20, 39, 58}));
}

// An engine on a screen of `visibleLines` lines, as when a command is
// entered, whose host runs `onPrompt` when the paging prompt comes.
struct PromptWatch {
    struct WatchingHost : test::ScriptedHost {
        std::function<void()> onPrompt;
        PagingAnswer pagingPrompt() override {
            onPrompt();
            return ScriptedHost::pagingPrompt();
        }
    } host;
    Engine engine{host};

    PromptWatch(int visibleLines, std::function<void()> onPrompt) {
        host.onPrompt = std::move(onPrompt);
        setLayout(engine, screenOf(visibleLines));
        engine.output.linesSincePrompt = 1;
    }
};

TEST_F(PagingTest, TheLineBeforeThePromptIsOnScreenWhileItWaits) {
    std::string seen;
    PromptWatch watch(20, [&] { seen = std::string(currentDisplayLine(watch.engine)); });
    for (int i = 1; i <= 19; ++i)
        outputText(watch.engine, "Zeile " + std::to_string(i) + "\n");
    EXPECT_EQ(seen, "Zeile 19");
}

TEST_F(PagingTest, EndlessOutputKeepsAskingAndToolsCanTurnPagingOff) {
    for (int i = 0; i < 5000; ++i)
        out("Und immer weiter.\n");
    EXPECT_EQ(t.host.pagingPrompts, 5000 / 19);

    TestEngine quiet;
    quiet->output.pagingEnabled = false;
    for (int i = 0; i < 5000; ++i)
        outputText(*quiet, "Und immer weiter.\n");
    EXPECT_EQ(quiet.host.pagingPrompts, 0);
}

TEST_F(PagingTest, WrappedLinesCountLikeAnyOther) {
    setLayout(engine(), screenOf(5, 6));
    engine().output.linesSincePrompt = 1;
    out("eins zwei drei vier f\xFC"
        "nf"); // one line per word
    EXPECT_EQ(t.host.pagingPrompts, 1);
}

// --- Logs, replay and transcript --------------------------------------------------

TEST_F(OutputTest, ScrollbackLeavesOutStylesAndKeepsTheNewestText) {
    layout(40);
    out("\3nimm lampe\1\n\2Du\1 nimmst sie.\r");
    EXPECT_EQ(scrollbackText(engine()), "nimm lampe\nDu nimmst sie.\n");

    for (int i = 0; i < 5000; ++i)
        out("Zeile " + std::to_string(i) + "\n");
    const std::string text = scrollbackText(engine());
    EXPECT_LE(text.size(), kLogLimit + 20);
    EXPECT_EQ(text.rfind("Zeile 4999\n"), text.size() - 11);
    EXPECT_EQ(text.find("Zeile "), 0u); // whole lines were dropped
}

TEST_F(OutputTest, OneEndlessLineCannotGrowTheScrollbackWithoutBound) {
    layout(40);
    engine().output.pagingEnabled = false;
    std::string all;
    for (int i = 0; i < 20000; ++i) {
        const std::string piece = "kein Ende " + std::to_string(i % 10);
        out(piece);
        all += piece;
    }
    // Cut to the limit before the last piece came.
    const std::size_t kept = kLogLimit + 11;
    EXPECT_EQ(scrollbackText(engine()), all.substr(all.size() - kept));
}

// The newest whole lines that fit, the newest piece after them.
TEST_F(OutputTest, ScrollbackKeepsExactlyTheNewestWholeLines) {
    layout(40);
    engine().output.pagingEnabled = false;
    std::vector<std::string> shown;
    for (int i = 0; i < 6000; ++i) {
        shown.push_back("Zeile " + std::to_string(i * 7919 % 100000) + "\n");
        out(shown.back());
    }
    std::string before; // what the log held when the last line came
    for (auto line = shown.rbegin() + 1; line != shown.rend(); ++line) {
        if (before.size() + line->size() > kLogLimit) break;
        before.insert(0, *line);
    }
    EXPECT_EQ(scrollbackText(engine()), before + shown.back());
}

TEST_F(OutputTest, OutputLogDropsTheOldestPieces) {
    layout(40);
    engine().output.pagingEnabled = false;
    for (int i = 0; i < 10000; ++i)
        out("Teil " + std::to_string(i) + "\n");
    const OutputLogs& logs = engine().output.logs;
    EXPECT_LE(logs.outputLogCharacters(), kLogLimit + 20);
    EXPECT_GT(logs.outputLogCharacters(), kLogLimit - 20);
    std::string last;
    logs.forEachOutputPiece([&](std::string_view piece) { last = piece; });
    EXPECT_EQ(last, "Teil 9999\n");
}

// The logs as the rules put them, a piece at a time: before a piece is
// added, the scrollback drops its oldest lines (an open line its oldest
// characters) and the output log its oldest pieces until each holds at most
// kLogLimit characters.
struct ReferenceLogs {
    std::string shown;    // everything, filtered
    std::size_t kept = 0; // where the scrollback begins in it
    std::deque<std::string> pieces;
    std::size_t pieceCharacters = 0;

    void append(std::string_view piece) {
        if (piece.empty()) return;
        while (shown.size() - kept > kLogLimit) {
            const std::size_t lineFeed = shown.find('\n', kept);
            kept = lineFeed == std::string::npos ? shown.size() - kLogLimit : lineFeed + 1;
        }
        for (const char c : piece)
            if (static_cast<unsigned char>(c) > 5) shown.push_back(c == '\r' ? '\n' : c);
        while (pieceCharacters > kLogLimit) {
            pieceCharacters -= pieces.front().size();
            pieces.pop_front();
        }
        pieces.emplace_back(piece);
        pieceCharacters += piece.size();
    }
    void clearOutputLog() {
        pieces.clear();
        pieceCharacters = 0;
    }
    std::string scrollback() const { return shown.substr(kept); }
};

// The pieces one after another, each after its length.
std::string joinedPieces(const OutputLogs& logs) {
    std::string joined;
    logs.forEachOutputPiece([&](std::string_view piece) {
        joined += std::to_string(piece.size()) + ':';
        joined += piece;
    });
    return joined;
}

std::string joinedPieces(const ReferenceLogs& logs) {
    std::string joined;
    for (const std::string& piece : logs.pieces)
        joined += std::to_string(piece.size()) + ':' + piece;
    return joined;
}

// The logs keep each piece once and bring the scrollback up to date in
// batches; whenever they are read, they must hold what adding every piece
// to both logs at once would have left.
TEST(OutputLogs, MatchAddingEveryPieceAtOnce) {
    std::mt19937 random(7);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const std::string_view bytes[] = {
        "Wort", " ", "\n", "\r", "\1", "\2", "\5", "-", "lang", "\xE4", std::string_view("\0", 1)};
    OutputLogs logs;
    ReferenceLogs reference;
    for (int step = 0; step < 12000; ++step) {
        std::string piece;
        // Now and then a long stretch; for a while no line ends at all.
        const int parts = pick(50) == 0 ? 2000 : pick(12);
        const bool lineEnds = step % 2400 < 1200;
        for (int i = 0; i < parts; ++i)
            piece += bytes[pick(lineEnds ? 11 : 2)];
        logs.append(piece);
        reference.append(piece);
        if (pick(300) == 0) {
            logs.clearOutputLog();
            reference.clearOutputLog();
        }
        // Read often early on, seldom later, so that both small and large
        // batches are taken over.
        if (pick(step < 1000 ? 5 : 400) == 0) {
            ASSERT_EQ(logs.scrollbackText(), reference.scrollback()) << "step " << step;
            ASSERT_EQ(joinedPieces(logs), joinedPieces(reference)) << "step " << step;
            ASSERT_EQ(logs.outputLogCharacters(), reference.pieceCharacters);
        }
    }
    EXPECT_EQ(logs.scrollbackText(), reference.scrollback());
    EXPECT_EQ(joinedPieces(logs), joinedPieces(reference));
    EXPECT_EQ(logs.outputLogPieces(), reference.pieces.size());
}

// The sink tells the log which pieces it found free of filtered bytes;
// whatever way a piece takes through the wrapper, the scrollback must come
// out as if every piece had been filtered.
TEST_F(OutputTest, ScrollbackThroughTheSinkMatchesFilteringEveryPiece) {
    layout(12);
    engine().output.pagingEnabled = false;
    std::mt19937 random(11);
    const std::string_view bytes[] = {"Wort", " ", "\n", "\r",   "\1",   "\2",
                                      "\5",   "-", "\t", "lang", "\xAD", "Zeilenumbruch"};
    ReferenceLogs reference;
    for (int step = 0; step < 20000; ++step) {
        std::string piece;
        const int parts = static_cast<int>(random() % 6);
        for (int i = 0; i < parts; ++i)
            piece += bytes[random() % std::size(bytes)];
        out(piece);
        reference.append(piece);
        if (step % 997 == 0) {
            ASSERT_EQ(scrollbackText(engine()), reference.scrollback()) << "step " << step;
        }
    }
    EXPECT_EQ(scrollbackText(engine()), reference.scrollback());
    EXPECT_EQ(joinedPieces(engine().output.logs), joinedPieces(reference));
}

TEST(OutputLogs, EmptyingTheOutputLogKeepsTheScrollback) {
    OutputLogs logs;
    logs.append("alt\n");
    logs.clearOutputLog();
    EXPECT_EQ(logs.outputLogPieces(), 0u);
    EXPECT_EQ(logs.outputLogCharacters(), 0u);
    // Enough new text to make the logs let go of old pieces.
    for (int i = 0; i < 30000; ++i)
        logs.append("neu\n");
    const std::string scrollback = logs.scrollbackText();
    EXPECT_EQ(scrollback.size(), kLogLimit + 4);
    EXPECT_EQ(scrollback.find("alt"), std::string::npos);
    EXPECT_EQ(logs.outputLogCharacters(), kLogLimit + 4);

    logs.clear();
    EXPECT_EQ(logs.scrollbackText(), "");
    EXPECT_EQ(logs.outputLogPieces(), 0u);
}

TEST_F(OutputTest, TranscriptGetsFinishedLinesWithoutControlBytes) {
    layout(10);
    keepTranscript();
    out("\3nimm\1\nEin \2sehr fettes\1 Ding");
    EXPECT_EQ(transcript, (std::vector<std::string>{"nimm", "Ein sehr", "fettes"}));
}

TEST_F(OutputTest, RelayoutShowsTheSameTextAndAddsNothing) {
    const std::string story = "Du stehst vor einem \2alten Haus\1. Die T\xFC"
                              "r ist ver\xAD"
                              "schlossen.\nIm Norden liegt ein Wald.\n> ";
    setLayout(engine(), screenOf(6, 30));
    keepTranscript();
    out(story.substr(0, 40));
    out(story.substr(40));
    const std::string scrollback = scrollbackText(engine());
    const size_t pieces = engine().output.logs.outputLogPieces();
    const size_t written = transcript.size();
    const int prompts = t.host.pagingPrompts;
    engine().output.linesSincePrompt = 5;

    const OutputLayout narrow = screenOf(6, 12);
    relayout(engine(), narrow);

    TestEngine direct;
    setLayout(*direct, narrow);
    direct->output.pagingEnabled = false;
    outputText(*direct, story.substr(0, 40));
    outputText(*direct, story.substr(40));
    EXPECT_EQ(shownLines(engine()), shownLines(*direct));
    EXPECT_EQ(engine().output.lineWidth, direct->output.lineWidth);

    EXPECT_EQ(scrollbackText(engine()), scrollback);
    EXPECT_EQ(engine().output.logs.outputLogPieces(), pieces);
    EXPECT_EQ(transcript.size(), written);
    EXPECT_EQ(t.host.pagingPrompts, prompts);
    EXPECT_EQ(engine().output.linesSincePrompt, 5);
    EXPECT_FALSE(engine().output.replayMode);
}

TEST_F(OutputTest, RelayoutWhileThePromptWaitsShowsEverythingOnce) {
    PromptWatch watch(8, [&] {
        if (watch.host.pagingPrompts == 0) relayout(watch.engine, screenOf(8));
    });
    Engine& engine = watch.engine;
    std::string text;
    for (int i = 1; i <= 12; ++i)
        text += "Zeile " + std::to_string(i) + "\n";
    outputText(engine, text);
    outputText(engine, "Ende");

    Lines expected;
    for (int i = 6; i <= 12; ++i)
        expected.push_back("Zeile " + std::to_string(i));
    expected.push_back("Ende");
    EXPECT_EQ(shownLines(engine), expected);
    EXPECT_EQ(watch.host.pagingPrompts, 1);
    EXPECT_EQ(engine.output.inputMode, 0);
}

// --- Key questions -------------------------------------------------------------

class KeyQuestionTest : public OutputTest {
  protected:
    ObjectSet keys(std::string_view letters) {
        ObjectSet set;
        for (char c : letters)
            set.insert(static_cast<uint8_t>(c));
        return set;
    }
};

// Refused keys beep until an allowed one comes; Escape always answers;
// small umlauts are raised to capitals (ü answers as Ü; Ö is not allowed).
TEST_F(KeyQuestionTest, AnswersWithTheFirstAllowedKey) {
    struct Case {
        std::deque<int> keys;
        std::string allowed;
        int answer;
        int questions;
        int beeps;
    };
    const Case cases[] = {
        {{'x', 13, 'X', 0xE9, 'j'}, "JN", 'J', 5, 4},
        {{27}, "JN", 27, 1, 0},
        {{0xFC, 0xF6}, cp("AWÜU"), 0xDC, 1, 0},
        {{0xF6, 'a'}, cp("AWÜU"), 'A', 2, 1},
    };
    for (const Case& c : cases) {
        const int questionsBefore = t.host.keyQuestions;
        const int beepsBefore = t.host.beeps;
        t.host.keys = c.keys;
        engine().output.linesSincePrompt = 7;
        EXPECT_EQ(askKey(engine(), keys(c.allowed)), c.answer) << c.keys.front();
        EXPECT_EQ(t.host.keyQuestions - questionsBefore, c.questions) << c.keys.front();
        EXPECT_EQ(t.host.beeps - beepsBefore, c.beeps) << c.keys.front();
        EXPECT_EQ(engine().output.inputMode, 0) << c.keys.front();
        EXPECT_EQ(engine().output.linesSincePrompt, 1) << c.keys.front();
    }
}

TEST_F(KeyQuestionTest, AnImpossibleInputModeIsFatal) {
    try {
        startPaging(engine(), 3);
        FAIL() << "no fatal error";
    } catch (const FatalError& error) {
        EXPECT_EQ(std::string(error.what()), cp("Fatal: Ungültiger Eingabemodus!"));
    }
    EXPECT_EQ(engine().output.inputMode, 0);
}

} // namespace
} // namespace rux
