#include "ui/about_box.h"
#include "ui/help_viewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace rux::ui {
namespace {

TEST(AboutBox, ShowsTheProgramAndClosesWithOk) {
    Taboutbox box;
    box.setVersionLine("Version 0.1 beta (23.11.2003)");
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("Info über WinRUX"));
    EXPECT_FALSE(box.isModal());
    const std::pair<const char*, const char*> lines[] = {
        {"title", "WinRUX"},
        {"subtitle", "Rux-Spielwerk"},
        {"platform", "für Windows 9x, NT"},
        {"version", "Version 0.1 beta (23.11.2003)"},
    };
    for (const auto& [name, text] : lines)
        EXPECT_EQ(box.findChild<QLabel*>(name)->text(), QString::fromUtf8(text)) << name;
    EXPECT_FALSE(box.findChild<QLabel*>("icon")->pixmap().isNull());

    box.show();
    box.findChild<QPushButton*>("OKbutton")->click();
    EXPECT_FALSE(box.isVisible());
}

TEST(HelpViewer, TheShippedHelpFileOpensAtItsIndex) {
    const QString helpFile = helpFilePath(RUX_WINRUX);
    ASSERT_EQ(helpFile, QFileInfo(RUX_WINRUX).dir().filePath("winrux.HLP"));

    QWidget window;
    ASSERT_TRUE(showHelpTopic(&window, helpFile, "index"));
    auto* browser = window.findChild<QTextBrowser*>("helpbrowser");
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->isVisible());
    const QString text = browser->toPlainText();
    for (const char* topic : {"Eingabetaste", "Strg+L", "F1 bis F10", ". . .", "speichern",
                              "Anzeigeoptionen", "Zeilenabstand"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(topic))) << topic;

    // A second request reuses the window.
    ASSERT_TRUE(showHelpTopic(&window, helpFile, "anzeige"));
    EXPECT_EQ(window.findChildren<QTextBrowser*>().size(), 1);
    EXPECT_EQ(browser->source().fragment(), "anzeige");
}

TEST(HelpViewer, MissingFilesAndTopicsAreReportedAsFailures) {
    QTemporaryDir folder;
    const QString executable = QDir(folder.path()).filePath("winrux");
    EXPECT_TRUE(helpFilePath(executable).isEmpty());
    EXPECT_FALSE(showHelpTopic(nullptr, QString(), "index"));
    EXPECT_FALSE(showHelpTopic(nullptr, QDir(folder.path()).filePath("none.HLP"), "index"));

    QFile file(QDir(folder.path()).filePath("winrux.HLP"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html><body><a name=\"other\"></a>Nichts</body></html>");
    file.close();
    EXPECT_EQ(helpFilePath(executable), file.fileName());
    QWidget window;
    EXPECT_FALSE(showHelpTopic(&window, file.fileName(), "index"));
    EXPECT_TRUE(showHelpTopic(&window, file.fileName(), "other"));
}

} // namespace
} // namespace rux::ui
