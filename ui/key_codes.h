#pragma once
// The key code a key question receives for a key pressed in the window: the
// capital's code for letter keys (umlauts included), 27 for Escape, 13 for
// Enter, else the typed character in Windows-1252; none for keys that type
// nothing (Shift alone, say), which the question lets pass unanswered.

#include <QString>
#include <optional>

namespace rux::ui {

std::optional<int> keyQuestionCode(int qtKey, const QString& text);

} // namespace rux::ui
