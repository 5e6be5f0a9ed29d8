// Start-up of the main window and opening a wall in it, run by hand:
//   cmake -DTORVIK_BENCHMARKS=ON ..., then build/bench/startup_bench
#include "bench/BenchApplication.h"
#include "ui/MainForm.h"
#include "units/ScriptedPrompt.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardPaths>

#include <cstdlib>
#include <filesystem>

namespace {

QApplication& Application()
{
    QApplication& app = BenchApplication<QApplication>("startup_bench");
    // The user's own settings stay untouched.
    QStandardPaths::setTestModeEnabled(true);
    return app;
}

// The main window made and shown with its new wall, then closed.
void BM_MainWindowStartup(benchmark::State& state)
{
    Application();
    ScriptedPrompt prompt;
    for (auto _ : state) {
        TMainForm form(&prompt);
        form.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_MainWindowStartup)->Unit(benchmark::kMillisecond);

// A staged example wall and its results opened in a shown main window.
void BM_OpenStagedWall(benchmark::State& state)
{
    Application();
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "startup_bench";
    fs::create_directories(dir);
    const fs::path copy = dir / "wall.tk4d";
    ScriptedPrompt prompt;
    TMainForm form(&prompt);
    form.show();
    for (auto _ : state) {
        state.PauseTiming();
        fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "examples/three-stage-excavation.tk4d", copy,
                      fs::copy_options::overwrite_existing);
        state.ResumeTiming();
        form.OpenFileName(copy.string(), false);
        QApplication::processEvents();
    }
    form.SetModified(false);
    fs::remove_all(dir);
}
BENCHMARK(BM_OpenStagedWall)->Unit(benchmark::kMillisecond);

}  // namespace
