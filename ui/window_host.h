#pragma once
// The engine's Host in the desktop window: every call goes to the main
// window, which waits, paints or asks as the call needs.

#include "engine/host.h"

namespace rux::ui {

class Tmainform;

class WindowHost : public Host {
  public:
    explicit WindowHost(Tmainform& window) : window_(window) {}

    PagingAnswer pagingPrompt() override;
    int readKey() override;
    void beep() override;
    std::optional<std::string> chooseFile(FileChoice kind, const std::string& suggested) override;
    void showMessage(const std::string& text) override;
    void fatalError(const std::string& text) override;
    void showTextBox(const std::vector<std::string>& lines) override;
    void repaint() override;
    void repaintStatusLine() override;
    void quit() override;
    void diagnosticText(const std::string& line) override;

  private:
    Tmainform& window_;
};

} // namespace rux::ui
