// The main window's start and its menus, run by hand:
//   cmake -DTORVIK_BENCHMARKS=ON ..., then build/bench/main_window_bench
// Making the window builds every menu and toolbar button from the command
// table; opening a menu applies the rules of its commands.
#include "bench/BenchApplication.h"
#include "ui/MainForm.h"

#include "units/ScriptedPrompt.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QApplication& Application() { return BenchApplicationWithOwnSettings<QApplication>("main_window_bench"); }

// A new main window with a new wall, shown.
void BM_MainWindowStart(benchmark::State& state)
{
    Application();
    ScriptedPrompt prompt;
    for (auto _ : state) {
        TMainForm form(&prompt);
        form.show();
        benchmark::DoNotOptimize(form.windowTitle());
    }
}
BENCHMARK(BM_MainWindowStart)->Unit(benchmark::kMillisecond);

// Opening the Data and the Options menu of the new wall.
void BM_OpenMenus(benchmark::State& state)
{
    Application();
    ScriptedPrompt prompt;
    TMainForm form(&prompt);
    form.show();
    for (auto _ : state) {
        emit form.DataMenu()->aboutToShow();
        emit form.OptionsMenu()->aboutToShow();
    }
}
BENCHMARK(BM_OpenMenus)->Unit(benchmark::kMicrosecond);

}  // namespace
