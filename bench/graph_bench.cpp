// Graph drawing and plot data reading, run by hand:
//   cmake -DTORVIK_BENCHMARKS=ON ..., then build/bench/graph_bench
#include "bench/BenchApplication.h"
#include "graph/GraphGeometry.h"
#include "graph/widgets/GraphPainter.h"
#include "run/ReadPlotFile.h"
#include "run/ResultGraphs.h"
#include "units/Constants.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

QGuiApplication& Application() { return BenchApplication<QGuiApplication>("graph_bench"); }

// A depth graph of `curves` deflection-like curves of `points` points each.
void FillGraph(TGraphPlot& g, int curves, int points)
{
    g.SetLineCount(curves);
    g.SetPointCount(points);
    g.XCaption = "Deflection";
    g.XUnits = "L";
    g.YCaption = "Depth (ft)";
    for (int i = 0; i < curves; ++i)
        for (int j = 0; j < points; ++j) {
            const long double t = static_cast<long double>(j) / (points - 1);
            g.Points(i, j) = {(i + 1) * 0.05L * std::pow(1 - t, 3) - 0.01L * std::sin(kPiLong * t), 30 * t};
        }
}

void Repaint(benchmark::State& state, TPlotTarget target, int markers)
{
    Application();
    TGraphPlot g;
    FillGraph(g, 20, 301);
    g.Markers = markers;
    QImage image(1600, 1000, QImage::Format_RGB32);
    TGraphRenderOptions o;
    o.Target = target;
    o.Client = {0, 0, 1600, 1000};
    o.Ranges = *GraphRanges(g);
    for (auto _ : state) {
        QPainter p(&image);
        TGraphPainter::Render(p, g, o);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_Repaint20x301(benchmark::State& state) { Repaint(state, TPlotTarget::Screen, 0); }
void BM_Repaint20x301Markers(benchmark::State& state) { Repaint(state, TPlotTarget::Screen, 1); }
void BM_Repaint20x301BitmapLegend(benchmark::State& state) { Repaint(state, TPlotTarget::Bitmap, 0); }

// A plot data file at the limits: 5 sections of 301 pressure points and 301
// result rows, 50 p-y curves of `curvePoints` points.
std::string LimitFile(int curvePoints)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / ("graph_bench_" + std::to_string(curvePoints) + ".tk4p")).string();
    std::ofstream out(path);
    for (int s = 1; s <= 5; ++s) {
        out << "301\n";
        for (int j = 0; j < 301; ++j)
            out << 1.2 * j << " " << 0.45 * j << " " << 0.4 * j << " " << 0.05 * j << "\n";
        out << "1\n50\n";
        for (int c = 0; c < 50; ++c) {
            out << 12.5 * (c + 1) << " " << curvePoints << "\n";
            for (int j = 0; j < curvePoints; ++j)
                out << 0.01 * j << " " << 40 * std::tanh(0.2 * j) << "\n";
        }
        out << "5\n301\n0\n";
        for (int j = 0; j < 301; ++j)
            out << 1.2 * j << " " << 0.001 * (301 - j) << " " << 1234.5 * s * std::sin(0.01 * j) << " "
                << -87.25 * j << " " << 3.5 * j << "\n";
    }
    return path;
}

void ReadLimits(benchmark::State& state, int curvePoints)
{
    const std::string path = LimitFile(curvePoints);
    TResultGraphs graphs;
    TPlotReadContext context;
    context.SoilLayers = {{4, 10}, {1, 20}, {5, 30}};
    for (auto _ : state) {
        if (!ReadPlotFile(graphs, path, false, context, nullptr))
            state.SkipWithError(context.ErrorMessage.c_str());
        benchmark::DoNotOptimize(graphs.Deflection.PointCount());
    }
    state.SetLabel(std::to_string(std::filesystem::file_size(path) / 1024) + " KiB");
}

void BM_ReadPlotFileLimits20PointCurves(benchmark::State& state) { ReadLimits(state, 20); }
void BM_ReadPlotFileLimits301PointCurves(benchmark::State& state) { ReadLimits(state, 301); }

}  // namespace

BENCHMARK(BM_Repaint20x301)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Repaint20x301Markers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Repaint20x301BitmapLegend)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPlotFileLimits20PointCurves)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPlotFileLimits301PointCurves)->Unit(benchmark::kMillisecond);
