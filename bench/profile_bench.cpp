// Repaint of the wall and soil profile view, run by hand:
//   cmake -DTORVIK_BENCHMARKS=ON ..., then build/bench/profile_bench
#include "bench/BenchApplication.h"
#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "ui/profile/SideView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <filesystem>

namespace {

QApplication& Application() { return BenchApplication<QApplication>("profile_bench"); }

// The view of a copy of the largest example (the staged excavation) at the
// window's default size; `activate` re-reads the wall before every repaint.
void Repaint(benchmark::State& state, bool activate)
{
    Application();
    namespace fs = std::filesystem;
    const fs::path copy = fs::temp_directory_path() / "profile_bench.tk4d";
    fs::copy_file(fs::path(TORVIK_SOURCE_DIR) / "examples/three-stage-excavation.tk4d", copy,
                  fs::copy_options::overwrite_existing);
    BatchHost host;
    host.SetWall(TProgramData::CreateFromFile(host, copy.string(), TFileLayout::Current));
    TDlgSideView view(host, host.prompt);
    view.resize(572, 404);
    view.FormActivate();
    QImage image(view.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        if (activate)
            view.FormActivate();
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    fs::remove(copy);
}

void BM_ProfileRepaint(benchmark::State& state) { Repaint(state, false); }
void BM_ProfileActivateAndRepaint(benchmark::State& state) { Repaint(state, true); }

}  // namespace

BENCHMARK(BM_ProfileRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProfileActivateAndRepaint)->Unit(benchmark::kMicrosecond);
