#pragma once
#include "checks/DesignChecks.h"

#include <string>

// The combinations of a wall's design approach as CSV, for the results
// export: a header row, then a row per stage and combination, the cells of
// the Design Checks window's tables (an anchor cell's lines joined by "; ",
// a value that does not apply empty) and a column saying which combination
// governs its stage. Lines end in CR LF; "" without an approach.
std::string CombinationsCsv(const checks::DesignCheckReport& report);

// The checks of the ground (basal heave, and per anchor its fixed length beyond
// the active wedge and the Kranz factor) as CSV, for the results export: a
// header row, then a row per stage, laid out as the combinations are; "" when
// no stage has one of these checks.
std::string GroundChecksCsv(const checks::DesignCheckReport& report);
