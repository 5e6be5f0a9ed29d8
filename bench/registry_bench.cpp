// Adding and removing input tables in the registry: a wall with tens of
// thousands of curve rows has as many sub-tables, and each table must leave
// the registry in constant time whichever end it leaves from (the complexity
// line reads "N"; a search of every table on removal made 300,000 tables take
// about 27 s).
// Build with -DTORVIK_BENCHMARKS=ON; run build/bench/registry_bench.
#include "tables/GridTable.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

// `state.range(0)` tables made, then destroyed from the front (range(1) = 1)
// or from the back (0).
void BM_RegistryAddRemove(benchmark::State& state)
{
    const auto count = static_cast<std::size_t>(state.range(0));
    const bool fromFront = state.range(1) != 0;
    TTableScope scope;
    for (auto _ : state) {
        std::vector<std::unique_ptr<TGridTable>> tables(count);
        for (auto& t : tables)
            t = std::make_unique<TGridTable>(scope);
        if (fromFront)
            for (auto& t : tables)
                t.reset();
        else
            for (auto t = tables.rbegin(); t != tables.rend(); ++t)
                t->reset();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RegistryAddRemove)
    ->ArgsProduct({benchmark::CreateRange(1 << 12, 1 << 18, 4), {1, 0}})
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace
