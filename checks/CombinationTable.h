#pragma once
#include "checks/DesignChecks.h"

#include <string>
#include <vector>

// The combinations of a design approach laid out as tables of text, one per
// stage or case, a row per combination: for the Design Checks window, the
// calculation report and the CSV export alike, so that all three show the
// same cells. The governing combination carries a word, not only a style.
namespace checks {

enum CombinationColumn {
    CombinationName_,
    CombinationExcavation,
    CombinationAnalysis,
    CombinationOverDesign,
    CombinationMoment,
    CombinationShear,
    CombinationBending,
    CombinationShearUtilisation,
    CombinationAnchors,
    CombinationPassed,
    CombinationColumnCount
};

// What the governing combination's name carries in its cell.
constexpr const char* kGoverningMark = " (governing)";

struct CombinationTable {
    std::string heading;                         // the stage's: "Stage 2 of 3", "Analysis", ...
    std::vector<std::string> header;             // with the wall's units in brackets
    std::vector<std::vector<std::string>> rows;  // one per combination; an anchor cell holds a line per anchor
    int governingRow = -1;                       // -1 when none governs
};

// The tables of `report`, one per stage; none without a design approach.
// Numbers through the one number-formatting module.
std::vector<CombinationTable> MakeCombinationTables(const DesignCheckReport& report);

// The partial factors the report's approach used, a line each ("A1: gamma_G
// 1.35, gamma_Q 1.5"); none without an approach.
std::vector<std::string> FactorLines(const DesignCheckReport& report);

}  // namespace checks
