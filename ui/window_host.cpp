#include "ui/window_host.h"

#include "ui/main_window.h"
#include "ui/text_conversion.h"

#include <QApplication>
#include <iostream>

namespace rux::ui {

PagingAnswer WindowHost::pagingPrompt() {
    return window_.waitForPagingAnswer();
}

int WindowHost::readKey() {
    return window_.waitForKey();
}

void WindowHost::beep() {
    QApplication::beep();
}

// File names go to the engine as the system spells them, not converted to
// Windows-1252: they name files, they are not text for the screen.
std::optional<std::string> WindowHost::chooseFile(FileChoice kind, const std::string& suggested) {
    const QString chosen = window_.dialogs.chooseFile(kind, QString::fromStdString(suggested));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}

void WindowHost::showMessage(const std::string& text) {
    window_.dialogs.message(fromCp1252(text));
}

void WindowHost::fatalError(const std::string& text) {
    window_.dialogs.message(fromCp1252(text));
}

void WindowHost::showTextBox(const std::vector<std::string>& lines) {
    window_.setTextBox(lines);
}

void WindowHost::repaint() {
    window_.repaintTextArea();
}

void WindowHost::repaintStatusLine() {
    window_.fitStatusLine();
}

void WindowHost::quit() {
    window_.quitFromGame();
}

void WindowHost::diagnosticText(const std::string& line) {
    std::cerr << fromCp1252(line).toStdString() << '\n';
}

} // namespace rux::ui
