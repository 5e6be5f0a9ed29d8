#include "checks/DesignChecks.h"

#include "engine/SectionBuilder.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"

#include <cmath>
#include <sstream>

namespace checks {

namespace {

const char* kDefinition =
    "Safety factor F: the factor by which tan(phi'), c and su, and qu of rock are divided, in the earth pressure "
    "and the p-y curves alike (stiffness parameters unchanged), for the analysis to fail: the iteration does not "
    "converge or the deflection passes the maximum allowable deflection. Found by bisection to 0.01.";
const char* kSectionNote =
    "Bending and shear utilisation need the section modulus, yield strength and shear area of the wall, which the "
    "wall file does not hold.";
const char* kAnchorNote =
    "Force per anchor and anchor utilisation need the anchor spacing, inclination and capacity, which the wall file "
    "does not hold; the force per unit width is that of the analysis.";

std::vector<AnchorCheck> Anchors(const SectionRun& run)
{
    std::vector<AnchorCheck> out;
    if (!run.Ok())
        return out;
    for (int m = 0; m <= run.input.nodeCount; ++m) {
        const std::size_t i = static_cast<std::size_t>(m);
        if (i < run.input.spring.size() && run.input.spring[i] > 0)
            out.push_back({m, run.result.springForce[i], std::nullopt, std::nullopt});
    }
    return out;
}

StageCheck CheckStage(const WallFileBlock& block, int number, double target, int& analyses)
{
    StageCheck s;
    s.stage = number;
    s.heading = block.heading;
    StageAnalyser analyser(block);
    const SectionRun actual = analyser.Analyse(1);
    s.mobilisedPassive = MobilisedPassive(actual);
    s.anchors = Anchors(actual);
    s.safety = FindSafetyFactor(analyser);
    s.notes = s.safety.notes;
    if (const std::optional<int> tip = FindRequiredTip(analyser, target))
        // Rounded to 1e-9 of a length unit: the product of a node number and the
        // increment carries binary noise (28 x 0.2 = 5.6000000000000005).
        s.requiredTipDepth = std::round(*tip * block.block.increment * 1e9) / 1e9;
    else
        s.notes.push_back("The present tip does not reach F = " + FormatGeneral(target, 4) +
                          ": the required tip lies below it.");
    s.limitEquilibrium = EstimateLimitEquilibrium(block.block, target);
    for (const std::string& n : s.limitEquilibrium.notes)
        s.notes.push_back(n);
    s.notes.push_back(kSectionNote);
    if (!s.anchors.empty())
        s.notes.push_back(kAnchorNote);
    // A wall that holds at the largest factor tried has no factor and passes.
    const bool holdsAtLargest = !s.safety.factor && actual.Ok() && s.safety.limit.empty();
    s.passed = holdsAtLargest || (s.safety.factor && *s.safety.factor >= target);
    analyses += analyser.Analyses();
    return s;
}

std::string Optional(const std::optional<double>& v, const std::string& unit = "")
{
    return v ? FormatGeneral(*v, 4) + unit : "-";
}

}  // namespace

DesignCheckReport RunDesignChecks(const std::vector<WallFileBlock>& blocks, double target)
{
    DesignCheckReport r;
    r.target = target;
    if (!blocks.empty()) {
        r.wall = blocks.front().block.title;
        r.unitSystem = blocks.front().block.unitSystem;
    }
    r.notes.push_back(kDefinition);
    const engine::UnitLabels units = engine::UnitLabelsFor(r.unitSystem);
    r.notes.push_back("Lengths in " + units.length + ", depths below the top of the wall; forces per the wall's width.");
    r.passed = !blocks.empty();
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        r.stages.push_back(CheckStage(blocks[k], static_cast<int>(k) + 1, target, r.analyses));
        const StageCheck& s = r.stages.back();
        r.passed = r.passed && s.passed;
        const auto governing = r.governingStage ? &r.stages[static_cast<std::size_t>(*r.governingStage - 1)] : nullptr;
        if (s.safety.factor && (!governing || !governing->safety.factor || *s.safety.factor < *governing->safety.factor))
            r.governingStage = s.stage;
    }
    return r;
}

DesignCheckReport RunDesignChecks(const std::string& dataFile, double target)
{
    return RunDesignChecks(WallFileReader::Read(dataFile), target);
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
        out << "  Mobilised passive resistance: " << Optional(s.mobilisedPassive) << "\n";
        for (const AnchorCheck& a : s.anchors)
            out << "  Anchor at node " << a.node << ": " << FormatGeneral(a.forcePerWidth, 5) << " " << units.forcePerLength
                << "\n";
        const LimitEquilibrium& le = s.limitEquilibrium;
        out << "  " << le.method << ": required embedment " << Optional(le.requiredEmbedment, " " + units.length);
        if (le.anchorNode)
            out << ", anchor force " << Optional(le.anchorForce, " " + units.forcePerLength);
        out << "\n";
        for (const std::string& n : s.notes)
            out << "  Note: " << n << "\n";
        out << "  " << (s.passed ? "Passed" : "FAILED") << "\n";
    }
    out << "\n";
    for (const std::string& n : r.notes)
        out << n << "\n";
    out << "Analyses run: " << r.analyses << "\n" << (r.passed ? "All checks passed." : "A check failed.") << "\n";
    return out.str();
}

}  // namespace checks
