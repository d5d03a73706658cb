#include "ui/window_menus.h"

#include <QIcon>
#include <QMenuBar>
#include <QWidget>

namespace rux::ui {

namespace {

constexpr int kToolBarHeight = 33;
constexpr int kButtonSize = 27;
constexpr int kIconSize = 21;
constexpr int kSpacerWidth = 14;

QAction* menuItem(QMenu* menu, const char* name, const QString& caption,
                  QKeySequence shortcut = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

QAction* separator(QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(name);
    return action;
}

// A theme icon where the desktop has one, else our own drawing.
QIcon toolIcon(const char* themeName, const char* bundled) {
    return QIcon::fromTheme(themeName, QIcon(QStringLiteral(":/icons/") + bundled));
}

QAction* toolButton(QToolBar* toolbar, const char* name, const QString& hint, const QIcon& icon) {
    QAction* action = toolbar->addAction(icon, hint);
    action->setObjectName(name);
    action->setToolTip(hint);
    if (QWidget* button = toolbar->widgetForAction(action)) {
        button->setObjectName(name);
        button->setFixedSize(kButtonSize, kButtonSize);
    }
    return action;
}

void spacer(QToolBar* toolbar) {
    auto* gap = new QWidget(toolbar);
    gap->setFixedWidth(kSpacerWidth);
    toolbar->addWidget(gap);
}

} // namespace

QString fileHistoryCaption(int index, const QString& path) {
    return QStringLiteral("&%1: %2").arg(index + 1).arg(path);
}

WindowActions buildWindowMenus(QMainWindow& window) {
    WindowActions a;
    QMenuBar* bar = window.menuBar();
    bar->setObjectName("mainmenu");

    QMenu* file = bar->addMenu(QStringLiteral("&Datei"));
    file->setObjectName("filemenu");
    a.openstory = menuItem(file, "openstory", QStringLiteral("Spieldatei ö&ffnen"),
                           QKeySequence(Qt::CTRL | Qt::Key_O));
    separator(file, "N3");
    a.restartgame = menuItem(file, "restartgame", QStringLiteral("Spiel &neu beginnen"),
                             QKeySequence(Qt::CTRL | Qt::Key_N));
    a.restoregame = menuItem(file, "restoregame", QStringLiteral("Spielstand &laden"),
                             QKeySequence(Qt::CTRL | Qt::Key_R));
    a.savegame = menuItem(file, "savegame", QStringLiteral("Spielstand &speichern"),
                          QKeySequence(Qt::CTRL | Qt::Key_S));
    a.transcript = menuItem(file, "transcript", QStringLiteral("&Manuskript"),
                            QKeySequence(Qt::CTRL | Qt::Key_M));
    a.filehistseparator = separator(file, "filehistseparator");
    for (int i = 0; i < kFileHistoryItems; ++i) {
        const QByteArray name = "filehist" + QByteArray::number(i + 1);
        a.filehist[i] = menuItem(file, name.constData(), fileHistoryCaption(i, {}));
    }
    separator(file, "N1");
    a.quit = menuItem(file, "quit", QStringLiteral("&Beenden"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* view = bar->addMenu(QStringLiteral("&Ansicht"));
    view->setObjectName("viewmenu");
    a.toolbartoggle = menuItem(view, "toolbartoggle", QStringLiteral("&Symbolleiste"),
                               QKeySequence(Qt::CTRL | Qt::Key_T));
    separator(view, "N2");
    a.showscrollback = menuItem(view, "showscrollback", QStringLiteral("&Zurückblättern"),
                                QKeySequence(Qt::CTRL | Qt::Key_L));
    a.showscrollback->setCheckable(true);
    a.fontandcolor = menuItem(view, "fontandcolor", QStringLiteral("Anzeige&optionen"));
    separator(view, "N5");
    a.largerFont = menuItem(view, "largerfont", QStringLiteral("Schrift &größer"),
                            QKeySequence(Qt::CTRL | Qt::Key_Plus));
    a.largerFont->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    a.smallerFont = menuItem(view, "smallerfont", QStringLiteral("Schrift &kleiner"),
                             QKeySequence(Qt::CTRL | Qt::Key_Minus));
    a.readStatusLine = menuItem(view, "readstatusline", QStringLiteral("Status&zeile vorlesen"),
                                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));

    QMenu* help = bar->addMenu(QStringLiteral("&?"));
    help->setObjectName("helpmenu");
    a.helpTopics = menuItem(help, "helpTopics", QStringLiteral("&Hilfethemen"),
                            QKeySequence(Qt::CTRL | Qt::Key_H));
    separator(help, "N4");
    a.about = menuItem(help, "about", QStringLiteral("&Info"));

    QToolBar* toolbar = window.addToolBar(QStringLiteral("Symbolleiste"));
    toolbar->setObjectName("toolbar");
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setFixedHeight(kToolBarHeight);
    toolbar->setIconSize(QSize(kIconSize, kIconSize));
    toolbar->toggleViewAction()->setVisible(false);
    a.toolbar = toolbar;
    a.openstoryspeed = toolButton(toolbar, "openstoryspeed", QStringLiteral("Spieldatei öffnen"),
                                  toolIcon("document-open", "open.svg"));
    spacer(toolbar);
    a.restartspeed = toolButton(toolbar, "restartspeed", QStringLiteral("Spiel neu beginnen"),
                                toolIcon("view-refresh", "restart.svg"));
    a.restorespeed = toolButton(toolbar, "restorespeed", QStringLiteral("Spielstand laden"),
                                toolIcon("document-revert", "restore.svg"));
    a.savespeed = toolButton(toolbar, "savespeed", QStringLiteral("Spielstand speichern"),
                             toolIcon("document-save", "save.svg"));
    a.scrollspeed = toolButton(toolbar, "scrollspeed", QStringLiteral("Zurückblättern"),
                               toolIcon("go-up", "scroll.svg"));
    spacer(toolbar);
    a.displayspeed = toolButton(toolbar, "displayspeed", QStringLiteral("Anzeigeoptionen"),
                                toolIcon("preferences-desktop-font", "display.svg"));
    a.transcriptspeed = toolButton(toolbar, "transcriptspeed", QStringLiteral("Manuskript"),
                                   toolIcon("document-print", "transcript.svg"));
    a.helpspeed = toolButton(toolbar, "helpspeed", QStringLiteral("Hilfethemen"),
                             toolIcon("help-contents", "help.svg"));
    spacer(toolbar);
    a.aboutspeed = toolButton(toolbar, "aboutspeed", QStringLiteral("Info über WinRUX"),
                              toolIcon("help-about", "about.svg"));
    return a;
}

} // namespace rux::ui
