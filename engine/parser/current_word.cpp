#include "engine/parser/current_word.h"

#include "engine/engine.h"

namespace rux {

namespace {
constexpr uint8_t currentWordLengthVariable = 30;
}

void publishCurrentWord(Engine& engine) {
    World& world = engine.world;
    const std::string& word = engine.parser.words.word(engine.parser.parsePosition).text;
    uint8_t index = 0;
    for (std::size_t i = 0; i < world.wordList.size() && i < 255; ++i)
        if (world.wordList[i] == word) index = static_cast<uint8_t>(i + 1);
    if (index == 0 && !word.empty()) index = static_cast<uint8_t>(world.counts.wordListCount + 1);
    world.scene.wordListIndex = index;
    world.byteVariables[currentWordLengthVariable] = static_cast<uint8_t>(word.size());
}

} // namespace rux
