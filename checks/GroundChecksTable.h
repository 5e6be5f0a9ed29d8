#pragma once
#include "checks/DesignChecks.h"

#include <string>
#include <vector>

// The checks of the ground around the wall laid out as one table of text, a
// row per stage or case: the base against heave and, per anchor, whether its
// fixed length starts beyond the active wedge and the factor of its block of
// soil (Kranz), their methods said in the report's notes. For the Design Checks window, the calculation report and the
// CSV export alike; its cells "-" where a check is not made.
namespace checks {

enum GroundColumn {
    GroundStage,
    GroundBasalHeave,
    GroundBasalMethod,
    GroundAnchors,
    GroundColumnCount
};

struct GroundChecksTable {
    std::vector<std::string> header;             // with the wall's units in brackets
    std::vector<std::vector<std::string>> rows;  // one per stage; an anchor cell holds a line per anchor
};

// True when a stage of `report` has a basal heave check or an anchor a check of its place.
bool HasGroundChecks(const DesignCheckReport& report);

// The table of `report`, numbers through the one number-formatting module.
GroundChecksTable MakeGroundChecksTable(const DesignCheckReport& report);

}  // namespace checks
