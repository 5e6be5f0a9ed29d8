#pragma once
#include "checks/DesignChecks.h"

#include <string>
#include <vector>

// The section and anchor checks laid out as one table of text, a row per stage
// or case: for the calculation report and the Design Checks window alike.
// The largest bending and shear utilisations and each anchor's governing
// stage are marked in their cells.
namespace checks {

enum UtilisationColumn {
    UtilisationStage,
    UtilisationBending,
    UtilisationBendingDepth,
    UtilisationShear,
    UtilisationShearDepth,
    UtilisationAnchors,
    UtilisationColumnCount
};

struct UtilisationTable {
    std::vector<std::string> header;             // with the wall's units in brackets
    std::vector<std::vector<std::string>> rows;  // one per stage; an anchor cell holds a line per anchor
    std::vector<std::pair<int, int>> governingCells;  // (row, column) of the marked cells
};

// What a governing value carries in its cell.
constexpr const char* kLargestMark = " (largest)";

// The table of `report`, numbers through the one number-formatting module.
UtilisationTable MakeUtilisationTable(const DesignCheckReport& report);

}  // namespace checks
