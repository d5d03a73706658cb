#pragma once
// Test support for the script machine: a story whose routines are
// assembled code, loaded into a fresh engine, and short ways to run and
// inspect it.

#include "engine/script/interpreter.h"
#include "engine/text/output.h"
#include "storykit/assembler.h"
#include "tests/support/test_engine.h"

#include <memory>
#include <string>
#include <vector>

namespace rux::test {

class ScriptRunner {
  public:
    // Routines 1, 2, ... are the given code blocks, added to `story`.
    explicit ScriptRunner(std::vector<storykit::Code> routines, storykit::Story story = {}) {
        for (storykit::Code& code : routines)
            story.addRoutine(std::move(code));
        test_ = loadTestStory(story);
    }

    Engine& engine() { return **test_; }
    World& world() { return test_->world(); }
    ScriptedHost& host() { return test_->host; }

    void run(int routine = 1) { runRoutine(engine(), static_cast<uint8_t>(routine)); }
    CodeBlock routine(int n) { return world().findRoutine(static_cast<uint8_t>(n))->script; }

    int byteVar(int i) { return world().byteVariables[i]; }
    // Byte variables first, first + 1, ...: one comparison checks a row of results.
    std::vector<int> byteVars(int first, int count) {
        std::vector<int> values;
        for (int i = first; i < first + count; ++i)
            values.push_back(byteVar(i));
        return values;
    }
    int32_t longVar(int i) { return world().longVariables[i]; }
    bool aborted() { return world().byteVariables[13] != 0; }
    std::string output() { return scrollbackText(engine()); }

  private:
    std::unique_ptr<TestEngine> test_;
};

// A single routine made of the assembler's finished code.
inline ScriptRunner runnerFor(storykit::Assembler& a, storykit::Story story = {}) {
    return ScriptRunner({a.finish()}, std::move(story));
}

// The same, already run.
inline ScriptRunner runScript(storykit::Assembler& a, storykit::Story story = {}) {
    ScriptRunner runner = runnerFor(a, std::move(story));
    runner.run();
    return runner;
}

} // namespace rux::test
