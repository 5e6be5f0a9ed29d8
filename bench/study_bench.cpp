// Studies of the three-stage example: realisations per second on one and two
// workers (the efficiency of the pool: the rate on two over twice that on
// one), 10,000 analyses on every core and 1,000 strength-reduction factors
// (334 realisations of three stages) on every core; the goals are an
// efficiency of at least 90 % and under 30 s for each of the latter two on a
// machine of two cores.
#include "study/Study.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

study::StudyDefinition MonteCarlo(long count, bool safetyFactor)
{
    return study::ParseStudy(R"({"wall": "three-stage-excavation.tk4d", "kind": "monte carlo", "seed": 5,
        "count": )" + std::to_string(count) + R"(, "compute": {"safety_factor": )" + (safetyFactor ? "true" : "false") +
                                 R"(}, "parameters": [
          {"parameter": "layer 1 friction angle", "distribution": "normal", "mean": 33, "deviation": 2},
          {"parameter": "layer 1 k", "distribution": "lognormal", "mean": 20000, "deviation": 6000}]})",
                             "bench");
}

const study::StudyWall& Wall()
{
    static const study::StudyWall wall =
        study::ReadStudyWall(std::string(TORVIK_SOURCE_DIR) + "/examples/three-stage-excavation.tk4d");
    return wall;
}

void Run(benchmark::State& state, long count, bool safetyFactor, int jobs)
{
    const study::StudyDefinition s = MonteCarlo(count, safetyFactor);
    study::RunOptions options;
    options.jobs = jobs;
    for (auto _ : state)
        benchmark::DoNotOptimize(study::RunStudy(s, Wall(), options).rows.size());
    state.counters["realisations_per_second"] =
        benchmark::Counter(static_cast<double>(count) * state.iterations(), benchmark::Counter::kIsRate);
}

void RealisationsPerSecond(benchmark::State& state)
{
    Run(state, 1000, false, static_cast<int>(state.range(0)));
}
BENCHMARK(RealisationsPerSecond)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(3);

void TenThousandAnalyses(benchmark::State& state)
{
    Run(state, 10000, false, 0);
}
BENCHMARK(TenThousandAnalyses)->UseRealTime()->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(3);

void ThousandSafetyFactors(benchmark::State& state)
{
    Run(state, 334, true, 0);
}
BENCHMARK(ThousandSafetyFactors)->UseRealTime()->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(3);

}  // namespace
