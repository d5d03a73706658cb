#include "term/command_history.h"
#include "term/line_editor.h"

#include <gtest/gtest.h>
#include <string>

namespace rux::term {
namespace {

TEST(CommandHistory, KeepsTheNewestTwentyAndWalksBackToTheTypedLine) {
    CommandHistory history;
    for (int i = 1; i <= 21; ++i)
        history.add("befehl " + std::to_string(i));
    EXPECT_EQ(history.size(), kHistorySize);

    EXPECT_EQ(history.newer(), std::nullopt); // nothing below the typed line
    EXPECT_EQ(history.older("halb getippt"), "befehl 21");
    std::string oldest;
    while (const auto entry = history.older("ignoriert"))
        oldest = *entry;
    EXPECT_EQ(oldest, "befehl 2"); // the first command was dropped
    for (int i = 0; i < kHistorySize - 2; ++i)
        history.newer();
    EXPECT_EQ(history.newer(), "befehl 21");
    EXPECT_EQ(history.newer(), "halb getippt");
    EXPECT_EQ(history.newer(), std::nullopt);
}

TEST(CommandHistory, ANewCommandStartsBrowsingFromTheBottomAgain) {
    CommandHistory history;
    history.add("nimm lampe");
    history.add("norden");
    history.older("");
    history.older("");
    history.add("sueden");
    EXPECT_EQ(history.older(""), "sueden");
    EXPECT_EQ(history.older(""), "norden");
}

TEST(LineEditor, EditsAtTheCaret) {
    LineEditor editor(10);
    for (char c : std::string("nimm"))
        editor.insert(c);
    editor.home();
    editor.deleteForward(); // imm
    editor.insert('N');     // Nimm
    editor.end();
    editor.left();
    editor.backspace(); // Nim
    editor.right();
    editor.right(); // stays at the end
    editor.insert(' ');
    EXPECT_EQ(editor.text(), "Nim ");
    EXPECT_EQ(editor.caret(), 4u);
    editor.home();
    editor.backspace(); // nothing before the caret
    editor.end();
    editor.deleteForward(); // nothing after it
    EXPECT_EQ(editor.text(), "Nim ");
}

TEST(LineEditor, HoldsItsLengthAndKeepsTheCaretInView) {
    LineEditor editor(6);
    editor.set("untersuche");
    EXPECT_EQ(editor.text(), "unters");
    EXPECT_FALSE(editor.insert('x'));
    EXPECT_EQ(editor.firstVisible(4), 3u); // caret behind the last of 6 characters
    editor.home();
    EXPECT_EQ(editor.firstVisible(4), 0u);
    EXPECT_EQ(editor.firstVisible(0), 0u); // no room at all still shows the caret
}

} // namespace
} // namespace rux::term
