// Evaluating long entry texts: the evaluator takes time in proportion to the
// text and never recurses once per character (the complexity lines read "N").
// Build with -DTORVIK_BENCHMARKS=ON; run build/bench/entry_bench.
#include "units/EvaluateEntry.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string Repeat(const std::string& piece, std::size_t times)
{
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

void Evaluate(benchmark::State& state, const std::string& text)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateEntry(text));
    state.SetComplexityN(state.range(0));
}

// "absabs...abs2": one function applied `state.range(0)` times.
void BM_NestedFunctions(benchmark::State& state)
{
    Evaluate(state, Repeat("abs", static_cast<std::size_t>(state.range(0))) + "2");
}

// "1+1+...+1".
void BM_LongSum(benchmark::State& state)
{
    Evaluate(state, "1" + Repeat("+1", static_cast<std::size_t>(state.range(0))));
}

// "((((7))))": `state.range(0)` pairs of parentheses.
void BM_NestedParentheses(benchmark::State& state)
{
    const auto depth = static_cast<std::size_t>(state.range(0));
    Evaluate(state, std::string(depth, '(') + "7" + std::string(depth, ')'));
}

BENCHMARK(BM_NestedFunctions)->RangeMultiplier(4)->Range(1 << 10, 100000)->Complexity(benchmark::oN);
BENCHMARK(BM_LongSum)->RangeMultiplier(4)->Range(1 << 10, 50000)->Complexity(benchmark::oN);
BENCHMARK(BM_NestedParentheses)->RangeMultiplier(4)->Range(1 << 10, 20000)->Complexity(benchmark::oN);

}  // namespace
