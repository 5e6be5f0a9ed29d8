#pragma once
#include "run/ReadPlotFile.h"

#include <string>
#include <vector>

// The results of an analysis as tables, one per stage or case, read straight
// from the plot data file: the rows along the wall with the earth pressures
// beside them, in the units the graphs show. The CSV export, the stage
// envelope and the calculation report all work from these.

// One node of the wall.
struct TResultRow {
    long double Depth = 0;       // ft (English) or m
    long double Deflection = 0;  // in or m
    long double Moment = 0;      // in-kips or kN-m
    long double Shear = 0;       // kips or kN
    long double Reaction = 0;    // soil reaction per unit length of wall: lb/in or kN/m
    // The distributed load of the earth pressure and surcharges (lb/in or kN/m);
    // not a number where the file gives no pressure for the node.
    long double Pressure = 0, PressureSoils = 0, PressureSurcharge = 0;
};

// The results of one stage or case.
struct TStageResults {
    std::string Name;  // "Stage 2", "Short-term", "Long-term", or "Analysis" for a single one
    std::vector<TResultRow> Rows;
};

// The names of the units of each column for a unit system.
struct TResultUnits {
    std::string Depth, Deflection, Moment, Shear, Reaction, Pressure;
};
TResultUnits ResultUnits(UnitSystem unitSystem);

struct TResultSet {
    ::UnitSystem UnitSystem = ::UnitSystem::English;  // generic: consistent units of the user's choice
    std::vector<TStageResults> Stages;
};

// Reads the plot data file `plotFile`. `longTerm` names two sections
// short-term and long-term. Returns false with the reason in `error` when the
// file is missing, ends early or holds a bad number.
bool ReadResultTables(const std::string& plotFile, bool longTerm, TResultSet& results, std::string& error);

// The plot reader's context of a saved wall, read without windows (the
// command line; the program takes it from its open wall). False with the
// reason when the file cannot be read.
bool ReadWallContext(const std::string& wallFile, TPlotReadContext& context, std::string& error);

// The one rule for results that may belong to other input: the plot data
// file of `wallFile` is older than the data file (false when either is missing).
bool ResultsOlderThanData(const std::string& wallFile);
// How every result window, the report and the program's messages mark such results.
extern const char* const OlderResultsNote;
// What result windows say after their title while the results shown are those
// of an earlier state of the wall, because its present state cannot be analysed.
extern const char* const NotCurrentNote;

// The results of the wall data file `wallFile` from its plot data file, the
// stages or cases named from `context`. False with the reason when the plot
// data file is missing or cannot be read, and, unless `acceptOlder` (the
// program, which marks them), when it is older than the data file (its
// results would belong to other input).
bool LoadResultTables(const std::string& wallFile, const TPlotReadContext& context, TResultSet& results,
                      std::string& error, bool acceptOlder = false);
// The same for a wall read with ReadWallContext.
bool LoadResultTables(const std::string& wallFile, TResultSet& results, std::string& error);

// The rows of a table worth printing: every row when there are at most
// `maxRows`, otherwise every `step`-th row (the step chosen so that at most
// maxRows remain) together with the first and last rows and the rows of the
// largest and smallest deflection, moment, shear and soil reaction.
std::vector<size_t> ReadableRows(const std::vector<TResultRow>& rows, size_t maxRows);

// The largest and smallest value of deflection, moment and shear at one depth
// over all stages, with the stage (index into Stages) that gives each.
struct TEnvelopeValue {
    long double Max = 0, Min = 0;
    int MaxStage = 0, MinStage = 0;
};
struct TEnvelopeRow {
    long double Depth = 0;
    TEnvelopeValue Deflection, Moment, Shear;
};

// The envelope of the stages, at the depths of the stage with the most rows.
// A stage whose rows do not reach a depth does not count there; between its
// depths a stage's values are interpolated linearly. Empty without stages.
std::vector<TEnvelopeRow> StageEnvelope(const TResultSet& results);

class TGraphPlot;
// Fills `graph` with the envelope as a three-panel graph (deflection, moment,
// shear), two curves in each: the largest and the smallest values. `basis`
// (StripBasis) follows the units of the moment and the shear.
void FillEnvelopeGraph(TGraphPlot& graph, const std::vector<TEnvelopeRow>& envelope, UnitSystem unitSystem,
                       const std::string& basis = std::string());

// The results as CSV: one header row naming each column and its unit, then
// one block of rows per stage or case, the first column naming it. Numbers
// carry a full stop whatever the locale; lines end in CR LF.
std::string ResultsCsv(const TResultSet& results);
// A CSV field: quoted when it holds a separator, a quote or a line break.
std::string CsvField(const std::string& s);

struct TWallSettings;
// The same with two more columns at the end of every row when the wall's
// settings (as stored, in the wall's own units) give a steel section: the
// bending and the shear utilisation of the section at the row's node (the
// rows are the nodes 0..n), empty where the section lacks the data. Without a
// section the text is that of ResultsCsv(results).
std::string ResultsCsv(const TResultSet& results, const TWallSettings& settings);
