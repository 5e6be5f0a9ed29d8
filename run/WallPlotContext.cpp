// The plot reader's view of the open wall: its fields and soil layers table.
#include "model/WallDocument.h"
#include "model/ProgramData.h"
#include "run/ReadPlotFile.h"
#include "run/ResultTables.h"
#include "tables/Data.h"
#include "tables/GridTable.h"
#include "tables/WallTables.h"

#include <filesystem>
#include <memory>

TPlotReadContext PlotReadContext(const TProgramData& wall)
{
    TPlotReadContext context;
    context.UnitSystem = wall.UnitSystem();
    context.LongTermMarker = LongTermMarkerOf(wall.LongTermAnalysis);
    context.NodeCount = wall.NodeCount;
    context.IncrementLength = wall.IncrementLength;
    context.WallHeight = wall.WallHeight;
    // As the analysis takes it: generated earth pressure (options 2 and 3) loads the active width.
    context.StripWidth =
        GeneratesPressure(wall.EarthPressureKind) && wall.ActiveWidth > 0 ? static_cast<double>(wall.ActiveWidth) : 1.0;
    const TGridTable& soil = wall.Document().Tables()[WallTable::NewSoil];
    for (int r = 0; r < soil.RowCount(); ++r)
        context.SoilLayers.push_back({soil.Cell(0, r).AsInteger(), soil.Cell(1, r).AsFloat()});
    return context;
}

bool ReadPlotFile(TResultGraphs& graphs, const std::string& fileName, bool reportErrors, TProgramData& wall)
{
    TPlotReadContext context = PlotReadContext(wall);
    const bool ok = ReadPlotFile(graphs, fileName, reportErrors, context, &wall.Document().UserPrompt());
    wall.PressurePointCount = context.PressurePointCount;
    return ok;
}

std::string PlotFileName(const std::string& dataFileName)
{
    return std::filesystem::path(dataFileName).replace_extension(".tk4p").string();
}

bool LoadWallResults(const std::string& wallFile, TResultGraphs& graphs, std::string& error)
{
    TPlotReadContext context;
    if (!ReadWallContext(wallFile, context, error))
        return false;
    std::error_code ec;
    const std::string plotFile = PlotFileName(wallFile);
    if (!std::filesystem::is_regular_file(plotFile, ec)) {
        error = "The plot data file " + plotFile + " does not exist.";
        return false;
    }
    if (!ReadPlotFile(graphs, plotFile, false, context, nullptr)) {
        error = "The plot data file " + plotFile + " cannot be read: " + context.ErrorMessage;
        return false;
    }
    return true;
}
