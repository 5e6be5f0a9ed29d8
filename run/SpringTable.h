#pragma once
// The forces of the springs and anchors of every stage or case, from the
// analysis's values, each cell as the engine's output text writes it (the plot
// data file has no place for them): for the CSV export, the calculation report
// and the command line.
#include "engine/SectionRun.h"
#include "run/ResultTables.h"

#include <string>
#include <vector>

struct TSpringTable {
    // One spring in one analysis: its cells as the output text writes them
    // (node, depth, K, P0, installed in stage, y0, y, F, force per anchor, Fv).
    struct Row {
        std::string Stage;  // as the result tables name it: "Stage 2", "Short-term", "Analysis"
        std::vector<std::string> Cells;
    };
    std::vector<std::string> Header;  // the column names with their units
    std::vector<Row> Rows;
    std::vector<std::string> Notes;   // what the columns mean and the assumptions of the analysis

    bool Empty() const { return Rows.empty(); }
};

// Column of the spring force per unit width, and of the force per anchor.
constexpr size_t SpringColumnForce = 7;
constexpr size_t SpringColumnPerAnchor = 8;

// The spring tables of every analysis with usable results; empty without springs.
TSpringTable SpringTableOf(const std::vector<SectionRun>& sections);
// The spring table of the results beside the wall data file `wallFile`
// (LoadResultValues); empty when it has none or no springs.
TSpringTable LoadSpringTable(const std::string& wallFile);

// The table as CSV (a header row, then one row per analysis and spring, the
// first column naming the analysis; lines end in CR LF); "" when empty.
std::string SpringTableCsv(const TSpringTable& table);
// The results of the wall as CSV (ResultsCsv, with the utilisation columns of
// the sections in `settings`), followed after an empty line by its spring
// table when its results have one, and after another the combinations of
// its design approach when `settings` set one (CombinationsCsv).
std::string WallResultsCsv(const TResultSet& results, const std::string& wallFile, const TWallSettings& settings);
