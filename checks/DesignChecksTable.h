#pragma once
#include "checks/DesignChecks.h"

#include <string>
#include <vector>

// The design checks laid out as one table of text, a row per stage or case,
// with the remarks that go under it: for the calculation report and the
// program's window alike, so that both show the same cells.
namespace checks {

struct DesignChecksTable {
    std::vector<std::string> header;             // with the wall's units in brackets
    std::vector<std::vector<std::string>> rows;  // one per stage, in the order of the checks
    std::vector<std::string> remarks;            // per-stage limit-equilibrium notes, governing stage, definition
    int governingRow = -1;                       // the row of the governing stage; -1 when none
};

// Column numbers of the table.
enum DesignChecksColumn {
    ColumnStage,
    ColumnSafetyFactor,
    ColumnLimit,
    ColumnRequiredTip,
    ColumnMobilisedPassive,
    ColumnEmbedment,
    ColumnAnchorForce,
    ColumnLimitEquilibriumMoment,
    ColumnGoverningApproach,
    ColumnDeflection,
    ColumnResult,
    ColumnCount
};

// The cells of a check that does not apply or has no value.
constexpr const char* kNoValue = "-";

// The table of `report`; numbers through the one number-formatting module
// (4 significant digits, F to 0.01).
DesignChecksTable MakeDesignChecksTable(const DesignCheckReport& report);

}  // namespace checks
