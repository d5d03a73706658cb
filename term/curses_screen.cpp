#include "term/curses_screen.h"

#include "engine/text/codepage.h"

#include <climits>
#include <clocale>
#include <csignal>
#include <cstring>
#include <cwchar>
#include <langinfo.h>
#include <ncursesw/curses.h>

namespace rux::term {

namespace {

// The one piece of state a signal handler may touch; it belongs to the
// process, not to the engine.
volatile std::sig_atomic_t interruptSignal = 0;

extern "C" void noteInterrupt(int signal) {
    interruptSignal = signal;
}

constexpr int kKeyPollMs = 200; // how soon a signal is noticed while waiting
constexpr int kEscapeDelayMs = 25;

// Curses writes UTF-8 only under a UTF-8 locale; the player needs one
// whatever the environment says.
void chooseUtf8Locale() {
    std::setlocale(LC_ALL, "");
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
}

void catchSignals() {
    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

KeyEvent characterEvent(wint_t wide) {
    if (wide < 32 || wide == 127) return {KeyEvent::Kind::Key, static_cast<int>(wide)};
    char multibyte[MB_LEN_MAX];
    std::mbstate_t state{};
    const std::size_t n = std::wcrtomb(multibyte, static_cast<wchar_t>(wide), &state);
    if (n == static_cast<std::size_t>(-1)) return {KeyEvent::Kind::Unknown};
    const std::string converted = utf8ToCp1252(std::string_view(multibyte, n));
    if (converted.size() != 1 || (converted[0] == '?' && wide != L'?'))
        return {KeyEvent::Kind::Unknown};
    return {KeyEvent::Kind::Character, static_cast<unsigned char>(converted[0])};
}

} // namespace

CursesScreen::CursesScreen() {
    chooseUtf8Locale();
    catchSignals(); // before initscr, so that curses keeps its hands off them
    initscr();
    cbreak();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    set_escdelay(kEscapeDelayMs);
    timeout(kKeyPollMs);
    if (has_colors()) {
        start_color();
        use_default_colors();
        init_pair(kBoldPair, COLOR_GREEN, -1);
        init_pair(kInputPair, COLOR_CYAN, -1);
    }
}

CursesScreen::~CursesScreen() {
    endwin();
}

KeyEvent CursesScreen::readKey() {
    for (;;) {
        if (interruptSignal != 0) throw Interrupted();
        wint_t wide = 0;
        const int kind = get_wch(&wide);
        if (kind == ERR) continue; // no key yet, or a signal came in
        if (kind == KEY_CODE_YES) {
            if (wide == KEY_RESIZE) return {KeyEvent::Kind::Resize};
            return {KeyEvent::Kind::Key, static_cast<int>(wide)};
        }
        return characterEvent(wide);
    }
}

} // namespace rux::term
