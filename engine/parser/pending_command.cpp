#include "engine/engine.h"
#include "engine/parser/command_steps.h"

namespace rux {

void storePendingCommand(Engine& engine) {
    const ParsedCommand& c = engine.parser.command;
    const CommandSlots& slots = engine.world.command;
    engine.parser.pending = {slots.verb,        c.firstObject,   c.secondObject,  c.mitObject,
                             slots.direction,   c.prepAccObject, c.prepDatObject, slots.particle,
                             slots.preposition, slots.action,    c.firstPhrase,   c.secondPhrase,
                             c.mitPhrase,       c.prepPhrase};
}

void restorePendingCommand(Engine& engine) {
    const PendingCommand& pending = engine.parser.pending;
    ParsedCommand& c = engine.parser.command;
    CommandSlots& slots = engine.world.command;
    slots.verb = pending.verb;
    c.firstObject = pending.firstObject;
    c.secondObject = pending.secondObject;
    c.mitObject = pending.mitObject;
    slots.direction = pending.direction;
    c.prepAccObject = pending.prepAccObject;
    c.prepDatObject = pending.prepDatObject;
    slots.particle = pending.particle;
    slots.preposition = pending.preposition;
    slots.action = pending.action;
    c.firstPhrase = pending.firstPhrase;
    c.secondPhrase = pending.secondPhrase;
    c.mitPhrase = pending.mitPhrase;
    c.prepPhrase = pending.prepPhrase;
}

} // namespace rux
