#include "checks/DesignChecksTable.h"

#include "engine/SoilLayer.h"
#include "units/NumberFormat.h"
#include "units/QuantityLabels.h"

#include <algorithm>

namespace checks {

namespace {

// The digits of the command line's text, so that both give the same numbers.
constexpr int kDigits = 4;

std::string Cell(const std::optional<double>& v)
{
    return v ? FormatGeneral(*v, kDigits) : kNoValue;
}

// "holds" where the wall holds at the largest factor tried, else the failure.
std::string LimitCell(const StageCheck& s)
{
    if (!s.safety.limit.empty())
        return s.safety.limit;
    return s.safety.factor || !s.passed ? kNoValue : "holds at F = " + FormatGeneral(kHighestFactor, kDigits);
}

// "12.3 of 50 allowed": the largest deflection of the wall as built.
std::string DeflectionCell(const StageCheck& s)
{
    return Cell(s.deflection) + " of " + FormatGeneral(s.allowedDeflection, kDigits) +
           (s.deflectionPassed ? "" : " (exceeded)");
}

std::vector<std::string> Row(const StageCheck& s)
{
    const LimitEquilibrium& le = s.limitEquilibrium;
    return {s.heading,
            Cell(s.safety.factor),
            LimitCell(s),
            Cell(s.requiredTipDepth),
            Cell(s.mobilisedPassive),
            Cell(le.requiredEmbedment),
            le.anchorNode ? Cell(le.anchorForce) : kNoValue,
            Cell(le.largestMoment),
            s.governingApproach,
            DeflectionCell(s),
            s.passed ? "passed" : "FAILED"};
}

bool Contains(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

// The notes every stage carries, said once under the table.
std::vector<std::string> CommonNotes(const DesignCheckReport& r)
{
    std::vector<std::string> common;
    if (r.stages.empty())
        return common;
    for (const std::string& n : r.stages.front().notes)
        if (!Contains(common, n) && std::all_of(r.stages.begin(), r.stages.end(),
                                                [&](const StageCheck& s) { return Contains(s.notes, n); }))
            common.push_back(n);
    return common;
}

// The limit-equilibrium method of a stage, with its notes (why a value is
// missing) and the stage's other notes that not every stage shares.
std::string StageRemark(const StageCheck& s, const std::vector<std::string>& common, const std::string& stressUnit)
{
    std::string text = s.heading + ": " + s.limitEquilibrium.method + ".";
    for (const std::string& n : s.notes)
        if (!Contains(common, n))
            text += " " + n;
    if (s.hydraulicHeave.shown)
        text += " " + HydraulicHeaveSummary(s.hydraulicHeave, stressUnit);
    return text;
}

std::string GoverningRemark(const DesignCheckReport& r)
{
    if (!r.governingStage)
        return "Governing stage: none, no stage has a safety factor.";
    const StageCheck& s = r.stages[static_cast<std::size_t>(*r.governingStage - 1)];
    return "Governing stage: " + s.heading + ", the smallest safety factor F = " + Cell(s.safety.factor) +
           " against the target " + FormatGeneral(r.target, kDigits) + ".";
}

// The basis of the limit-equilibrium moments: that of the first stage that has one.
std::string StripBasisOf(const DesignCheckReport& r)
{
    for (const StageCheck& s : r.stages)
        if (!s.limitEquilibrium.basis.empty())
            return s.limitEquilibrium.basis;
    return "";
}

}  // namespace

DesignChecksTable MakeDesignChecksTable(const DesignCheckReport& r)
{
    const engine::UnitLabels u = engine::UnitLabelsFor(r.unitSystem);
    DesignChecksTable t;
    t.header = {"Analysis",
                "F",
                "Limit at F",
                "Tip needed for F = " + FormatGeneral(r.target, kDigits) + " (" + u.length + ")",
                "Share of ultimate resistance in use (not a margin)",
                "LE embedment (" + u.length + ")",
                "LE anchor force (" + u.forcePerLength + ")",
                "LE largest moment at F = 1 (" + std::string(QuantityLabelsOf(r.unitSystem).moment) +
                    StripBasisOf(r) + ")",
                "Governing approach",
                "Deflection at F = 1 (" + u.length + ")",
                "Result"};
    for (const StageCheck& s : r.stages) {
        if (r.governingStage == s.stage)
            t.governingRow = static_cast<int>(t.rows.size());
        t.rows.push_back(Row(s));
    }
    const std::vector<std::string> common = CommonNotes(r);
    t.remarks.push_back(GoverningRemark(r));
    t.remarks.push_back("F: the safety factor by strength reduction. LE: the limit-equilibrium estimate, its method "
                        "named per stage below. Governing approach: the one that needs the deeper tip.");
    for (const StageCheck& s : r.stages)
        t.remarks.push_back(StageRemark(s, common, u.stress));
    t.remarks.insert(t.remarks.end(), common.begin(), common.end());
    t.remarks.insert(t.remarks.end(), r.notes.begin(), r.notes.end());
    return t;
}

}  // namespace checks
