// The complete design checks of the bundled examples (every stage's safety
// factor, required tip and limit-equilibrium estimate); the three-stage
// example should take well under half a second.
#include "checks/DesignChecks.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void DesignChecksOf(benchmark::State& state, const char* example)
{
    const std::string path = std::string(TORVIK_SOURCE_DIR) + "/examples/" + example;
    int analyses = 0;
    for (auto _ : state)
        analyses = checks::RunDesignChecks(path).analyses;
    state.counters["analyses"] = analyses;
}

BENCHMARK_CAPTURE(DesignChecksOf, three_stage, "three-stage-excavation.tk4d")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DesignChecksOf, cantilever_sand, "cantilever-sand.tk4d")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DesignChecksOf, anchored_clay, "anchored-soft-clay.tk4d")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DesignChecksOf, soldier_pile, "soldier-pile-surcharge-water.tk4d")->Unit(benchmark::kMillisecond);

}  // namespace
