// The interpreter's hot paths on assembled byte code, reported as the
// time per loop pass ("per_pass"):
//   loop:  a while loop over a long variable, one addition and one
//          comparison per pass;
//   arith: per pass add, subtract, multiply, divide, remainder, and, or and
//          an if/else;
//   calls: a routine called through instruction 17 once per pass.

#include "engine/script/interpreter.h"
#include "storykit/assembler.h"
#include "tests/support/test_engine.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace rux::storykit;

constexpr int passes = 10000;
constexpr int counter = 10; // long variable 10 counts the passes
constexpr int limit = 1;    // long constant 1 holds the number of passes

// Loads a story whose routine 1 is the benchmark loop around `body`, and
// whose further routines are `others`.
std::unique_ptr<rux::test::TestEngine> loadLoop(void (*body)(Assembler&),
                                                std::vector<Code> others = {}) {
    Assembler a;
    a.assign(longVar(counter), num(0));
    a.while_(cond(lt(longVar(counter), longConst(limit))));
    a.add(longVar(counter), num(1));
    body(a);
    a.end();
    Story story;
    story.longConstants = {passes, 1000};
    story.addRoutine(a.finish());
    for (Code& code : others)
        story.addRoutine(std::move(code));
    return rux::test::loadTestStory(story);
}

void runPasses(benchmark::State& state, rux::Engine& engine) {
    for (auto _ : state) {
        rux::runRoutine(engine, 1);
        benchmark::DoNotOptimize(engine.world.longVariables[counter]);
    }
    if (engine.world.longVariables[counter] != passes) state.SkipWithError("the loop did not run");
    // Seconds per pass, printed with an SI prefix ("7.5n" is 7.5 ns).
    state.counters["per_pass"] = benchmark::Counter(
        passes, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_InterpreterLoop(benchmark::State& state) {
    auto test = loadLoop([](Assembler&) {});
    runPasses(state, **test);
}
BENCHMARK(BM_InterpreterLoop);

void BM_InterpreterArith(benchmark::State& state) {
    auto test = loadLoop([](Assembler& a) {
        a.assign(longVar(11), longVar(counter));
        a.add(longVar(11), num(7));
        a.sub(longVar(11), num(3));
        a.mul(longVar(11), num(5));
        a.div(longVar(11), num(3));
        a.mod(longVar(11), longConst(2));
        a.bitAnd(longVar(11), num(255));
        a.bitOr(longVar(11), num(1));
        a.if_(cond(gt(longVar(11), num(100))))
            .add(longVar(12), num(1))
            .else_()
            .add(longVar(13), num(1))
            .end();
    });
    runPasses(state, **test);
}
BENCHMARK(BM_InterpreterArith);

void BM_InterpreterCalls(benchmark::State& state) {
    auto test = loadLoop([](Assembler& a) { a.callRoutine(2); }, {Assembler().finish()});
    runPasses(state, **test);
}
BENCHMARK(BM_InterpreterCalls);

} // namespace
