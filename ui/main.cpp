// winrux: plays a story in a desktop window.
//   winrux [STORY.vux]
//   winrux --screenshot DIR STORY.vux [WALKTHROUGH]   pictures of the window, for checks

#include "ui/main_window.h"
#include "ui/options_bridge.h"
#include "ui/screenshot_tour.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>
#include <memory>

namespace {

QStringList commandsOf(const QString& walkthrough, int count) {
    QStringList commands;
    QFile file(walkthrough);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return commands;
    QTextStream in(&file);
    while (!in.atEnd() && commands.size() < count) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty()) commands.push_back(line);
    }
    return commands;
}

constexpr int kTourCommands = 34; // the demo's walkthrough up to reading the letter

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("R.U.X."));
    // The file dialogs and message boxes speak German like the game does.
    QTranslator toolkitGerman;
    if (toolkitGerman.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitGerman);
    QStringList arguments = QApplication::arguments().mid(1);

    QString screenshotFolder;
    QStringList tourCommands;
    if (arguments.size() >= 2 && arguments[0] == QStringLiteral("--screenshot")) {
        screenshotFolder = arguments[1];
        arguments = arguments.mid(2);
        if (arguments.size() >= 2) tourCommands = commandsOf(arguments.takeAt(1), kTourCommands);
    }

    const rux::ui::WindowSettings settings =
        screenshotFolder.isEmpty() ? rux::ui::loadWindowSettings() : rux::ui::WindowSettings{};
    rux::ui::Tmainform window(arguments, settings);
    std::unique_ptr<rux::ui::ScreenshotTour> tour;
    if (!screenshotFolder.isEmpty())
        tour = std::make_unique<rux::ui::ScreenshotTour>(window, screenshotFolder, tourCommands);
    window.show();
    return QApplication::exec();
}
