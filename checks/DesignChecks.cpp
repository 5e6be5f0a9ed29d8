#include "checks/DesignChecks.h"

#include "checks/AnchorStability.h"
#include "checks/GroundChecksTable.h"
#include "engine/EngineRun.h"
#include "engine/PoreWater.h"
#include "engine/SectionBuilder.h"
#include "engine/WallFriction.h"
#include "units/NumberFormat.h"
#include "units/QuantityLabels.h"
#include "units/TorvikError.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

namespace checks {

namespace {

const char* kDefinition =
    "Safety factor F: the factor by which tan(phi'), c and su, and qu of rock are divided, in the earth pressure "
    "and the p-y curves alike (stiffness parameters unchanged), for a mechanism to form: the iteration finds no "
    "equilibrium (no convergence, or a deflection past the wall's length), or the soil resistance is fully mobilised "
    "at every node below the excavation level, so that the toe kicks out (Griffiths and Lane 1999 for the "
    "non-convergence criterion of strength reduction; the free-earth-support mechanism of USACE EM 1110-2-2504 for "
    "the fully mobilised embedment). The maximum allowable deflection plays no part in F: it is checked on the wall "
    "as built (F = 1). Found by bisection to 0.01. Staged walls whose anchors act from their installation stage: "
    "the stages before are analysed with the characteristic strengths, the stage checked with the reduced ones.";
const char* kSectionDefinition =
    "Bending utilisation: |M| / (fy W (1 - corrosion loss)), first yield of the extreme fibre. Shear utilisation: "
    "|V| / (fy / sqrt(3) Av (1 - corrosion loss)), the plastic shear resistance of the shear area at the von Mises "
    "shear yield stress (EN 1993-1-1, 6.2.6, partial factor 1). Anchor utilisation: force along one anchor / its "
    "capacity. Each passes up to 1.";

// What the checks of the ground say, for walls that have them.
std::string GroundDefinition(double kranzTarget)
{
    return "Basal heave: undrained, in total stresses, Terzaghi (1943) for H/B < 1 and Bjerrum and Eide (1956) with "
           "Skempton's Nc for deeper cuts, B the smaller side of the excavation's plan. Fixed length beyond the wedge: "
           "the horizontal distance from the plane rising at 45 deg + phi'/2 from the point of zero net pressure (Rankine) "
           "to the start of the fixed length. Kranz F: the horizontal anchor force that the block of soil between the "
           "wall's tip and the middle of the fixed length holds (Kranz 1953), over the forces of the anchors whose "
           "fixed-length middles lie within the block; target " +
           FormatGeneral(kranzTarget, 4) + ".";
}

// Why a ground check has no value where its inputs are not given: one note for
// the report, naming the checks left out and where their inputs are entered;
// empty when every stage has them.
std::string NotCheckedNote(const DesignCheckReport& r, const TWallSettings& settings)
{
    const auto any = [&r](auto&& test) { return std::any_of(r.stages.begin(), r.stages.end(), test); };
    std::vector<std::string> parts;
    if (any([](const StageCheck& s) { return !s.hydraulicHeave.shown; }))
        parts.push_back("hydraulic heave where the water is still on both sides (Data > Ground Water...)");
    if (!(settings.excavation.width > 0))
        parts.push_back("basal heave without the excavation's plan (Data > Excavation Plan...)");
    if (any([&settings](const StageCheck& s) {
            return std::any_of(s.anchors.begin(), s.anchors.end(), [&settings](const AnchorCheck& a) {
                const TAnchorSettings* anchor = settings.Anchor(a.node);
                return !anchor || !(anchor->freeLength > 0) || !(anchor->fixedLength > 0);
            });
        }))
        parts.push_back("the fixed length against the wedge and the Kranz block of a spring row without free and "
                        "fixed lengths (a strut has none; an anchor's are entered in Data > Anchors...)");
    if (parts.empty())
        return "";
    std::string text = "Not checked (no value):";
    for (std::size_t k = 0; k < parts.size(); ++k)
        text += (k == 0 ? " " : "; ") + parts[k];
    return text + ".";
}

// The analyses of the wall as built, stage after stage: the moments, shears
// and spring forces that the section and anchor checks use.
// One per block: a block the run gave no analysis for has a failed one.
std::vector<SectionRun> AnalyseAsBuilt(const std::vector<WallFileBlock>& blocks, const TWallSettings& settings)
{
    std::vector<SectionRun> runs = EngineRun::Analyse(blocks, settings).sections;
    for (std::size_t k = runs.size(); k < blocks.size(); ++k) {
        SectionRun missing;
        missing.heading = blocks[k].heading;
        missing.error = blocks[k].heading + ": not analysed";
        runs.push_back(missing);
    }
    return runs;
}

void CheckSection(StageCheck& s, const SectionRun& actual, const TWallSettings& settings)
{
    if (!actual.Ok())
        return;
    s.nodes = SectionUtilisations(actual.result, settings);
    const LargestUtilisation bending = LargestBending(s.nodes), shear = LargestShear(s.nodes);
    s.bendingUtilisation = bending.value;
    s.bendingDepth = bending.depth;
    s.shearUtilisation = shear.value;
    s.shearDepth = shear.depth;
    for (const std::string& n : SectionNotes(s.nodes))
        s.notes.push_back(n);
}

void CheckDeflection(StageCheck& s, const SectionRun& actual, const WallBlock& block)
{
    s.allowedDeflection = block.maxDeflection;
    if (actual.Ok())
        s.deflection = LargestDeflection(actual.result);
    s.deflectionPassed = s.deflection && *s.deflection <= s.allowedDeflection;
}

// The limit-equilibrium verdict and the approach that needs the deeper tip.
void CompareLimitEquilibrium(StageCheck& s, const WallBlock& block, bool counts)
{
    const LimitEquilibrium& le = s.limitEquilibrium;
    s.governingApproach = "p-y analysis";
    if (!le.requiredEmbedment)
        return;
    const double embedment = block.nodeCount * block.increment - block.wallHeight;
    const double leTip = block.wallHeight + *le.requiredEmbedment;
    if (!s.requiredTipDepth || leTip > *s.requiredTipDepth)
        s.governingApproach = s.requiredTipDepth ? "limit equilibrium" : "p-y analysis";
    if (counts)
        s.limitEquilibriumPassed = embedment >= *le.requiredEmbedment - 1e-9 * std::max(1.0, embedment);
    else
        s.notes.push_back("The limit-equilibrium estimate is shown but does not count in the verdict (wall settings).");
}

// The base against heave and the anchors' place in the ground, where the
// settings give what they need (`settings` in the block's units).
void CheckGround(StageCheck& s, const WallBlock& block, const TWallSettings& settings)
{
    try {
        s.basalHeave = CheckBasalHeave(block, settings.excavation, s.notes);
        CheckAnchorStability(block, settings, settings.excavation.kranzTarget, s.anchors, s.notes);
    } catch (const TorvikError& e) {
        s.notes.push_back(std::string("Basal heave and the anchors' place in the ground are not checked: ") + e.what());
    }
}

bool GroundPasses(const StageCheck& s)
{
    return (!s.basalHeave || s.basalHeave->passed) &&
           std::all_of(s.anchors.begin(), s.anchors.end(), [](const AnchorCheck& a) {
               return a.beyondWedge.value_or(true) && a.kranzPassed.value_or(true);
           });
}

bool UtilisationsPass(const StageCheck& s)
{
    return Within(s.bendingUtilisation) && Within(s.shearUtilisation) &&
           std::all_of(s.anchors.begin(), s.anchors.end(), [](const AnchorCheck& a) { return Within(a.utilisation); });
}

StageCheck CheckStage(const std::vector<WallFileBlock>& blocks, const SectionRun& actual, int number, double target,
                      const TWallSettings& wallSettings, int& analyses)
{
    const WallFileBlock& block = blocks[static_cast<std::size_t>(number - 1)];
    const TWallSettings settings = wallSettings.InFileUnits(block.block.unitSystem);
    StageCheck s;
    s.stage = number;
    s.heading = block.heading;
    StageAnalyser analyser(std::vector<WallFileBlock>(blocks.begin(), blocks.begin() + (number - 1)), block,
                           wallSettings);
    s.mobilisedPassive = MobilisedPassive(actual);
    s.safety = FindSafetyFactor(analyser);
    s.notes = s.safety.notes;
    if (number > 1 && wallSettings.springsFromInstallation)
        s.notes.push_back("Anchors and springs act from their installation stage: F is this stage's own, the stages "
                          "before it analysed with the characteristic strengths.");
    const std::vector<bool>& locked = actual.input.lockedOff;
    if (std::find(locked.begin(), locked.end(), true) != locked.end())
        s.notes.push_back("Anchors with a prestress are locked off as built: on the wall of the stage before theirs, "
                          "analysed with the characteristic strengths.");
    if (const std::optional<int> tip = FindRequiredTip(analyser, target))
        // Rounded to 1e-9 of a length unit: the product of a node number and the
        // increment carries binary noise (28 x 0.2 = 5.6000000000000005).
        s.requiredTipDepth = std::round(*tip * block.block.increment * 1e9) / 1e9;
    else
        s.notes.push_back("The present tip does not reach F = " + FormatGeneral(target, 4) +
                          ": the required tip lies below it.");
    WallBlock rough = block.block;
    engine::ApplyWallContact(rough.layers, wallSettings);
    // The stage as the analysis numbers it: 0 for every block of a file without stages.
    rough.excavationGround = engine::ExcavationGroundFor(settings, block.block.stageCount > 1 ? number : 0);
    const int stage = block.block.stageCount > 1 ? number : 0;
    const engine::PoreWaterInput water = engine::StageWaterInput(settings, stage);
    s.limitEquilibrium = EstimateLimitEquilibrium(rough, target, water);
    for (const std::string& n : s.limitEquilibrium.notes)
        s.notes.push_back(n);
    CompareLimitEquilibrium(s, block.block, wallSettings.limitEquilibriumInVerdict);
    CheckSection(s, actual, settings);
    s.anchors = CheckAnchors(actual, settings, s.notes);
    CheckGround(s, block.block, settings);
    CheckDeflection(s, actual, block.block);
    s.hydraulicHeave = CheckHydraulicHeave(block.block, water, settings.water.factors);
    if (s.hydraulicHeave.shown)
        s.notes.push_back(s.hydraulicHeave.note);
    // A wall that holds at the largest factor tried has no factor and passes.
    const bool holdsAtLargest = !s.safety.factor && actual.Ok() && s.safety.limit.empty();
    s.passed = (holdsAtLargest || (s.safety.factor && *s.safety.factor >= target)) && UtilisationsPass(s) &&
               s.deflectionPassed && s.limitEquilibriumPassed.value_or(true) && s.hydraulicHeave.passed &&
               GroundPasses(s);
    analyses += analyser.Analyses();
    return s;
}

// The stage of the largest value of `which` over the stages; empty when no stage has one.
std::optional<int> StageOfLargest(const std::vector<StageCheck>& stages, std::optional<double> StageCheck::*which)
{
    std::optional<int> stage;
    double largest = 0;
    for (const StageCheck& s : stages)
        if ((s.*which) && (!stage || *(s.*which) > largest)) {
            stage = s.stage;
            largest = *(s.*which);
        }
    return stage;
}

// Each anchor's governing stage: that of its largest utilisation, or of its
// largest force where it has no capacity.
std::vector<DesignCheckReport::GoverningAnchor> GoverningAnchors(const std::vector<StageCheck>& stages)
{
    std::map<int, DesignCheckReport::GoverningAnchor> byNode;
    for (const StageCheck& s : stages)
        for (const AnchorCheck& a : s.anchors) {
            const DesignCheckReport::GoverningAnchor candidate{a.node, s.stage, a.forcePerWidth, a.forcePerAnchor,
                                                               a.utilisation};
            auto found = byNode.find(a.node);
            const bool larger =
                found == byNode.end() ||
                (a.utilisation ? !found->second.utilisation || *a.utilisation > *found->second.utilisation
                               : !found->second.utilisation &&
                                     std::fabs(a.forcePerWidth) > std::fabs(found->second.forcePerWidth));
            if (larger)
                byNode[a.node] = candidate;
        }
    std::vector<DesignCheckReport::GoverningAnchor> out;
    for (const auto& entry : byNode)
        out.push_back(entry.second);
    return out;
}

// The combinations of the wall's design approach beside each stage's checks.
void AddApproach(DesignCheckReport& r, const std::vector<WallFileBlock>& blocks, const TWallSettings& settings)
{
    r.approach = settings.designApproach;
    r.factors = settings.partialFactors;
    r.unplannedExcavation = settings.unplannedExcavation;
    if (r.approach == DesignApproach::None)
        return;
    ApproachReport approach = RunDesignApproach(blocks, settings);
    r.analyses += approach.analyses;
    for (std::size_t k = 0; k < r.stages.size() && k < approach.stages.size(); ++k) {
        StageCheck& s = r.stages[k];
        s.combinations = std::move(approach.stages[k].combinations);
        s.governingCombination = approach.stages[k].governing;
        for (const CombinationCheck& c : s.combinations)
            s.passed = s.passed && c.passed;
    }
    r.passed = r.passed && approach.passed;
    r.notes.push_back(ApproachDefinition(r.approach, r.unplannedExcavation));
}

std::string Optional(const std::optional<double>& v, const std::string& unit = "")
{
    return v ? FormatGeneral(*v, 4) + unit : "-";
}

// The line of the hydraulic-heave check; none for a stage in still water.
std::string HydraulicHeaveText(const HydraulicHeave& c, const std::string& stressUnit)
{
    return c.shown ? "  " + HydraulicHeaveSummary(c, stressUnit) + "\n" : std::string();
}

// ", fixed length 2.31 m beyond the wedge, Kranz F 1.92" where the anchor's place is checked.
std::string PlaceText(const AnchorCheck& a, const std::string& length)
{
    std::string text;
    if (a.wedgeMargin)
        text += ", fixed length " + FormatGeneral(std::fabs(*a.wedgeMargin), 4) + " " + length +
                (*a.beyondWedge ? " beyond" : " INSIDE") + " the wedge";
    if (a.kranzFactor)
        text += ", Kranz F " + FormatGeneral(*a.kranzFactor, 4) + (*a.kranzPassed ? "" : " (FAILED)");
    return text;
}

}  // namespace

DesignCheckReport RunDesignChecks(const std::vector<WallFileBlock>& blocks, double target,
                                  const TWallSettings& wallSettings)
{
    DesignCheckReport r;
    r.target = target;
    if (!blocks.empty()) {
        r.wall = blocks.front().block.title;
        r.unitSystem = blocks.front().block.unitSystem;
    }
    r.notes.push_back(kDefinition);
    const engine::UnitLabels units = engine::UnitLabelsFor(r.unitSystem);
    r.notes.push_back(kSectionDefinition);
    r.notes.push_back("Lengths in " + units.length +
                      ", depths below the top of the wall; forces per the wall's width; "
                      "force per anchor in " +
                      QuantityLabelsOf(r.unitSystem).force + ".");
    r.passed = !blocks.empty();
    const std::vector<SectionRun> actual = AnalyseAsBuilt(blocks, wallSettings);
    r.analyses += static_cast<int>(actual.size());
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        r.stages.push_back(CheckStage(blocks, actual[k], static_cast<int>(k) + 1, target, wallSettings, r.analyses));
        const StageCheck& s = r.stages.back();
        r.passed = r.passed && s.passed;
        const auto governing = r.governingStage ? &r.stages[static_cast<std::size_t>(*r.governingStage - 1)] : nullptr;
        if (s.safety.factor && (!governing || !governing->safety.factor || *s.safety.factor < *governing->safety.factor))
            r.governingStage = s.stage;
    }
    r.kranzTarget = wallSettings.excavation.kranzTarget;
    if (HasGroundChecks(r))
        r.notes.push_back(GroundDefinition(r.kranzTarget));
    if (const std::string note = NotCheckedNote(r, wallSettings); !note.empty())
        r.notes.push_back(note);
    AddApproach(r, blocks, wallSettings);
    r.governingBendingStage = StageOfLargest(r.stages, &StageCheck::bendingUtilisation);
    r.governingShearStage = StageOfLargest(r.stages, &StageCheck::shearUtilisation);
    r.governingAnchors = GoverningAnchors(r.stages);
    return r;
}

DesignCheckReport RunDesignChecks(const std::string& dataFile, std::optional<double> target,
                                  std::optional<DesignApproach> approach)
{
    const std::vector<WallFileBlock> blocks = WallFileReader::Read(dataFile);
    TSettingsRead settings = ReadSettingsBeside(dataFile);
    if (approach)
        settings.settings.designApproach = *approach;
    DesignCheckReport r = RunDesignChecks(blocks, target.value_or(settings.settings.targetSafetyFactor), settings.settings);
    if (!settings.problem.empty())
        r.notes.insert(r.notes.begin(), "The settings file is ignored: " + settings.problem);
    return r;
}

std::string DesignChecksText(const DesignCheckReport& r)
{
    const engine::UnitLabels units = engine::UnitLabelsFor(r.unitSystem);
    std::ostringstream out;
    out << "Design checks: " << r.wall << "\nTarget safety factor: " << FormatGeneral(r.target, 4) << "\n";
    for (const StageCheck& s : r.stages) {
        out << "\n" << s.heading << (r.governingStage == s.stage ? " (governing)" : "") << "\n";
        out << "  Safety factor F:              " << Optional(s.safety.factor)
            << (s.safety.limit.empty() ? "" : " (" + s.safety.limit + ")") << "\n";
        out << "  Required tip depth:           " << Optional(s.requiredTipDepth, " " + units.length) << "\n";
        out << "  Share of ultimate soil resistance in use: " << Optional(s.mobilisedPassive) << "\n";
        out << "  Deflection at F = 1:          "
            << (s.deflection ? FormatGeneral(*s.deflection, 4) + " " + units.length : std::string("-")) << " of "
            << FormatGeneral(s.allowedDeflection, 4) << " " << units.length << " allowed"
            << (s.deflectionPassed ? "" : " (exceeded)") << "\n";
        out << "  Bending utilisation:          " << Optional(s.bendingUtilisation)
            << (s.bendingUtilisation ? " at depth " + FormatGeneral(s.bendingDepth, 4) + " " + units.length : "") << "\n";
        out << "  Shear utilisation:            " << Optional(s.shearUtilisation)
            << (s.shearUtilisation ? " at depth " + FormatGeneral(s.shearDepth, 4) + " " + units.length : "") << "\n";
        for (const AnchorCheck& a : s.anchors)
            out << "  Anchor at node " << a.node << ": " << FormatGeneral(a.forcePerWidth, 5) << " "
                << units.forcePerLength << ", per anchor "
                << Optional(a.forcePerAnchor, std::string(" ") + QuantityLabelsOf(r.unitSystem).force)
                << ", utilisation " << Optional(a.utilisation) << PlaceText(a, units.length) << "\n";
        if (s.basalHeave)
            out << "  Basal heave (" << s.basalHeave->method << "): F " << Optional(s.basalHeave->factor) << " of "
                << FormatGeneral(s.basalHeave->target, 4) << (s.basalHeave->passed ? "" : " (FAILED)") << "\n";
        const LimitEquilibrium& le = s.limitEquilibrium;
        out << "  " << le.method << ": required embedment " << Optional(le.requiredEmbedment, " " + units.length);
        if (le.anchorNode)
            out << ", anchor force " << Optional(le.anchorForce, " " + units.forcePerLength);
        if (le.largestMoment)
            out << ", largest moment " << FormatGeneral(*le.largestMoment, 5) << " "
                << QuantityLabelsOf(r.unitSystem).moment << le.basis;
        if (s.limitEquilibriumPassed)
            out << (*s.limitEquilibriumPassed ? " (reached)" : " (NOT reached)");
        out << "\n";
        out << "  Governing approach:           " << s.governingApproach << "\n";
        out << HydraulicHeaveText(s.hydraulicHeave, units.stress);
        for (const std::string& n : s.notes)
            out << "  Note: " << n << "\n";
        out << "  " << (s.passed ? "Passed" : "FAILED") << "\n";
    }
    out << "\n";
    auto heading = [&r](int stage) { return r.stages[static_cast<std::size_t>(stage - 1)].heading; };
    if (r.governingBendingStage)
        out << "Largest bending utilisation: " << heading(*r.governingBendingStage) << "\n";
    if (r.governingShearStage)
        out << "Largest shear utilisation: " << heading(*r.governingShearStage) << "\n";
    for (const DesignCheckReport::GoverningAnchor& a : r.governingAnchors)
        out << "Anchor at node " << a.node << ": governing " << heading(a.stage) << ", utilisation "
            << Optional(a.utilisation) << "\n";
    for (const std::string& n : r.notes)
        out << n << "\n";
    out << ApproachText(r);
    out << "Analyses run: " << r.analyses << "\n" << (r.passed ? "All checks passed." : "A check failed.") << "\n";
    return out.str();
}

}  // namespace checks
