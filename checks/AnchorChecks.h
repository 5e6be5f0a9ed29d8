#pragma once
#include "engine/SectionRun.h"
#include "model/WallSettings.h"

#include <optional>
#include <string>
#include <vector>

// The anchors (or struts: any row of lateral springs) of one analysis: the
// force each carries and how much of its capacity that uses.
namespace checks {

struct AnchorCheck {
    int node = 0;                           // the From node of the spring row
    // The row's spring forces summed, per unit width of wall (the analysis
    // stands for the active width of generated earth pressure, else one unit
    // of length), positive where the row holds the wall back.
    double forcePerWidth = 0;
    std::optional<double> forcePerAnchor;   // force along one anchor (tension positive); needs the anchor's settings
    std::optional<double> utilisation;      // force per anchor / capacity; needs the capacity
    // Where the anchor sits in the ground (need its free and fixed lengths): the
    // horizontal distance by which its fixed length starts behind the active
    // wedge (negative: inside it), and the factor of the block of soil between
    // the wall and the anchor (Kranz) against its target.
    std::optional<double> wedgeMargin;
    std::optional<bool> beyondWedge;
    std::optional<double> kranzFactor;
    std::optional<bool> kranzPassed;
};

// One entry per row of lateral springs of `run`'s block (by rising From node),
// its forces summed over the row's nodes, with the anchor settings of the row
// (in the units of the data file). `notes` receives why a value is missing.
// Empty when the analysis gave no usable result.
std::vector<AnchorCheck> CheckAnchors(const SectionRun& run, const TWallSettings& settings, std::vector<std::string>& notes);

}  // namespace checks
