#pragma once
#include "checks/EmbedmentSafety.h"
#include "checks/LimitEquilibrium.h"
#include "engine/WallFileReader.h"

#include <optional>
#include <string>
#include <vector>

// The design checks of a wall, for every stage or case: the safety of the
// embedment by strength reduction, the required tip for a target factor, the
// mobilised passive resistance, the limit-equilibrium estimate, and the
// section and anchor checks where the wall gives the data they need.
namespace checks {

// One anchor (a node with a lateral spring) in one stage.
struct AnchorCheck {
    int node = 0;
    double forcePerWidth = 0;               // the spring force of the analysis (F per the wall's width)
    std::optional<double> forcePerAnchor;   // needs the anchor spacing and inclination
    std::optional<double> utilisation;      // needs the anchor capacity
};

struct StageCheck {
    int stage = 1;                          // 1-based, in the file's order
    std::string heading;                    // "Stage 2 of 3", "Analysis", ...
    SafetyFactor safety;
    std::optional<double> requiredTipDepth; // below the top of the wall (L)
    std::optional<double> mobilisedPassive;
    std::optional<double> bendingUtilisation, shearUtilisation;  // need the section's W, fy and shear area
    std::vector<AnchorCheck> anchors;
    LimitEquilibrium limitEquilibrium;
    std::vector<std::string> notes;
    bool passed = false;
};

struct DesignCheckReport {
    std::string wall;                       // the wall's title
    int unitSystem = 1;
    double target = 1.5;
    std::vector<StageCheck> stages;
    std::optional<int> governingStage;      // the stage of the smallest safety factor
    bool passed = false;
    int analyses = 0;                       // engine analyses the checks ran
    std::vector<std::string> notes;         // definitions, units
};

// The default target safety factor.
constexpr double kDefaultTarget = 1.5;

// Runs every check on the blocks of a wall data file. Never throws for an
// analysis that fails; a stage that cannot be analysed at all fails its checks
// with a note saying why.
DesignCheckReport RunDesignChecks(const std::vector<WallFileBlock>& blocks, double target = kDefaultTarget);

// The same on a data file; throws TorvikError when the file cannot be read.
DesignCheckReport RunDesignChecks(const std::string& dataFile, double target = kDefaultTarget);

// The report as text for the command line and the calculation report.
std::string DesignChecksText(const DesignCheckReport& report);

}  // namespace checks
