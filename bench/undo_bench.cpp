// What one step of Undo costs: taking the state of the open wall after a
// change, and putting a state back, for the three-stage example (every stage
// in its working copy) and for the cantilever example (one data file text).
// Build with -DTORVIK_BENCHMARKS=ON; run build/bench/undo_bench.
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "model/WallState.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<TProgramData> OpenExample(BatchHost& host, const char* name)
{
    auto wall = TProgramData::CreateFromFile(host, std::string(TORVIK_SOURCE_DIR) + "/examples/" + name,
                                             TFileLayout::Current);
    if (wall->StageCount > 1)
        SplitStagedFile(*wall, wall->FileName);
    return wall;
}

void TakeState(benchmark::State& state, const char* example)
{
    BatchHost host;
    auto wall = OpenExample(host, example);
    for (auto _ : state)
        benchmark::DoNotOptimize(TakeWallState(*wall));
}

void PutStateBack(benchmark::State& state, const char* example)
{
    BatchHost host;
    auto wall = OpenExample(host, example);
    const std::string taken = TakeWallState(*wall);
    for (auto _ : state)
        RestoreWallState(*wall, taken);
}

BENCHMARK_CAPTURE(TakeState, ThreeStages, "three-stage-excavation.tk4d")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TakeState, Cantilever, "cantilever-sand.tk4d")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PutStateBack, ThreeStages, "three-stage-excavation.tk4d")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PutStateBack, Cantilever, "cantilever-sand.tk4d")->Unit(benchmark::kMicrosecond);

}  // namespace
