#pragma once
// Undo memory: the images of up to twelve earlier turns.

namespace rux {

class Engine;

// Before a command that is not a meta command: keeps the last turn's end
// image; with twelve kept, the oldest is dropped.
void saveUndo(Engine& engine);
// Takes the game back one turn and tells the player which command was undone.
void undoTurn(Engine& engine);
// Forgets every undo image (restart, restore, a newly loaded story).
void freeUndo(Engine& engine);
bool hasUndo(const Engine& engine);

} // namespace rux
