#pragma once
#include "units/Units.h"

#include <cstdint>
#include <string>
#include <vector>

class Prompt;
class TResultGraphs;

// One row of the soil layers table as the plot reader needs it.
struct TSoilLayerRow {
    int SoilType = 0;         // the stored soil-type code (model/SoilType.h); another value names no kind
    long double Depth = 0;    // depth at the bottom of the layer, as stored in the table
};

// What the plot reader takes from the wall, and what it gives back.
struct TPlotReadContext {
    ::UnitSystem UnitSystem = ::UnitSystem::English;  // the wall's unit system (the combined pressure graph's depths)
    int LongTermMarker = 0;         // 9 after a short-term and long-term analysis
    std::int32_t NodeCount = 0;     // increments of the wall
    long double IncrementLength = 0;
    long double WallHeight = 0;     // free height: the excavation level
    std::vector<TSoilLayerRow> SoilLayers;
    // The width of the strip of wall the results are of, in the wall's length
    // unit: the active width Wa where the earth pressure is generated, else one
    // length unit. The axes name it beside their forces, moments and shears.
    double StripWidth = 1;

    std::int32_t PressurePointCount = 0;  // out: the largest NP of all sections read
    std::string ErrorMessage;             // out: why the read failed (empty on success)
};

// Limits of one section of a plot data file.
constexpr int MaxPlotPoints = 301;  // earth-pressure points, result rows, points of a p-y curve
constexpr int MaxPlotCurves = 50;   // p-y curves, result lines

// The message shown after a run whose plot data file cannot be read.
extern const char* const PlotReadFailedMessage;

// Reads the plot data file `fileName` into the result graphs. Returns false
// when reading failed (file missing or unreadable, a bad number, the file
// ending early, a count beyond the limits); the graphs then hold what was read
// up to the failure. With `reportErrors` a failure shows PlotReadFailedMessage
// through `prompt` (when given).
bool ReadPlotFile(TResultGraphs& graphs, const std::string& fileName, bool reportErrors, TPlotReadContext& context,
                  Prompt* prompt);

class TProgramData;

// The context of a wall: its fields and the rows of its soil layers table.
TPlotReadContext PlotReadContext(const TProgramData& wall);

// Reads the plot data file for `wall`, stores PressurePointCount in it and
// reports a failure (with `reportErrors`) through the prompt of the wall's host.
bool ReadPlotFile(TResultGraphs& graphs, const std::string& fileName, bool reportErrors, TProgramData& wall);

// The plot data file of a wall data file: the same name with extension ".tk4p".
std::string PlotFileName(const std::string& dataFileName);

// For scripts: reads the wall data file `wallFile` (without windows) and its
// plot data file into `graphs`. Returns false with the reason in `error` when
// the wall or its plot data file is missing or cannot be read.
bool LoadWallResults(const std::string& wallFile, TResultGraphs& graphs, std::string& error);
