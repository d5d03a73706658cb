#pragma once
// The main window's menus and tool bar: every item with its name, caption,
// shortcut and hint. The handlers are connected by the window.

#include <QAction>
#include <QMainWindow>
#include <QToolBar>
#include <array>

namespace rux::ui {

inline constexpr int kFileHistoryItems = 4;

struct WindowActions {
    QAction* openstory = nullptr;
    QAction* restartgame = nullptr;
    QAction* restoregame = nullptr;
    QAction* savegame = nullptr;
    QAction* transcript = nullptr;
    QAction* filehistseparator = nullptr;
    std::array<QAction*, kFileHistoryItems> filehist{};
    QAction* quit = nullptr;
    QAction* toolbartoggle = nullptr;
    QAction* showscrollback = nullptr;
    QAction* fontandcolor = nullptr;
    QAction* helpTopics = nullptr;
    QAction* about = nullptr;
    // Beyond the menus: larger and smaller fonts, and reading the status
    // line aloud through a screen reader.
    QAction* largerFont = nullptr;
    QAction* smallerFont = nullptr;
    QAction* readStatusLine = nullptr;

    // The tool buttons, in the order they stand.
    QAction* openstoryspeed = nullptr;
    QAction* restartspeed = nullptr;
    QAction* restorespeed = nullptr;
    QAction* savespeed = nullptr;
    QAction* scrollspeed = nullptr;
    QAction* displayspeed = nullptr;
    QAction* transcriptspeed = nullptr;
    QAction* helpspeed = nullptr;
    QAction* aboutspeed = nullptr;

    QToolBar* toolbar = nullptr;
};

// Builds the menu bar and the tool bar of `window`.
WindowActions buildWindowMenus(QMainWindow& window);

// The caption of a file history item: "&1: " and the path.
QString fileHistoryCaption(int index, const QString& path);

} // namespace rux::ui
