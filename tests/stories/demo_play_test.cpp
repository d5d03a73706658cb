// The demo adventure played through the terminal player's batch mode: its
// whole walkthrough against a checked-in transcript, and the replies to
// wrong, odd and incomplete commands.

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

const std::string player = RUX_PLAYER;
const std::string demo = RUX_DEMO_STORY;
const std::string demoSources = std::string(RUX_STORIES_DIR) + "/demo";

// Plays the demo with the given input file; the output as the player shows it.
std::string play(const std::string& inputFile) {
    const std::string command =
        player + " --plain --seed 1 '" + demo + "' < '" + inputFile + "' 2>&1";
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    std::array<char, 4096> buffer;
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        out.append(buffer.data(), n);
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;
    return out;
}

std::string readFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(DemoStory, TheWalkthroughWinsWithTheCheckedInTranscript) {
    const std::string out = play(demoSources + "/walkthrough.txt");
    const std::string expectedFile = demoSources + "/walkthrough.expected";
    if (std::getenv("RUX_UPDATE_EXPECTED") != nullptr) std::ofstream(expectedFile) << out;
    EXPECT_EQ(out, readFile(expectedFile));
    EXPECT_NE(out.find("100 von 100"), std::string::npos) << out;
}

TEST(DemoStory, WrongAndOddCommandsGetTheirReplies) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("rux-demo-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string saved = (folder / "spiel").string();
    const std::string input = (folder / "input.txt").string();
    std::ofstream(input) << "xyzzy\n"
                            "untersuche mich\n"
                            "nimm mich\n"
                            "nimm\n"
                            "schau unter die fußmatte\n"
                            "nimm den schlüssel\n"
                            "speichern\n"
                         << saved
                         << "\n"
                            "leg den schlüssel hin\n"
                            "zurück\n"
                            "laden\n"
                         << saved
                         << "\n"
                            "inventar\n"
                            "spring\n"
                            "hilfe\n"
                            "sage \"hallo\"\n"
                            "schließ die tür mit dem schlüssel auf\n"
                            "öffne die tür\n"
                            "lass den schlüssel fallen\n"
                            "n\n"
                            "n\n"
                            "öffne den schrank\n"
                            "nimm die lampe\n"
                            "leg die lampe in den schrank\n"
                            "s\n"
                            "o\n"
                            "johann, schieb das regal\n"
                            "johann, spring\n"
                            "setz dich in den sessel\n"
                            "steh auf\n"
                            "w\n"
                            "nimm ihn\n"
                            "gib mir alles\n";
    const std::string out = play(input);
    std::filesystem::remove_all(folder);

    struct Reply {
        const char* what;
        const char* text;
    };
    const Reply replies[] = {
        {"unknown word", "xyzzy"},
        {"the player examined", "Du siehst aus wie immer."},
        {"the player not taken, and told so", "Das geht nicht!"},
        {"the key taken", "Du nimmst den Messingschlüssel."},
        {"saved", "Spielstand erfolgreich abgespeichert."},
        {"incomplete command", "Was möchtest du nehmen?"},
        {"the drop undone and named, the save left alone",
         "Zurückgenommen: den Messingschlüssel ablegen."},
        {"restored", "Spielstand erfolgreich geladen."},
        {"the key carried after the restore", "den Messingschlüssel"},
        {"help right after another action", "Gib deine Befehle als kurze deutsche"},
        {"dropped with \"lass ... fallen\"", "Du legst den Messingschlüssel ab."},
        {"a container takes back what came out of it",
         "Du legst die Taschenlampe in den Küchenschrank."},
        {"a missing person asked for", "Wem möchtest du etwas sagen?"},
        {"an order refused for want of a coin", "Für eine kleine Anerkennung täte ich das gern."},
        {"an order the servant will not take", "Das gehört nicht zu meinen Pflichten."},
        {"a pronoun for something out of sight", "Du siehst hier keinen Ohrensessel."},
    };
    for (const Reply& reply : replies)
        EXPECT_NE(out.find(reply.text), std::string::npos) << reply.what << "\n" << out;
    // One refusal per command: the person refused, "alles" not complained of.
    EXPECT_NE(out.find("> gib mir alles\nDas geht nicht!\n"), std::string::npos) << out;
}

} // namespace
