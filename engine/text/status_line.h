#pragma once
// The three texts of the status line and the room title.

#include <string>

namespace rux {

class Engine;

// Composes the status texts from byte variables 22..24 unless byte
// variable 20 (the number of status lines) is 0.
void updateStatusLine(Engine& engine);
// The formatted text of one field kind; nothing of it reaches the screen.
std::string statusField(Engine& engine, int kind);
// The room title with its markup: the place ("In /b&..2" inside a closed
// container, else the room's name) and the vehicle in brackets.
std::string roomTitlePlace(const Engine& engine);
std::string roomTitlePosition(const Engine& engine);

} // namespace rux
