#include "term/player_options.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace rux::term {
namespace {

using Kind = ParsedCommandLine::Kind;

struct RunCase {
    std::vector<std::string> arguments;
    bool plain;
    int width;
    std::optional<uint64_t> seed;
    std::vector<std::string> story;
};

TEST(PlayerOptions, ReadsARunFromTheCommandLine) {
    const std::vector<RunCase> cases = {
        {{"a.vux"}, false, 80, {}, {"a.vux"}},
        {{"--plain", "--width", "40", "--seed", "7", "a.vux"}, true, 40, 7, {"a.vux"}},
        {{"a.vux", "--plain"}, true, 80, {}, {"a.vux"}},
        {{"--seed", "18446744073709551615", "a"}, false, 80, UINT64_MAX, {"a"}},
        {{"--", "--plain"}, false, 80, {}, {"--plain"}},
        {{"-"}, false, 80, {}, {"-"}},
        // Two stories are the engine's to refuse, with its own warning.
        {{"a.vux", "b.vux"}, false, 80, {}, {"a.vux", "b.vux"}},
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        const ParsedCommandLine parsed = parsePlayerArguments(c.arguments);
        ASSERT_EQ(parsed.kind, Kind::Run);
        EXPECT_EQ(parsed.options.plain, c.plain);
        EXPECT_EQ(parsed.options.width, c.width);
        EXPECT_EQ(parsed.options.seed, c.seed);
        EXPECT_EQ(parsed.options.arguments, c.story);
    }
}

TEST(PlayerOptions, RefusesWhatItCannotRun) {
    const std::vector<std::pair<std::vector<std::string>, Kind>> cases = {
        {{}, Kind::Help},
        {{"--plain"}, Kind::Help},
        {{"--help", "a.vux"}, Kind::Help},
        {{"--width", "0", "a"}, Kind::Error},
        {{"--width", "10001", "a"}, Kind::Error},
        {{"--width", "-5", "a"}, Kind::Error},
        {{"--width", "12x", "a"}, Kind::Error},
        {{"--width"}, Kind::Error},
        {{"--seed", "18446744073709551616", "a"}, Kind::Error},
        {{"--colour", "a"}, Kind::Error},
    };
    for (const auto& [arguments, kind] : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        EXPECT_EQ(parsePlayerArguments(arguments).kind, kind);
    }
}

// Asking for help is no fault; a missing story is.
TEST(PlayerOptions, HelpCarriesAnErrorOnlyWithoutAStory) {
    EXPECT_TRUE(parsePlayerArguments({"--help"}).error.empty());
    EXPECT_EQ(parsePlayerArguments({}).error, "Keine Spieldatei angegeben.");
}

} // namespace
} // namespace rux::term
