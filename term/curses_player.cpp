#include "term/curses_player.h"

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/text/codepage.h"
#include "engine/text/output_layout.h"
#include "term/curses_painter.h"
#include "term/curses_screen.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <ncursesw/curses.h>

namespace rux::term {

namespace {

constexpr int kEscape = 27;
constexpr int kExitFailure = 1;
constexpr int kExitInterrupted = 130;
constexpr int kStatusLineCount = 20; // byte variable: how many status lines the story wants
constexpr int kTextBoxOffset = 3;    // rows between the status line and a text box

bool isEnter(const KeyEvent& key) {
    return key.kind == KeyEvent::Kind::Key &&
           (key.code == '\r' || key.code == '\n' || key.code == KEY_ENTER);
}

bool isKey(const KeyEvent& key, int code) {
    return key.kind == KeyEvent::Kind::Key && key.code == code;
}

std::string fileChoiceTitle(FileChoice kind) {
    switch (kind) {
    case FileChoice::SaveGame: return "Spielstand speichern";
    case FileChoice::RestoreGame: return "Spielstand laden";
    case FileChoice::Transcript: return "Manuskript erstellen";
    }
    return {};
}

} // namespace

int CursesPlayer::play(Engine& engine, const PlayerOptions& options) {
    engine_ = &engine;
    initialiseEngine(engine, options.seed);
    applyLayout(false);
    paint();
    if (!storyNamed(engine, options.arguments)) return kExitFailure;
    loadNamedStory(engine);
    while (!quitAsked_ && !quitRequested(engine)) {
        waiting_ = Waiting::Command;
        commandKey(nextKey());
    }
    return 0;
}

// The status line takes the rows the story asks for, leaving at least one
// for the text.
int CursesPlayer::statusRowsWanted() const {
    const int wanted = engine_->world.byteVariables[kStatusLineCount];
    return std::clamp(wanted, 0, std::max(LINES - 1, 0));
}

void CursesPlayer::applyLayout(bool again) {
    statusRows_ = statusRowsWanted();
    OutputLayout layout;
    layout.visibleLines = std::clamp(LINES - statusRows_, 1, kMaxScreenLines);
    layout.wrapWidth = std::max(COLS, 1); // the last cell stays free for the caret
    if (again)
        relayout(*engine_, layout);
    else
        setLayout(*engine_, layout);
}

// The story may change the number of status lines at any time; the text
// area gives or takes the rows, keeping its lines.
void CursesPlayer::fitStatusLine() {
    if (statusRowsWanted() == statusRows_) return;
    statusRows_ = statusRowsWanted();
    setVisibleLines(*engine_, std::clamp(LINES - statusRows_, 1, kMaxScreenLines));
}

void CursesPlayer::paint() {
    if (engine_ == nullptr) return;
    fitStatusLine();
    const OutputBuffer& out = engine_->output;
    erase();
    drawStatusLine(engine_->text.statusTexts, statusRows_);
    for (int line = 1; line <= out.currentLine; ++line)
        drawDisplayLine(statusRows_ + line - 1, out.screenLines[line]);
    if (!textBox_.empty()) drawTextBox(textBox_, statusRows_ + kTextBoxOffset);
    paintWaiting(statusRows_ + out.currentLine - 1, visibleWidth(out.screenLines[out.currentLine]));
    refresh();
}

// The input line, the paging prompt or the caret of a question sits right
// after the text of the current line.
void CursesPlayer::paintWaiting(int row, int column) {
    curs_set(0);
    switch (waiting_) {
    case Waiting::Nothing: break;
    case Waiting::Command:
        curs_set(1);
        drawInputField(row, column, input_);
        break;
    case Waiting::PagingPrompt:
        attrset(A_BOLD);
        mvaddstr(row, std::clamp(column, 0, std::max(COLS - 5, 0)), ". . .");
        attrset(A_NORMAL);
        break;
    case Waiting::KeyQuestion:
        curs_set(1);
        move(row, std::clamp(column, 0, std::max(COLS - 1, 0)));
        break;
    case Waiting::FileName: {
        const std::string label = fileTitle_ + ": ";
        const int bottom = LINES - 1;
        attrset(A_REVERSE);
        mvhline(bottom, 0, ' ', COLS);
        mvaddstr(bottom, 0, cp1252ToUtf8(label).c_str());
        attrset(A_NORMAL);
        curs_set(1);
        drawInputField(bottom, static_cast<int>(label.size()), fileName_);
        break;
    }
    case Waiting::Message:
        drawMessageBox(message_, utf8ToCp1252("Weiter mit der Eingabetaste"));
        break;
    }
}

// Reads a key; a resize lays the text out again at once and is passed on so
// that the caller paints.
KeyEvent CursesPlayer::nextKey() {
    paint();
    const KeyEvent key = screen_.readKey();
    if (key.kind == KeyEvent::Kind::Resize) applyLayout(true);
    return key;
}

bool CursesPlayer::editKey(LineEditor& editor, const KeyEvent& key) {
    if (key.kind == KeyEvent::Kind::Character) {
        if (!editor.insert(static_cast<char>(key.code))) ::beep();
        return true;
    }
    if (key.kind != KeyEvent::Kind::Key) return false;
    switch (key.code) {
    case KEY_LEFT: editor.left(); return true;
    case KEY_RIGHT: editor.right(); return true;
    case KEY_HOME:
    case 1: editor.home(); return true; // Ctrl+A
    case KEY_END:
    case 5: editor.end(); return true; // Ctrl+E
    case KEY_BACKSPACE:
    case 8:
    case 127: editor.backspace(); return true;
    case KEY_DC: editor.deleteForward(); return true;
    default: return false;
    }
}

void CursesPlayer::commandKey(const KeyEvent& key) {
    if (isEnter(key)) {
        if (!input_.text().empty()) submit(input_.text());
    } else if (isKey(key, KEY_UP)) {
        if (const auto entry = history_.older(input_.text())) input_.set(*entry);
    } else if (isKey(key, KEY_DOWN)) {
        if (const auto entry = history_.newer()) input_.set(*entry);
    } else if (key.kind == KeyEvent::Kind::Key && key.code >= KEY_F(1) &&
               key.code <= KEY_F(functionKeyCount)) {
        input_.set(visibleText(engine_->world.functionKeyCommands[key.code - KEY_F(1)]));
        if (!input_.text().empty()) submit(input_.text());
    } else if (key.kind == KeyEvent::Kind::Unknown) {
        ::beep();
    } else {
        editKey(input_, key);
    }
}

void CursesPlayer::submit(const std::string& command) {
    const std::string line = command; // the field is cleared before the turn
    history_.add(line);
    input_.clear();
    waiting_ = Waiting::Nothing;
    enterCommand(*engine_, line);
}

PagingAnswer CursesPlayer::pagingPrompt() {
    const Waiting before = waiting_;
    waiting_ = Waiting::PagingPrompt;
    PagingAnswer answer = PagingAnswer::Enter;
    for (;;) {
        const KeyEvent key = nextKey();
        if (isEnter(key)) break;
        if (key.kind == KeyEvent::Kind::Character && key.code == ' ') {
            answer = PagingAnswer::Space;
            break;
        }
    }
    textBox_.clear(); // a text box stays up until its prompt is answered
    waiting_ = before;
    return answer;
}

// Enter and Escape are passed on as such, a character as its Windows-1252
// code; anything else answers 0, which the engine refuses with a beep.
int CursesPlayer::readKey() {
    const Waiting before = waiting_;
    waiting_ = Waiting::KeyQuestion;
    int answer = 0;
    for (;;) {
        const KeyEvent key = nextKey();
        if (key.kind == KeyEvent::Kind::Resize) continue;
        if (isEnter(key))
            answer = '\r';
        else if (key.kind == KeyEvent::Kind::Character || isKey(key, kEscape))
            answer = key.code;
        break;
    }
    waiting_ = before;
    return answer;
}

void CursesPlayer::beep() {
    ::beep();
}

// The name is handed on as typed (UTF-8): it names a file, it is not text
// for the screen.
std::optional<std::string> CursesPlayer::chooseFile(FileChoice kind, const std::string& suggested) {
    const Waiting before = waiting_;
    waiting_ = Waiting::FileName;
    fileTitle_ = utf8ToCp1252(fileChoiceTitle(kind));
    fileName_.set(suggested);
    std::optional<std::string> chosen;
    for (;;) {
        const KeyEvent key = nextKey();
        if (isKey(key, kEscape)) break;
        if (isEnter(key)) {
            if (!fileName_.text().empty()) chosen = cp1252ToUtf8(fileName_.text());
            break;
        }
        if (key.kind == KeyEvent::Kind::Unknown)
            ::beep();
        else
            editKey(fileName_, key);
    }
    waiting_ = before;
    return chosen;
}

void CursesPlayer::showMessage(const std::string& text) {
    const Waiting before = waiting_;
    waiting_ = Waiting::Message;
    message_ = splitLines(text);
    for (;;) {
        const KeyEvent key = nextKey();
        if (isEnter(key) || isKey(key, kEscape)) break;
    }
    waiting_ = before;
}

int runCursesPlayer(const PlayerOptions& options) {
    std::string failure;
    int status = kExitFailure;
    try {
        CursesScreen screen; // restores the terminal as this block is left
        CursesPlayer player(screen);
        auto engine = std::make_unique<Engine>(player);
        status = player.play(*engine, options);
    } catch (const FatalError& error) {
        failure = cp1252ToUtf8(error.what());
    } catch (const Interrupted&) {
        status = kExitInterrupted;
    }
    if (!failure.empty()) std::cerr << failure << '\n';
    return status;
}

} // namespace rux::term
