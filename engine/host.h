#pragma once
// The engine's only way to reach its front end. The desktop window, the
// terminal player and the tests each implement it. All text crossing this
// boundary is Windows-1252; the front end converts it for display.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rux {

// How the player let the paging prompt go: Enter lets almost a screenful
// through before the next prompt, Space a single line.
enum class PagingAnswer { Enter, Space };

// What a file choice is for; the front end picks its dialog and filter.
enum class FileChoice { SaveGame, RestoreGame, Transcript };

class Host {
public:
    virtual ~Host() = default;

    // Shows the paging prompt after the current line and waits for the player.
    virtual PagingAnswer pagingPrompt() { return PagingAnswer::Enter; }

    // Waits for one key of a key question and returns its key code: the
    // upper-case letter code for letter keys, 27 for Escape, 13 for Enter.
    virtual int readKey() { return 27; }

    // Signals a refused key.
    virtual void beep() {}

    // Asks for a file name; none when the player cancels.
    virtual std::optional<std::string> chooseFile(FileChoice /*kind*/,
                                                  const std::string& /*suggested*/) {
        return std::nullopt;
    }

    // Shows a message box (warnings and the report of a fatal error).
    virtual void showMessage(const std::string& /*text*/) {}

    // Reports a fatal error; the front end ends the game afterwards.
    virtual void fatalError(const std::string& text) { showMessage(text); }

    // Shows the lines of a story's text box and waits until it is closed.
    virtual void showTextBox(const std::vector<std::string>& /*lines*/) {}

    // A display line is finished (style bytes included): front ends that
    // stream the text, such as the batch player, take it from here. Not
    // called while the text is laid out again.
    virtual void lineFinished(std::string_view /*line*/) {}

    // The text area or the status line changed and should be painted again.
    virtual void repaint() {}
    virtual void repaintStatusLine() {}

    // The game asks the program to end.
    virtual void quit() {}

    // A line for whoever debugs a story (an invalid assignment, say), not
    // for the player: the front end writes it to standard error or a log.
    virtual void diagnosticText(const std::string& /*line*/) {}
};

// A host that answers everything with its defaults; for tools and tests.
class SilentHost : public Host {};

}  // namespace rux
