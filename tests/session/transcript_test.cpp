#include "engine/session/file_names.h"
#include "engine/session/transcript.h"
#include "engine/text/codepage.h"
#include "engine/text/output.h"
#include "engine/text/output_layout.h"
#include "tests/support/test_engine.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace rux {
namespace {

namespace fs = std::filesystem;

constexpr int kEscape = 27;
constexpr int kCapitalUUmlaut = 0xDC; // Ü
constexpr int kSmallUUmlaut = 0xFC;   // ü

std::string cp(const char* utf8) {
    return utf8ToCp1252(utf8);
}

// The lines as the file must hold them, each with the platform's line end.
std::string fileLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + std::string(kTranscriptLineEnd);
    return bytes;
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A folder of its own under the system's temporary folder, removed afterwards.
class TempFolder {
  public:
    TempFolder() {
        static std::atomic<unsigned> counter{0};
        std::random_device random;
        path_ = fs::temp_directory_path() /
                ("rux-transcript-" + std::to_string(random()) + "-" + std::to_string(++counter));
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    fs::path operator/(const std::string& name) const { return path_ / name; }

  private:
    fs::path path_;
};

class TranscriptTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test = test::loadTestStory(storykit::Story{});
        OutputLayout layout;
        layout.wrapWidth = 60;
        layout.visibleLines = 80;
        setLayout(engine(), layout);
        clearScreen(engine(), ScreenStart::Top);
    }
    void TearDown() override { closeTranscript(engine()); }

    Engine& engine() { return **test; }
    test::ScriptedHost& host() { return test->host; }
    bool isOpen() { return engine().transcript.transcriptOpen; }
    void out(std::string_view text) { outputText(engine(), text); }
    std::string shown() { return scrollbackText(engine()); }

    // The transcript command with the file the player picks, then a paragraph
    // end as the turn would give it.
    void toggle(std::optional<std::string> fileName, std::initializer_list<int> keys = {}) {
        host().fileNames.push_back(std::move(fileName));
        host().keys.assign(keys);
        toggleTranscript(engine());
        paragraphBreak(engine());
    }
    void toggle(const fs::path& path, std::initializer_list<int> keys = {}) {
        toggle(std::optional<std::string>(path.string()), keys);
    }
    // The transcript command while a transcript is open: no file is asked for.
    void toggleOff(std::initializer_list<int> keys) {
        host().keys.assign(keys);
        toggleTranscript(engine());
        paragraphBreak(engine());
    }

    TempFolder folder;
    std::unique_ptr<test::TestEngine> test;
};

// --- Writing -------------------------------------------------------------------

TEST_F(TranscriptTest, NewFileGetsEveryFinishedLineAsWindows1252WithoutStyleBytes) {
    const fs::path path = folder / "neu.skr";
    toggle(path);
    ASSERT_TRUE(isOpen());
    EXPECT_NE(shown().find("Manuskript wird nun geschrieben."), std::string::npos);

    out("\x03nimm die T\xFCr\x01\n");
    out("Ein \x02sehr\x01 langer Satz, der hier am Rand der Zeile umgebrochen wird.\n");
    out("Gro\xDF"
        "e Stra\xDF"
        "e\tmit Tab\n");
    closeTranscript(engine());

    EXPECT_EQ(readBytes(path),
              fileLines({"Manuskript wird nun geschrieben.", "nimm die T\xFCr",
                         "Ein sehr langer Satz, der hier am Rand der Zeile", "umgebrochen wird.",
                         "Gro\xDF"
                         "e Stra\xDF"
                         "emit Tab"}));
}

TEST_F(TranscriptTest, EachLineIsInTheFileAsSoonAsItIsFinished) {
    const fs::path path = folder / "sofort.skr";
    toggle(path);
    out("erste Zeile\nzweite");
    EXPECT_EQ(readBytes(path), fileLines({"Manuskript wird nun geschrieben.", "erste Zeile"}));
}

TEST_F(TranscriptTest, ClosingKeepsTheUnfinishedLastLine) {
    const fs::path path = folder / "ende.skr";
    toggle(path);
    out("\x02"
        "Auf Wiedersehen!");
    closeTranscript(engine());
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(readBytes(path), fileLines({"Manuskript wird nun geschrieben.", "Auf Wiedersehen!"}));

    // Once closed, nothing more reaches the file.
    out("\nnachher\n");
    writeTranscriptLine(engine(), "direkt");
    closeTranscript(engine());
    EXPECT_EQ(readBytes(path), fileLines({"Manuskript wird nun geschrieben.", "Auf Wiedersehen!"}));
}

TEST_F(TranscriptTest, ANameWithoutExtensionGetsSkr) {
    toggle(folder / "spiel");
    EXPECT_TRUE(isOpen());
    EXPECT_TRUE(fs::exists(folder / "spiel.skr"));
    EXPECT_EQ(host().fileChoices, std::vector<FileChoice>{FileChoice::Transcript});

    EXPECT_EQ(defaultExtension("log.txt", ".skr"), "log.txt");
    EXPECT_EQ(defaultExtension("ordner.alt/log", ".skr"), "ordner.alt/log.skr");
    EXPECT_EQ(defaultExtension("C:\\a.b\\log", ".skr"), "C:\\a.b\\log.skr");
}

// --- Toggling ------------------------------------------------------------------

TEST_F(TranscriptTest, CancelledFileChoiceLeavesTheTranscriptClosed) {
    toggle(std::nullopt);
    EXPECT_FALSE(isOpen());
    EXPECT_NE(shown().find("Vorgang abgebrochen."), std::string::npos);
    EXPECT_EQ(engine().world.byteVariables[14], 0);

    toggle(std::optional<std::string>(""));
    EXPECT_FALSE(isOpen());
}

TEST_F(TranscriptTest, ToggleAsksBeforeClosingAndKeepsWritingOnNo) {
    const fs::path path = folder / "umschalten.skr";
    toggle(path);
    out("eins\n");

    toggleOff({'N'});
    EXPECT_TRUE(isOpen());
    EXPECT_NE(shown().find(cp("Manuskript wirklich schließen?")), std::string::npos);
    out("zwei\n");

    toggleOff({'j'});
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(host().fileChoices.size(), 1u); // closing asks for no file
    out("drei\n");

    const std::string text = readBytes(path);
    const std::string end = fileLines({"Das Manuskript wird geschlossen."});
    EXPECT_NE(text.find(fileLines({"eins"})), std::string::npos);
    EXPECT_NE(text.find(fileLines({"zwei"})), std::string::npos);
    EXPECT_NE(text.find("Nein."), std::string::npos);
    EXPECT_EQ(text.find("drei"), std::string::npos);
    ASSERT_GE(text.size(), end.size());
    EXPECT_EQ(text.substr(text.size() - end.size()), end);
}

TEST_F(TranscriptTest, ReopeningAfterClosingWritesTheNewFile) {
    toggle(folder / "a.skr");
    toggleOff({'J'});
    toggle(folder / "b.skr");
    out("nach b\n");
    EXPECT_EQ(readBytes(folder / "b.skr"),
              fileLines({"Manuskript wird nun geschrieben.", "nach b"}));
    EXPECT_EQ(readBytes(folder / "a.skr").find("nach b"), std::string::npos);
}

// --- An existing file -------------------------------------------------------------

TEST_F(TranscriptTest, ContinuingAnExistingFileAppendsASeparatorLine) {
    const fs::path path = folder / "alt.skr";
    const std::string old = fileLines({"alte Zeile"});
    writeBytes(path, old);
    toggle(path, {'W'});
    ASSERT_TRUE(isOpen());
    EXPECT_NE(shown().find("Diese Datei gibt es bereits."), std::string::npos);
    EXPECT_NE(shown().find(cp("Manuskript wird weitergeführt.")), std::string::npos);
    out("neue Zeile\n");
    closeTranscript(engine());

    EXPECT_EQ(readBytes(path),
              old + fileLines({"----", cp("Manuskript wird weitergeführt."), "neue Zeile"}));
}

TEST_F(TranscriptTest, UmlautAndPlainUReplaceTheFile) {
    for (int key : {kCapitalUUmlaut, kSmallUUmlaut, int{'U'}, int{'u'}}) {
        SCOPED_TRACE(key);
        const fs::path path = folder / "ersetzen.skr";
        writeBytes(path, "alter Inhalt\n");
        toggle(path, {key});
        ASSERT_TRUE(isOpen());
        out("frisch\n");
        closeTranscript(engine());
        EXPECT_NE(shown().find("Manuskript wird neu geschrieben."), std::string::npos);
        EXPECT_EQ(readBytes(path), fileLines({"Manuskript wird neu geschrieben.", "frisch"}));
    }
}

TEST_F(TranscriptTest, CancellingTheChoiceLeavesTheFileAlone) {
    const fs::path path = folder / "bleibt.skr";
    writeBytes(path, "bleibt\n");
    toggle(path, {'a'});
    EXPECT_FALSE(isOpen());

    toggle(path, {'X', '5', kEscape});
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(host().beeps, 2);
    EXPECT_NE(shown().find("] -\n"), std::string::npos); // the echo of Escape
    EXPECT_NE(shown().find("Vorgang abgebrochen."), std::string::npos);

    out("Text\n");
    EXPECT_EQ(readBytes(path), "bleibt\n");
    EXPECT_EQ(engine().world.byteVariables[14], 0);
}

TEST_F(TranscriptTest, AFileThatCannotBeReadStillCountsAsExisting) {
    const fs::path path = folder / "nurschreiben.skr";
    writeBytes(path, "geheim\n");
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::replace);
    toggle(path, {kEscape});
    EXPECT_EQ(host().keyQuestions, 1);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(readBytes(path), "geheim\n");
}

// --- Failures -------------------------------------------------------------------

TEST_F(TranscriptTest, AFileThatCannotBeCreatedIsReportedAsAFailure) {
    toggle(folder / "fehlt" / "x.skr");
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(engine().world.byteVariables[14], 99);
    EXPECT_NE(shown().find("[Fehler: "), std::string::npos);
    EXPECT_EQ(shown().find("Manuskript wird nun geschrieben."), std::string::npos);
    EXPECT_FALSE(engine().output.transcriptWriter);
    out("weiter\n");
}

TEST_F(TranscriptTest, AFolderChosenAsTheFileCannotBeContinued) {
    fs::create_directories(folder / "ordner.skr");
    toggle(folder / "ordner.skr", {'W'});
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(engine().world.byteVariables[14], 99);
    EXPECT_EQ(shown().find(cp("weitergeführt")), std::string::npos);
}

TEST_F(TranscriptTest, ADeletedFileEndsTheTranscriptWithAReport) {
    const fs::path path = folder / "weg.skr";
    toggle(path);
    out("vorher\n");
    fs::remove(path);
    out("Zeile eins\nmitten im Satz");
    EXPECT_FALSE(isOpen());
    EXPECT_FALSE(fs::exists(path));

    // The report stands on a line of its own once the piece is laid out, and
    // it is shown only once.
    const std::string report = cp("[Fehler: Das Manuskript kann nicht weitergeschrieben werden "
                                  "und wurde geschlossen.]");
    const std::string text = shown();
    const std::size_t at = text.find(report);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(text.substr(at - 15), "mitten im Satz\n" + report + "\n");
    out("Das Spiel geht weiter.\n");
    EXPECT_NE(shown().find("Das Spiel geht weiter."), std::string::npos);
    EXPECT_TRUE(engine().output.pendingNotice.empty());
}

TEST_F(TranscriptTest, AFullDiskEndsTheTranscriptWithAReport) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no device that is always full";
    // The separator line cannot be written.
    host().keys.assign({'W'});
    openTranscript(engine(), "/dev/full");
    EXPECT_FALSE(isOpen());
    EXPECT_EQ(engine().world.byteVariables[14], 99);

    engine().world.byteVariables[14] = 0;
    host().keys.assign({kCapitalUUmlaut});
    openTranscript(engine(), "/dev/full");
    paragraphBreak(engine());
    EXPECT_FALSE(isOpen()); // the first line already failed
    EXPECT_NE(shown().find("[Fehler: Das Manuskript kann nicht weitergeschrieben"),
              std::string::npos);
    out("weiter\n");
    EXPECT_NE(shown().find("weiter\n"), std::string::npos);
}

} // namespace
} // namespace rux
