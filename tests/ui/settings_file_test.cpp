#include "ui/settings_file.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace rux::ui {
namespace {

class SettingsFile : public testing::Test {
  protected:
    QString fileIn(const QString& name) const { return QDir(folder_.path()).filePath(name); }
    QTemporaryDir folder_;
};

const char* const kDefaultFile = "[colours]\n"
                                 "mainbg=16777215\nmain=0\nbold=32768\ninput=8388608\n"
                                 "statusbg=0\nstatus=16777215\nscrollbg=16777215\nscroll=0\n"
                                 "\n[fonts]\n"
                                 "mainname=Verdana\nmainsize=10\nmainstyle=0\n"
                                 "boldname=Verdana\nboldsize=10\nboldstyle=1\n"
                                 "inputname=Courier New\ninputsize=11\ninputstyle=0\n"
                                 "statusname=Verdana\nstatussize=10\nstatusstyle=0\n"
                                 "scrollname=Verdana\nscrollsize=10\nscrollstyle=0\n"
                                 "\n[geometry]\ntop=105\nleft=418\nheight=604\nwidth=607\n"
                                 "\n[display]\nmargin=6\nlinespacing=1.2\ntoolbar=1\n"
                                 "\n[history]\nfile1=\nfile2=\nfile3=\nfile4=\n";

TEST_F(SettingsFile, DefaultsAreWrittenWithTheKnownKeysWhateverTheLocale) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = formatSettings(WindowSettings{});
    QLocale::setDefault(before);
    EXPECT_EQ(text.toStdString(), kDefaultFile);
    EXPECT_EQ(parseSettings(text), WindowSettings{});
}

TEST_F(SettingsFile, MissingFileGivesDefaults) {
    EXPECT_EQ(readSettings(fileIn("none.INI")), WindowSettings{});
}

TEST_F(SettingsFile, EveryValueSurvivesARoundTrip) {
    WindowSettings settings;
    DisplayOptions& display = settings.display;
    display.font(TextStyle::Scroll).colour = QColor(0x12, 0x34, 0x56);
    display.font(TextStyle::Scroll) = {"Liberation Serif", 14, kItalicBit, QColor(1, 2, 3)};
    display.font(TextStyle::Input).styleBits = kBoldBit | kUnderlineBit;
    display.font(TextStyle::Status).name = "A font nobody has";
    display.textBackground = QColor(0xFF, 0xFF, 0xE0);
    display.statusBackground = QColor(0, 0, 0x80);
    display.scrollBackground = QColor(0xEE, 0xEE, 0xEE);
    display.margin = 20;
    display.lineSpacing = 1.35;
    settings.geometry = QRect(-5, 12, 800, 450);
    settings.toolbarVisible = false;
    settings.history = {"/spiele/höhle.vux", "C:\\Spiele\\Burg & Hof.vux", "b.vux", ""};

    const QString path = fileIn("winrux.INI");
    ASSERT_TRUE(writeSettings(path, settings));
    EXPECT_EQ(readSettings(path), settings);
}

TEST_F(SettingsFile, ColoursAreReferencesWithRedInTheLowByte) {
    EXPECT_EQ(colourReference(QColor(0, 0, 0x80)), 8388608); // navy
    EXPECT_EQ(colourReference(QColor(0x80, 0, 0)), 0x80);
    EXPECT_EQ(colourFromReference(0x00FF00), QColor(0, 0xFF, 0));
    const WindowSettings read = parseSettings("[colours]\nscroll=255\nstatusbg=65280\n");
    EXPECT_EQ(read.display.font(TextStyle::Scroll).colour, QColor(0xFF, 0, 0));
    EXPECT_EQ(read.display.statusBackground, QColor(0, 0xFF, 0));
}

TEST_F(SettingsFile, ReadsFilesWithAByteOrderMarkOrInACodePage) {
    const std::pair<QByteArray, QString> cases[] = {
        {"\xEF\xBB\xBF[history]\nfile1=h\xC3\xB6hle.vux\n", QString::fromUtf8("höhle.vux")},
        {"[history]\nfile1=h\xF6hle.vux\n", QString::fromUtf8("höhle.vux")},
    };
    for (const auto& [bytes, path] : cases)
        EXPECT_EQ(parseSettings(decodeSettings(bytes)).history[0], path);
}

TEST_F(SettingsFile, StyleSixIsItalicUnderlinedAndNotBold) {
    const StyleFont font = parseSettings("[fonts]\nboldstyle=6\n").display.font(TextStyle::Bold);
    EXPECT_EQ(font.styleBits, kItalicBit | kUnderlineBit);
    const QFont qfont = toQFont(font);
    EXPECT_TRUE(qfont.italic());
    EXPECT_TRUE(qfont.underline());
    EXPECT_FALSE(qfont.bold());
}

TEST_F(SettingsFile, DamagedValuesFallBackOneKeyAtATime) {
    const WindowSettings read = parseSettings("garbage without equals\n"
                                              "=no key\n"
                                              "[colours\n"
                                              "[COLOURS]\n"
                                              "Main = 255\n"
                                              "bold=green\n"
                                              "input=-1\n"
                                              "status=99999999\n"
                                              "[fonts]\n"
                                              "mainname=\n"
                                              "mainsize=12pt\n"
                                              "boldsize=0\n"
                                              "inputsize=14\n"
                                              "[geometry]\n"
                                              "left=abc\n"
                                              "top=7\n"
                                              "width=-300\n"
                                              "[display]\n"
                                              "margin=5000\n"
                                              "linespacing=1,5\n"
                                              "toolbar=yes\n"
                                              "[history]\n"
                                              "file2=kept.vux\n");
    WindowSettings expected;
    expected.display.font(TextStyle::Normal).colour = QColor(0xFF, 0, 0);
    expected.display.font(TextStyle::Input).pointSize = 14;
    expected.geometry.moveTop(7);
    expected.history[1] = "kept.vux";
    EXPECT_EQ(read, expected);
}

TEST_F(SettingsFile, ValuesOutOfRangeTakeTheirDefaults) {
    struct Case {
        const char* text;
        double lineSpacing;
        int margin;
        int mainSize;
    };
    const Case cases[] = {
        {"linespacing=0.2", 1.2, 6, 10},
        {"linespacing=0.5", 0.5, 6, 10},
        {"linespacing=3", 3.0, 6, 10},
        {"linespacing=3.2", 1.2, 6, 10},
        {"linespacing=nan", 1.2, 6, 10},
        {"margin=-1", 1.2, 6, 10},
        {"margin=0", 1.2, 0, 10},
        {"margin=1000", 1.2, 1000, 10},
        {"margin=1001", 1.2, 6, 10},
        {"[fonts]\nmainsize=200", 1.2, 6, 200},
        {"[fonts]\nmainsize=201", 1.2, 6, 10},
    };
    for (const Case& c : cases) {
        const DisplayOptions read = parseSettings(QStringLiteral("[display]\n") + c.text).display;
        EXPECT_DOUBLE_EQ(read.lineSpacing, c.lineSpacing) << c.text;
        EXPECT_EQ(read.margin, c.margin) << c.text;
        EXPECT_EQ(read.font(TextStyle::Normal).pointSize, c.mainSize) << c.text;
    }
}

TEST_F(SettingsFile, LiesBesideTheExecutableWhereThatFolderIsWritable) {
    EXPECT_EQ(settingsFilePath(fileIn("winrux")), fileIn("winrux.INI"));
    EXPECT_EQ(settingsFilePath(fileIn("winrux.exe")), fileIn("winrux.INI"));
}

TEST_F(SettingsFile, FallsBackToTheUserFolderWhereTheExecutablesFolderIsNotWritable) {
    QStandardPaths::setTestModeEnabled(true);
    const QString userFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString path = settingsFilePath(fileIn("missing/folder/winrux"));
    EXPECT_EQ(path, QDir(userFolder).filePath("winrux.INI"));

    WindowSettings settings;
    settings.history[0] = "kept.vux";
    ASSERT_TRUE(writeSettings(path, settings));
    EXPECT_EQ(readSettings(path), settings);
    QFile::remove(path);
    QStandardPaths::setTestModeEnabled(false);
}

TEST_F(SettingsFile, WritingWhereNoFileCanBeMadeFails) {
    QFile blocker(fileIn("plain-file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(writeSettings(fileIn("plain-file/winrux.INI"), WindowSettings{}));
}

} // namespace
} // namespace rux::ui
