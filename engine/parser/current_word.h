#pragma once
// The word the parser has in hand, published for the story's scripts.

namespace rux {

class Engine;

// Sets wordListIndex to the word list entry (last match wins) of the word at
// parsePosition, wordListCount + 1 for a word not in the list and 0 when
// there is no word, and byte variable 30 to the word's length.
void publishCurrentWord(Engine& engine);

} // namespace rux
