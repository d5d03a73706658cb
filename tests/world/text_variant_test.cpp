// Variants of text marks are looked up through the index built after
// loading; the answers must be those of walking the text area.

#include "engine/world/loader.h"
#include "storykit/story_writer.h"

#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <string_view>

namespace rux {
namespace {

using storykit::Story;

// The text area walked zero by zero from the mark's block.
std::optional<std::string_view> walkedVariant(const World& world, uint8_t mark, int variant) {
    const std::size_t entry =
        (std::size_t{world.textArea[2 * mark]} << 8) | world.textArea[2 * mark + 1];
    if (entry == 0 || variant < 1) return std::nullopt;
    const auto* area = reinterpret_cast<const char*>(world.textArea.data());
    const std::size_t size = world.textArea.size();
    std::size_t pos = entry * 4;
    for (int v = 1; v < variant; ++v) {
        while (pos < size && area[pos] != 0)
            ++pos;
        if (pos >= size) return std::nullopt;
        ++pos;
    }
    if (pos >= size) return std::nullopt;
    std::size_t stop = pos;
    while (stop < size && area[stop] != 0)
        ++stop;
    return std::string_view(area + pos, stop - pos);
}

void expectSameAsWalking(const World& world) {
    for (int mark = 0; mark < 256; ++mark) {
        for (const int variant : {-1, 0, 1, 2, 3, 4, 5, 6, 17, 255, 256, 1000, 70000, 300000}) {
            const auto m = static_cast<uint8_t>(mark);
            ASSERT_EQ(world.textVariant(m, variant), walkedVariant(world, m, variant))
                << "mark " << mark << " variant " << variant;
        }
    }
}

Story markStory() {
    Story s;
    s.setText(0, {"Systemmeldung eins", "", "Systemmeldung drei"});
    s.setText(1, {"Eins", "Zwei\nmit Folgezeile"});
    s.setText(7, {""});
    s.setText(255, {"Letzte Marke", "Ende"});
    return s;
}

TEST(TextVariantTest, LoadedStoryAnswersEveryMarkAndVariantAsTheAreaReads) {
    const World world = parseStory(storykit::writeStory(markStory()), "test.vux");
    expectSameAsWalking(world);

    EXPECT_EQ(world.textVariant(0, 1), "Systemmeldung eins");
    EXPECT_EQ(world.textVariant(0, 2), "");
    EXPECT_EQ(world.textVariant(0, 3), "Systemmeldung drei");
    EXPECT_EQ(world.textVariant(1, 2), "Zwei\nmit Folgezeile");
    EXPECT_EQ(world.textVariant(255, 1), "Letzte Marke");
    EXPECT_EQ(world.textVariant(255, 2), "Ende");
    // Past the last text only zeros follow: empty texts up to the area's end.
    EXPECT_EQ(world.textVariant(255, 3), "");
    EXPECT_EQ(world.textVariant(255, 300000), std::nullopt);
    // Missing marks and variant 0 give nothing.
    EXPECT_EQ(world.textVariant(2, 1), std::nullopt);
    EXPECT_EQ(world.textVariant(1, 0), std::nullopt);
    EXPECT_EQ(world.textVariant(7, 1), "");
}

// Texts placed by hand where the loader never puts them: at the very end of
// the area without a closing zero, and a block inside the mark index.
TEST(TextVariantTest, TextsAtTheEdgesOfTheAreaAnswerAsTheAreaReads) {
    World world;
    auto place = [&](uint8_t mark, std::size_t offset, std::string_view bytes) {
        world.textArea[2 * mark] = static_cast<uint8_t>((offset / 4) >> 8);
        world.textArea[2 * mark + 1] = static_cast<uint8_t>((offset / 4) & 0xFF);
        std::memcpy(world.textArea.data() + offset, bytes.data(), bytes.size());
    };
    const std::size_t size = world.textArea.size();
    place(3, 600, std::string_view("eins\0zwei\0", 10));
    place(4, size - 8, std::string_view("ab\0cdefg", 8)); // the last text runs to the end
    place(5, 4, "");                                      // block inside the index
    place(6, size - 4, "");                               // inside the last text
    expectSameAsWalking(world);

    EXPECT_EQ(world.textVariant(4, 2), "cdefg");
    EXPECT_EQ(world.textVariant(4, 3), std::nullopt);
    EXPECT_EQ(world.textVariant(6, 1), "defg");
    EXPECT_EQ(world.textVariant(3, 2), "zwei");
    EXPECT_EQ(world.textVariant(3, 3), "");
}

TEST(TextVariantTest, AChangedAreaAnswersAfterIndexingAgain) {
    World world;
    world.textArea[2] = 0;
    world.textArea[3] = 200; // mark 1 at offset 800
    std::memcpy(world.textArea.data() + 800, "eins\0zwei", 10);
    EXPECT_EQ(world.textVariant(1, 2), "zwei");
    std::memcpy(world.textArea.data() + 800, "ei\0ns\0zwei", 11);
    world.indexTexts();
    EXPECT_EQ(world.textVariant(1, 2), "ns");
    EXPECT_EQ(world.textVariant(1, 3), "zwei");
    expectSameAsWalking(world);
}

} // namespace
} // namespace rux
