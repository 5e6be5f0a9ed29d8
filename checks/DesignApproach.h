#pragma once
#include "engine/SectionRun.h"
#include "engine/WallFileReader.h"
#include "model/WallSettings.h"

#include <optional>
#include <string>
#include <vector>

// The ultimate limit state of a wall by a design approach of EN 1997-1
// (2.4.7.3.4): each combination of partial factor sets is a copy of the wall
// with its design values, analysed stage after stage by the engine; its
// moments, shears and anchor forces are checked against the section and the
// anchors (STR), its embedment by the analysis holding within the allowable
// deflection (GEO), and its margin by a further strength reduction.
namespace checks {

// The combinations the approaches verify.
enum class Combination { DA1_1, DA1_2, DA2, DA3 };

// "DA1-1", "DA1-2", "DA2", "DA3".
const char* CombinationName(Combination combination);
// The combinations of an approach, in order; none for DesignApproach::None.
std::vector<Combination> CombinationsOf(DesignApproach approach);

// What one combination applies to the wall. Loads are factored in the
// analysis by their factor over the effects factor, and the effects (moments,
// shears, spring and anchor forces) by the effects factor afterwards, so that
// a permanent action, which the analysis cannot factor (the weight of the
// soil, water, prestress), is factored through its effects ("effects
// factoring", Bond and Harris; Frank et al.).
struct CombinationFactors {
    double effects = 1;             // on the effects: gamma_G of the set of the geotechnical actions
    double permanentSurcharge = 1;  // on permanent surcharges, in the analysis
    double variableSurcharge = 1;   // on variable surcharges, in the analysis
    double permanentLoad = 1;       // on permanent concentrated loads (moments, axial loads too)
    double variableLoad = 1;        // on variable concentrated loads
    // Divisors of tan(phi'), c' (silt), cu (clays), qu (rock) and the unit weight.
    double phi = 1, c = 1, cu = 1, qu = 1, weight = 1;
    double resistance = 1;          // divisor of the ultimate soil resistance below the excavation
};

// The factors of `combination` from the partial factors of the sets:
// DA1-1 A1 M1 R1, DA1-2 A2 M2 R1, DA2 A1 M1 R2 (both effects factoring with
// gamma_G), DA3 A1 on the concentrated loads (structural actions) and A2 on
// the surcharges (geotechnical actions), M2, R3.
CombinationFactors FactorsOf(Combination combination, const TPartialFactors& factors);

// The unplanned excavation of a block (EN 1997-1, 9.3.2.2), in its file's
// units: 10 % of the excavation depth for a cantilever, of the depth below
// the lowest support above the excavation level for a supported wall, at most
// 0.5 m. Zero without excavation.
double UnplannedExcavation(const WallBlock& block);

// The block with the design values of a combination: the excavation deepened
// by `unplannedExcavation` (water on the excavation side that stood between
// the two levels follows it down), the surcharges and concentrated loads
// factored as permanent or variable by `settings`, the soil's strengths and
// unit weights divided (stiffness unchanged), and the p-y curves below the
// excavation scaled to an ultimate resistance divided by `resistance` with
// their initial stiffness kept.
WallBlock DesignBlock(const WallBlock& block, const CombinationFactors& factors, double unplannedExcavation,
                      const TWallSettings& settings);

// How the analysis of a combination ended, as the checks report it.
constexpr const char* kAnalysisConverged = "converged";
constexpr const char* kAnalysisNoConvergence = "no convergence";
constexpr const char* kAnalysisDeflection = "deflection";

// An anchor (or strut: a row of lateral springs) of one combination.
struct CombinationAnchor {
    int node = 0;                               // the From node of its spring row
    double designForcePerWidth = 0;             // per unit width of wall, effects factored
    std::optional<double> designForcePerAnchor;  // along one anchor; needs its settings
    std::optional<double> utilisation;          // design force x anchor factor / capacity
};

// The checks of one combination at one stage.
struct CombinationCheck {
    Combination combination = Combination::DA1_1;
    std::string name;                  // CombinationName
    double unplannedExcavation = 0;    // the one applied (L, the file's units)
    std::string analysis;              // one of the kAnalysis... words
    // The further strength reduction beyond the design values at which a
    // mechanism forms (1: just enough); empty when the analysis failed or the
    // wall holds at every factor tried.
    std::optional<double> overDesignFactor;
    std::string overDesignLimit;       // the limit that ends it (as SafetyFactor::limit)
    // The largest design moment and shear (effects factored) and their depths,
    // on the analysed strip as the output text gives them; empty when the analysis failed.
    std::optional<double> designMoment, designShear;
    double momentDepth = 0, shearDepth = 0;
    double stripWidth = 1;             // the width of the analysed strip (WallBlock::StripWidth)
    // Design moment / (fy W / gamma_M0), design shear / (fy Av / (sqrt 3 gamma_M0));
    // empty without the section's data.
    std::optional<double> bendingUtilisation, shearUtilisation;
    std::vector<CombinationAnchor> anchors;
    // The shallowest tip at which the combination holds (ApproachOptions::requiredTip).
    std::optional<double> requiredTipDepth;
    // The largest of 1 / over-design factor and the utilisations: the
    // combination of the largest one governs; infinite when the analysis failed.
    double degreeOfUtilisation = 0;
    std::vector<std::string> notes;
    bool passed = false;
};

// The combinations of one stage (or case) and the one that governs.
struct StageCombinations {
    std::vector<CombinationCheck> combinations;
    std::optional<std::string> governing;  // the name of the governing combination
};

// Choices of a run of the combinations.
struct ApproachOptions {
    // Find each combination's over-design factor (about a dozen analyses each).
    bool overDesignFactor = true;
    // Find the shallowest tip at which each combination holds (an analysis per node tried).
    bool requiredTip = false;
};

// The checks of a design approach on every stage or case.
struct ApproachReport {
    DesignApproach approach = DesignApproach::None;
    TPartialFactors factors;
    bool unplannedExcavation = true;
    std::vector<StageCombinations> stages;  // one per block; empty for DesignApproach::None
    int analyses = 0;                       // engine analyses run
    std::vector<std::string> notes;         // how the combinations are analysed
    bool passed = true;                     // every combination of every stage passed
};

// The design analyses of one combination: every block with its design values,
// analysed stage after stage with the wall's anchors installed as its settings
// say. One per block; a block not analysed (after an input error) has a failed one.
std::vector<SectionRun> AnalyseCombination(const std::vector<WallFileBlock>& blocks, Combination combination,
                                           const TWallSettings& settings);

// Runs every combination of `settings.designApproach` on the blocks (settings
// in SI or the wall's own units, as stored). Never throws for an analysis that fails.
ApproachReport RunDesignApproach(const std::vector<WallFileBlock>& blocks, const TWallSettings& settings,
                                 const ApproachOptions& options = {});

}  // namespace checks
