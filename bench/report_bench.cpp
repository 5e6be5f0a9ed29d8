// The calculation report and the CSV export of the three-stage example, run by hand:
//   cmake -DTORVIK_BENCHMARKS=ON ..., then build/bench/report_bench
// The example is analysed once (the engine from build/bin) in a folder of its own.
#include "bench/BenchApplication.h"
#include "model/AtomicFile.h"
#include "run/AnalysisRun.h"
#include "run/ResultTables.h"
#include "run/widgets/CalculationReport.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The analysed three-stage example.
const std::string& Wall()
{
    static const std::string wall = [] {
        const fs::path dir = fs::temp_directory_path() / "torvik-report-bench";
        fs::remove_all(dir);
        fs::create_directories(dir);
        const fs::path wall = dir / "three-stage-excavation.tk4d";
        fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "examples" / "three-stage-excavation.tk4d", wall);
        if (CallEngine(wall.string(), TORVIK_BIN_DIR) != TEngineCall::Completed)
            std::abort();
        return wall.string();
    }();
    return wall;
}

QGuiApplication& Application() { return BenchApplication<QGuiApplication>("report_bench"); }

void BM_ReportOfTheThreeStageExample(benchmark::State& state)
{
    Application();
    const QString wall = QString::fromStdString(Wall());
    const QString pdf = QString::fromStdString((fs::path(Wall()).parent_path() / "report.pdf").string());
    for (auto _ : state)
        if (!TCalculationReport::Write(wall, pdf, QPageSize::A4, nullptr))
            state.SkipWithError("the report was not written");
}
BENCHMARK(BM_ReportOfTheThreeStageExample)->Unit(benchmark::kMillisecond);

void BM_CsvOfTheThreeStageExample(benchmark::State& state)
{
    const std::string csv = (fs::path(Wall()).parent_path() / "results.csv").string();
    for (auto _ : state) {
        TResultSet results;
        std::string error;
        if (!LoadResultTables(Wall(), results, error))
            state.SkipWithError(error.c_str());
        WriteFileAtomically(csv, ResultsCsv(results));
    }
}
BENCHMARK(BM_CsvOfTheThreeStageExample)->Unit(benchmark::kMillisecond);

}  // namespace
