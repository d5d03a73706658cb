#pragma once
// Ending the text of an action or a score message.

namespace rux {

class Engine;

// Ends the paragraph when the current screen line holds text, so that what
// follows starts a paragraph of its own; an empty line needs no break,
// except after the last object of a command that names several.
void finishParagraph(Engine& engine);

} // namespace rux
