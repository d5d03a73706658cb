#pragma once
// The built-in parts of the standard actions on objects: taking, dropping,
// putting, examining, opening, locking, switching, wearing, talking and
// looking in, on, under and behind things.

namespace rux {

class Engine;

namespace actions {

void take(Engine& engine);
void takeFrom(Engine& engine);
void drop(Engine& engine);
void put(Engine& engine);
void examine(Engine& engine);
void read(Engine& engine);
void open(Engine& engine);
void close(Engine& engine);
void unlock(Engine& engine);
void lock(Engine& engine);
void unlockAndOpen(Engine& engine);
void switchOn(Engine& engine);
void switchOff(Engine& engine);
void wear(Engine& engine);
void takeOff(Engine& engine);
void talkAbout(Engine& engine);
void lookIn(Engine& engine);
void lookOn(Engine& engine);
void lookUnderOrBehind(Engine& engine);

}  // namespace actions
}  // namespace rux
