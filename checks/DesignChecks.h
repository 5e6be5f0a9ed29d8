#pragma once
#include "checks/AnchorChecks.h"
#include "checks/BasalHeave.h"
#include "checks/DesignApproach.h"
#include "checks/EmbedmentSafety.h"
#include "checks/HydraulicHeave.h"
#include "checks/LimitEquilibrium.h"
#include "checks/SectionChecks.h"
#include "engine/WallFileReader.h"
#include "model/WallSettings.h"

#include <optional>
#include <string>
#include <vector>

// The design checks of a wall, for every stage or case: the safety of the
// embedment by strength reduction, the required tip for a target factor, the
// mobilised passive resistance, the limit-equilibrium estimate, and the
// section and anchor checks where the wall gives the data they need.
namespace checks {

struct StageCheck {
    int stage = 1;                          // 1-based, in the file's order
    std::string heading;                    // "Stage 2 of 3", "Analysis", ...
    SafetyFactor safety;
    std::optional<double> requiredTipDepth; // below the top of the wall (L)
    std::optional<double> mobilisedPassive;
    // The largest utilisation of the section along the wall, with its depth
    // (need the section's W, fy and shear area), and the utilisations per node.
    std::optional<double> bendingUtilisation, shearUtilisation;
    double bendingDepth = 0, shearDepth = 0;
    std::vector<NodeUtilisation> nodes;
    std::vector<AnchorCheck> anchors;  // one per row of lateral springs
    // Serviceability: the largest deflection of the wall as built (F = 1)
    // against the maximum allowable deflection; empty when the analysis failed.
    std::optional<double> deflection;
    double allowedDeflection = 0;
    bool deflectionPassed = false;
    LimitEquilibrium limitEquilibrium;
    // The embedment against the limit-equilibrium one at the target, where the
    // estimate applies and counts in the verdict; empty otherwise.
    std::optional<bool> limitEquilibriumPassed;
    // Hydraulic heave in front of the wall where water flows up through it.
    HydraulicHeave hydraulicHeave;
    // The base against heave where the excavation's width is given and the base is clay.
    std::optional<BasalHeave> basalHeave;
    // The approach that needs the deeper tip: "p-y analysis" or "limit equilibrium".
    std::string governingApproach;
    // The combinations of the wall's design approach and the one that governs;
    // none without an approach.
    std::vector<CombinationCheck> combinations;
    std::optional<std::string> governingCombination;
    std::vector<std::string> notes;
    bool passed = false;  // the combinations included
};

struct DesignCheckReport {
    std::string wall;                       // the wall's title
    UnitSystem unitSystem = UnitSystem::English;
    double target = 1.5;
    std::vector<StageCheck> stages;
    std::optional<int> governingStage;      // the stage of the smallest safety factor
    // The stages of the largest bending and shear utilisation.
    std::optional<int> governingBendingStage, governingShearStage;
    // Each anchor's largest utilisation (or, without a capacity, force) and its stage.
    struct GoverningAnchor {
        int node = 0;
        int stage = 1;
        double forcePerWidth = 0;
        std::optional<double> forcePerAnchor, utilisation;
    };
    std::vector<GoverningAnchor> governingAnchors;  // by rising node
    // The design approach verified and the factors it used.
    DesignApproach approach = DesignApproach::None;
    TPartialFactors factors;
    bool unplannedExcavation = true;
    double kranzTarget = 1.5;               // the factor asked of the anchors' blocks of soil
    bool passed = false;
    int analyses = 0;                       // engine analyses the checks ran
    std::vector<std::string> notes;         // definitions, units
};

// The default target safety factor.
constexpr double kDefaultTarget = 1.5;

// Runs every check on the blocks of a wall data file with the wall's settings
// (in the wall's own units, as stored; converted here to the file's units).
// Never throws for an analysis that fails; a stage that cannot be analysed at
// all fails its checks with a note saying why. A stage passes when its safety
// factor reaches the target, no utilisation exceeds 1, the wall as built stays
// within the allowable deflection, (where it applies and the settings count
// it) its embedment reaches the limit-equilibrium one and (where water flows
// up in front of it) the soil there does not heave; with a design approach,
// when every combination of it passes as well.
DesignCheckReport RunDesignChecks(const std::vector<WallFileBlock>& blocks, double target = kDefaultTarget,
                                  const TWallSettings& settings = TWallSettings::Defaults());

// The same on a data file and the settings beside it (a damaged settings file
// is ignored with a note); without a target, the one of the settings, and
// without an approach, the one of the settings. Throws TorvikError when the
// data file cannot be read.
DesignCheckReport RunDesignChecks(const std::string& dataFile, std::optional<double> target = std::nullopt,
                                  std::optional<DesignApproach> approach = std::nullopt);

// The report as text for the command line and the calculation report.
std::string DesignChecksText(const DesignCheckReport& report);

// The part of the text on the design approach: the factors, and per stage its
// combinations with the governing one; empty without an approach.
std::string ApproachText(const DesignCheckReport& report);

// The sets of partial factors `approach` uses, a line each, indented by two
// spaces ("  A1: gamma_G 1.35, gamma_Q 1.5").
std::string FactorSetsText(DesignApproach approach, const TPartialFactors& factors);

// How the combinations of `approach` are analysed, in words, for the notes.
std::string ApproachDefinition(DesignApproach approach, bool unplannedExcavation);

}  // namespace checks
