// The plot data file, read for a wall of 30 increments with two soil layers
// (SI units) and, on odd first bytes, for an English wall after a long-term run.
#include <cstdio>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "run/ReadPlotFile.h"
#include "run/ResultGraphs.h"
#include "units/Units.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1 || size > 65536)
        return 0;
    TPlotReadContext context;
    if (data[0] % 2 == 0) {
        context.UnitSystem = UnitSystem::SI;
        context.NodeCount = 30;
        context.IncrementLength = 0.1L;
        context.WallHeight = 1.5L;
        context.SoilLayers = {{2, 2.0L}, {4, 3.5L}};
    } else {
        context.UnitSystem = UnitSystem::English;
        context.LongTermMarker = 9;
        context.NodeCount = 100;
        context.IncrementLength = 2.4L;
        context.WallHeight = 120;
        context.SoilLayers = {{1, 4}, {4, 12.5L}, {6, 20}};
    }
    const std::string path = fuzz::TempPath("wall.tk4p");
    fuzz::WriteFile(path, data + 1, size - 1);
    TResultGraphs graphs;
    ReadPlotFile(graphs, path, false, context, nullptr);
    for (auto& [name, graph] : graphs.All())
        fuzz::CheckGraph(*graph);
    std::remove(path.c_str());
    return 0;
}
