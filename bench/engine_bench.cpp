// The engine's full in-process call (read the data file, build the loads and
// p-y curves, iterate, write the three outputs) on a 300-increment wall in five
// layers with generated pressure and p-y curves, on a five-stage wall and on a
// 200-increment pile in soft clay; also the walls through the library's entry
// point, and the program's whole run of a wall. With TORVIK_BEFORE_ENGINE naming a directory
// that holds another build of the engine library, the pile and the five-stage
// wall are also run through that library, so that two versions compare in one run.
// Run by hand: build/bench/engine_bench --benchmark_repetitions=9
#include "engine/EngineRun.h"
#include "engine/tests/TestWall.h"
#include "run/AnalysisRun.h"
#include "run/DynamicLibrary.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A 15 m wall (300 increments of 0.05 m), 6 m excavation, in five layers.
void FiveLayers(TestWall& w)
{
    w.wall->Title = "Benchmark wall: 300 increments, five layers";
    w.Stiffness(0, 300, 1.5e5);
    w.Generated(TEarthPressure::Triangular, 6.0, 1.0, 1.0);
    w.wall->WaterDepthBackfill = 4.0;
    w.wall->WaterDepthExcavation = 6.0;
    w.wall->MaxDeflection = 2.0;
    w.wall->ClosureTolerance = 1e-6;
    w.Layer(4, 3.0, {18, 32, 20000}, {18, 33, 20000});
    w.Layer(4, 6.5, {19, 34, 24000}, {19, 34, 24000});
    w.Layer(3, 9.0, {19, 80, 0.007, 0}, {19, 100, 0.006, 0});
    w.Layer(5, 12.0, {19.5, 30, 20, 0.008, 30000}, {19.5, 30, 25, 0.008, 30000});
    w.Layer(4, 20.0, {20, 36, 30000}, {20, 37, 30000});
}

// A 20 m pile (200 increments of 0.1 m, EI 2e5 kN m2) in soft clay, 100 kN at the head.
void SoftClayPile(TestWall& w)
{
    w.wall->Title = "Benchmark pile: 200 increments in soft clay";
    w.Stiffness(0, 200, 2e5);
    w.Generated(TEarthPressure::None, 0.0, 0.6, 0.6);
    w.wall->WaterDepthBackfill = 0;
    w.wall->WaterDepthExcavation = 0;
    w.wall->MaxDeflection = 2.0;
    w.wall->ClosureTolerance = 1e-6;
    w.Load(0, 0, 100);
    w.Layer(1, 30.0, {17, 20, 0.02, 0}, {18, 60, 0.01, 0});
}

struct Files {
    fs::path dir;
    RunFiles single, staged, pile;
};

RunFiles Names(const fs::path& data)
{
    RunFiles f;
    f.dataFile = data.string();
    f.outputText = fs::path(data).replace_extension(".tk4o").string();
    f.plotFile = fs::path(data).replace_extension(".tk4p").string();
    f.runNotes = fs::path(data).replace_extension(".tk4r").string();
    return f;
}

// The data files, written once by the program's writer.
const Files& TheFiles()
{
    static const Files files = [] {
        Files f;
        f.dir = fs::temp_directory_path() / "torvik-engine-bench";
        fs::create_directories(f.dir / "bin");
        f.single = Names(f.dir / "single.tk4d");
        f.staged = Names(f.dir / "staged.tk4d");
        f.pile = Names(f.dir / "pile.tk4d");
        {
            TestWall w(UnitSystem::SI, 200, 0.1);
            SoftClayPile(w);
            w.Save(f.pile.dataFile);
        }
        {
            TestWall w(UnitSystem::SI, 300, 0.05);
            FiveLayers(w);
            w.Save(f.single.dataFile);
        }
        {
            TestWall w(UnitSystem::SI, 300, 0.05);
            FiveLayers(w);
            std::ofstream(f.staged.dataFile, std::ios::binary) << w.StagedText(5, [&w](TProgramData& wall, int k) {
                wall.WallHeight = 1.5 * k;
                if (k >= 3 && k % 2 == 1)
                    w.Spring(20 * (k - 2), 20 * (k - 2), 60000);  // struts at 1 m and 2 m
            });
        }
        fs::copy_file(fs::path(TORVIK_BIN_DIR) / EngineLibraryName, f.dir / "bin" / EngineLibraryName,
                      fs::copy_options::overwrite_existing);
        return f;
    }();
    return files;
}

void Report(benchmark::State& state, const RunOutcome& o)
{
    int iterations = 0;
    for (const SectionRun& s : o.sections)
        iterations += s.result.Iterations();
    state.counters["sections"] = static_cast<double>(o.sections.size());
    state.counters["iterations"] = iterations;
    if (!o.plotWritten)
        state.SkipWithError("the analysis wrote no plot data file");
}

void SingleWall(benchmark::State& state)
{
    const RunFiles& f = TheFiles().single;
    RunOutcome o;
    for (auto _ : state)
        o = EngineRun::Run(f);
    Report(state, o);
}
BENCHMARK(SingleWall)->Unit(benchmark::kMillisecond);

void FiveStages(benchmark::State& state)
{
    const RunFiles& f = TheFiles().staged;
    RunOutcome o;
    for (auto _ : state)
        o = EngineRun::Run(f);
    Report(state, o);
}
BENCHMARK(FiveStages)->Unit(benchmark::kMillisecond);

void Pile(benchmark::State& state)
{
    const RunFiles& f = TheFiles().pile;
    RunOutcome o;
    for (auto _ : state)
        o = EngineRun::Run(f);
    Report(state, o);
}
BENCHMARK(Pile)->Unit(benchmark::kMillisecond);

// The iterations a library's run took, from its run notes ("Converged in N iterations.").
int IterationsInNotes(const std::string& notes)
{
    std::ifstream in(notes, std::ios::binary);
    std::string line;
    int total = 0;
    const std::string key = "Converged in ";
    while (std::getline(in, line)) {
        if (line.rfind("  Status: ", 0) != 0)
            continue;
        const auto at = line.find(key);
        if (at != std::string::npos)
            total += std::stoi(line.substr(at + key.size()));
    }
    return total;
}

// A wall through the entry point of the engine library in `directory`: loaded,
// called and released each time, as the program does, in a run folder whose
// names.dat was written once, so that only the engine is measured (the
// program's own side of a run, its folder and the results placed beside the
// wall, is ProgramRun's). A library of this build is given the folder; one of
// an earlier release has only "_ITORVIK", which reads names.dat in the working
// directory, so the benchmark makes the folder its working directory for it.
void ThroughLibrary(benchmark::State& state, const RunFiles& f, const std::string& directory)
{
    const fs::path folder = fs::path(f.dataFile).parent_path() / ("run-" + fs::path(f.dataFile).stem().string());
    fs::create_directories(folder);
    std::ofstream(folder / "names.dat", std::ios::binary) << NamesFileText(f.dataFile);
    const std::string library = directory + "/" + EngineLibraryName;
    if (!DynamicLibrary(library).Symbol("TorvikRunInFolder"))
        fs::current_path(folder);
    for (auto _ : state) {
        const DynamicLibrary engine(library);
        if (const auto inFolder = reinterpret_cast<void (*)(const char*)>(engine.Symbol("TorvikRunInFolder")))
            inFolder(folder.string().c_str());
        else if (const auto entry = reinterpret_cast<void (*)(std::int32_t)>(engine.Symbol("_ITORVIK")))
            entry(6);
        else
            return state.SkipWithError("the engine library could not be called");
    }
    state.counters["iterations"] = IterationsInNotes(f.runNotes);
}

// The library of this build, and the one named by TORVIK_BEFORE_ENGINE (if set).
std::string LibraryDirectory(bool before)
{
    if (!before)
        return (TheFiles().dir / "bin").string();
    const char* dir = std::getenv("TORVIK_BEFORE_ENGINE");
    return dir ? dir : "";
}

void PileThroughLibrary(benchmark::State& state)
{
    const std::string dir = LibraryDirectory(state.range(0) == 1);
    if (dir.empty())
        return state.SkipWithError("TORVIK_BEFORE_ENGINE is not set");
    ThroughLibrary(state, TheFiles().pile, dir);
}
BENCHMARK(PileThroughLibrary)->ArgName("before")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void FiveStagesThroughLibrary(benchmark::State& state)
{
    const std::string dir = LibraryDirectory(state.range(0) == 1);
    if (dir.empty())
        return state.SkipWithError("TORVIK_BEFORE_ENGINE is not set");
    ThroughLibrary(state, TheFiles().staged, dir);
}
BENCHMARK(FiveStagesThroughLibrary)->ArgName("before")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The program's whole run of a wall: its run folder and names.dat, the call of
// this build's library and the results placed beside the wall, all together.
void ProgramRun(benchmark::State& state, const RunFiles& f)
{
    for (auto _ : state)
        if (CallEngine(f.dataFile, (TheFiles().dir / "bin").string()) != TEngineCall::Completed)
            state.SkipWithError("the engine library could not be called");
}
void SingleWallProgramRun(benchmark::State& state) { ProgramRun(state, TheFiles().single); }
BENCHMARK(SingleWallProgramRun)->Unit(benchmark::kMillisecond);
void PileProgramRun(benchmark::State& state) { ProgramRun(state, TheFiles().pile); }
BENCHMARK(PileProgramRun)->Unit(benchmark::kMillisecond);

}  // namespace
