#pragma once
// The built-in parts of the standard actions that concern the game rather
// than the world: looking, the inventory, quitting, restarting, saving,
// restoring, undo, the transcript, display modes and footnotes.

namespace rux {

class Engine;

namespace actions {

void look(Engine& engine);
void inventory(Engine& engine);
void quit(Engine& engine);
void restart(Engine& engine);
void restore(Engine& engine);
void save(Engine& engine);
void scoreMessages(Engine& engine);
void undo(Engine& engine);
void footnote(Engine& engine);

}  // namespace actions
}  // namespace rux
