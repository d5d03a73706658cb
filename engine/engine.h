#pragma once
// The one object that owns all engine state. Every test builds a fresh one;
// nothing in the engine lives outside it. Each subsystem keeps its state in
// its own struct here; the operations are free functions taking the engine.

#include <string>

#include "engine/host.h"
#include "engine/parser/parser_state.h"
#include "engine/script/machine_state.h"
#include "engine/script/scope_state.h"
#include "engine/script/turn_state.h"
#include "engine/session/save_state.h"
#include "engine/session/transcript_state.h"
#include "engine/text/list_state.h"
#include "engine/text/output_buffer.h"
#include "engine/text/phrase_state.h"
#include "engine/text/text_state.h"
#include "engine/world/world.h"

namespace rux {

class Engine {
public:
    explicit Engine(Host& host) : host(host) {}
    // A fresh engine that takes over the storage of `spare`, whose content
    // the next load replaces: a program that plays many short games (a
    // fuzzer) so avoids allocating the world's large areas for each.
    Engine(Host& host, World&& spare) : host(host), world(std::move(spare)) {}
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    Host& host;
    World world;
    std::string storyFileName;  // the story to load next; cleared once loaded

    MachineState machine;
    ScopeState scope;
    TurnState turn;
    OutputBuffer output;
    TextState text;
    PhraseState phrases;
    ListState lists;
    ParserState parser;
    TranscriptState transcript;
    SaveState saves;
};

}  // namespace rux
