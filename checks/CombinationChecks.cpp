// The checks of each combination of a design approach at every stage, and
// the combination that governs.
#include "checks/AnchorChecks.h"
#include "checks/DesignApproach.h"
#include "checks/EmbedmentSafety.h"
#include "checks/SectionChecks.h"
#include "units/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace checks {

namespace {

// The largest of magnitude(m) over the nodes, times `factor`, and its depth.
template <class Magnitude>
void LargestEffect(const SectionResult& r, std::size_t count, Magnitude magnitude, double factor,
                   std::optional<double>& largest, double& depth)
{
    double best = -1;
    for (std::size_t m = 0; m < count && m < r.depth.size(); ++m) {
        const double v = magnitude(m);
        if (v > best) {
            best = v;
            depth = r.depth[m];
        }
    }
    if (best >= 0)
        largest = best * factor;
}

std::string AnalysisWord(const SectionRun& run)
{
    if (run.Ok())
        return LargestDeflection(run.result) <= run.block.maxDeflection ? kAnalysisConverged : kAnalysisDeflection;
    return run.result.status == SolveStatus::ExcessiveDeflection ? kAnalysisDeflection : kAnalysisNoConvergence;
}

// The section and anchor checks with the effects factored.
void CheckStructure(CombinationCheck& c, const SectionRun& run, const TWallSettings& settings, double effects)
{
    const SectionResult& r = run.result;
    LargestEffect(r, r.moment.size(), [&r](std::size_t m) { return LargestMomentAt(r, m); }, effects,
                  c.designMoment, c.momentDepth);
    LargestEffect(r, r.shear.size(), [&r](std::size_t m) { return std::fabs(r.shear[m]); }, effects, c.designShear,
                  c.shearDepth);
    const std::vector<NodeUtilisation> nodes = SectionUtilisations(r, settings);
    const double gammaM0 = settings.partialFactors.gammaM0;
    if (const std::optional<double> u = LargestBending(nodes).value)
        c.bendingUtilisation = *u * effects * gammaM0;
    if (const std::optional<double> u = LargestShear(nodes).value)
        c.shearUtilisation = *u * effects * gammaM0;
    std::vector<std::string> unused;
    for (const AnchorCheck& a : CheckAnchors(run, settings, unused)) {
        CombinationAnchor d;
        d.node = a.node;
        d.designForcePerWidth = a.forcePerWidth * effects;
        if (a.forcePerAnchor)
            d.designForcePerAnchor = *a.forcePerAnchor * effects;
        if (a.utilisation)
            d.utilisation = *a.utilisation * effects * settings.partialFactors.gammaAnchor;
        c.anchors.push_back(d);
    }
}

// GEO at the design values: the analysis holds within the allowable
// deflection and the soil below the excavation is not at its ultimate resistance throughout.
bool EmbedmentHolds(CombinationCheck& c, const SectionRun& run)
{
    if (c.analysis != kAnalysisConverged) {
        c.notes.push_back(c.name + ": " +
                          (c.analysis == kAnalysisDeflection
                               ? "the wall moves more than the maximum allowable deflection."
                               : (run.error.empty() ? run.result.message : run.error)));
        return false;
    }
    if (!ToeHolds(run.input)) {
        c.notes.push_back(c.name + ": the soil below the excavation at its ultimate resistance cannot hold the toe "
                                   "about the lowest support (free earth support).");
        return false;
    }
    if (EmbedmentMobilised(run)) {
        c.notes.push_back(c.name + ": the soil resistance is fully mobilised at every node below the excavation level.");
        return false;
    }
    return true;
}

double DegreeOfUtilisation(const CombinationCheck& c, bool geo)
{
    if (!geo)
        return std::numeric_limits<double>::infinity();
    double d = c.overDesignFactor && *c.overDesignFactor > 0 ? 1 / *c.overDesignFactor : 0;
    for (const std::optional<double>& u : {c.bendingUtilisation, c.shearUtilisation})
        d = std::max(d, u.value_or(0));
    for (const CombinationAnchor& a : c.anchors)
        d = std::max(d, a.utilisation.value_or(0));
    return d;
}

// The over-design factor (and, when asked, the required tip) of the stage's
// design block after the design analyses of the stages before it.
void FindMargins(CombinationCheck& c, const std::vector<SectionRun>& runs, std::size_t k,
                 const TWallSettings& settings, const ApproachOptions& options, int& analyses)
{
    std::vector<WallFileBlock> earlier;
    for (std::size_t i = 0; i < k; ++i)
        earlier.push_back({runs[i].heading, runs[i].block});
    StageAnalyser analyser(earlier, {runs[k].heading, runs[k].block}, settings);
    if (options.overDesignFactor) {
        const SafetyFactor f = FindSafetyFactor(analyser);
        c.overDesignFactor = f.factor;
        c.overDesignLimit = f.limit;
        if (!f.factor && f.limit.empty())
            c.notes.push_back(c.name + ": the wall holds with its design strengths divided further by " +
                              FormatGeneral(kHighestFactor, 4) + ": no over-design factor is given.");
    }
    if (options.requiredTip) {
        const WallBlock& b = runs[k].block;
        if (const std::optional<int> tip = FindRequiredTip(analyser, 1))
            c.requiredTipDepth = std::round(*tip * b.increment * 1e9) / 1e9;
        else
            c.notes.push_back(c.name + ": the present tip does not hold at the design values.");
    }
    analyses += analyser.Analyses();
}

CombinationCheck CheckCombination(Combination combination, const std::vector<SectionRun>& runs, std::size_t k,
                                  const WallFileBlock& block, const TWallSettings& wallSettings,
                                  const ApproachOptions& options, int& analyses)
{
    const SectionRun& run = runs[k];
    const TWallSettings settings = wallSettings.InFileUnits(block.block.unitSystem);
    const CombinationFactors f = FactorsOf(combination, wallSettings.partialFactors);
    CombinationCheck c;
    c.combination = combination;
    c.name = CombinationName(combination);
    c.unplannedExcavation = wallSettings.unplannedExcavation ? UnplannedExcavation(block.block) : 0;
    c.analysis = AnalysisWord(run);
    c.stripWidth = block.block.StripWidth();
    if (run.Ok())
        CheckStructure(c, run, settings, f.effects);
    const bool geo = EmbedmentHolds(c, run);
    if (run.Ok())
        FindMargins(c, runs, k, wallSettings, options, analyses);
    c.degreeOfUtilisation = DegreeOfUtilisation(c, geo);
    c.passed = geo && Within(c.bendingUtilisation) && Within(c.shearUtilisation) &&
               std::all_of(c.anchors.begin(), c.anchors.end(),
                           [](const CombinationAnchor& a) { return Within(a.utilisation); });
    return c;
}

std::optional<std::string> Governing(const std::vector<CombinationCheck>& combinations)
{
    const CombinationCheck* governing = nullptr;
    for (const CombinationCheck& c : combinations)
        if (!governing || c.degreeOfUtilisation > governing->degreeOfUtilisation)
            governing = &c;
    return governing ? std::optional<std::string>(governing->name) : std::nullopt;
}

}  // namespace

ApproachReport RunDesignApproach(const std::vector<WallFileBlock>& blocks, const TWallSettings& settings,
                                 const ApproachOptions& options)
{
    ApproachReport r;
    r.approach = settings.designApproach;
    r.factors = settings.partialFactors;
    r.unplannedExcavation = settings.unplannedExcavation;
    const std::vector<Combination> combinations = CombinationsOf(r.approach);
    if (combinations.empty())
        return r;
    r.stages.resize(blocks.size());
    for (Combination combination : combinations) {
        const std::vector<SectionRun> runs = AnalyseCombination(blocks, combination, settings);
        r.analyses += static_cast<int>(blocks.size());
        for (std::size_t k = 0; k < blocks.size(); ++k)
            r.stages[k].combinations.push_back(
                CheckCombination(combination, runs, k, blocks[k], settings, options, r.analyses));
    }
    for (StageCombinations& s : r.stages) {
        s.governing = Governing(s.combinations);
        for (const CombinationCheck& c : s.combinations)
            r.passed = r.passed && c.passed;
    }
    return r;
}

}  // namespace checks
