#pragma once
// The terminal under curses: taken over on construction and restored on
// destruction however the program leaves (a fatal error, an interruption by
// Ctrl+C, SIGTERM or SIGHUP), and the keys read from it.

#include <stdexcept>

namespace rux::term {

// Thrown out of key reading once Ctrl+C or a termination signal arrived; it
// unwinds the engine to the front end, which ends the program.
class Interrupted : public std::runtime_error {
  public:
    Interrupted() : std::runtime_error("interrupted") {}
};

struct KeyEvent {
    enum class Kind {
        Character, // a printable character, `code` its Windows-1252 byte
        Key,       // a control character (Enter, Escape, Backspace) or a curses key code
        Resize,    // the terminal changed its size
        Unknown,   // a character Windows-1252 cannot hold
    };
    Kind kind;
    int code = 0;
};

// Colour pairs of the text styles.
inline constexpr short kBoldPair = 1;
inline constexpr short kInputPair = 2;

class CursesScreen {
  public:
    CursesScreen();
    ~CursesScreen();
    CursesScreen(const CursesScreen&) = delete;
    CursesScreen& operator=(const CursesScreen&) = delete;

    // Waits for the next key; throws Interrupted after Ctrl+C.
    KeyEvent readKey();
};

} // namespace rux::term
