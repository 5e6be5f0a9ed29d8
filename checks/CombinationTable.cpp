#include "checks/CombinationTable.h"

#include "checks/DesignChecksTable.h"
#include "units/NumberFormat.h"
#include "units/QuantityLabels.h"

#include <sstream>

namespace checks {

namespace {

constexpr int kDigits = 4;

std::string Cell(const std::optional<double>& v) { return v ? FormatGeneral(*v, kDigits) : kNoValue; }

// "node 5: 312.4 kN, 0.6234" per anchor, one line each; the force per unit
// width where the anchor's spacing is not given.
std::string AnchorCell(const CombinationCheck& c, const QuantityLabels& q)
{
    if (c.anchors.empty())
        return kNoValue;
    std::string text;
    for (const CombinationAnchor& a : c.anchors) {
        const std::string force = a.designForcePerAnchor
                                      ? FormatGeneral(*a.designForcePerAnchor, kDigits) + " " + q.force
                                      : FormatGeneral(a.designForcePerWidth, kDigits) + " " + q.forcePerLength;
        text += (text.empty() ? "" : "\n") + std::string("node ") + std::to_string(a.node) + ": " + force + ", " +
                Cell(a.utilisation);
    }
    return text;
}

std::vector<std::string> Header(UnitSystem units, double stripWidth)
{
    const QuantityLabels& q = QuantityLabelsOf(units);
    const std::string basis = StripBasis(units, stripWidth);
    return {"Combination",
            std::string("Unplanned excavation (") + q.length + ")",
            "Analysis",
            "Over-design factor",
            std::string("Design moment (") + q.moment + basis + ")",
            std::string("Design shear (") + q.force + basis + ")",
            "Bending utilisation",
            "Shear utilisation",
            "Anchors: node, design force, utilisation",
            "Result"};
}

}  // namespace

std::vector<CombinationTable> MakeCombinationTables(const DesignCheckReport& r)
{
    std::vector<CombinationTable> tables;
    if (r.approach == DesignApproach::None)
        return tables;
    const QuantityLabels& q = QuantityLabelsOf(r.unitSystem);
    for (const StageCheck& s : r.stages) {
        CombinationTable t;
        t.heading = s.heading;
        t.header = Header(r.unitSystem, s.combinations.empty() ? 1 : s.combinations.front().stripWidth);
        for (const CombinationCheck& c : s.combinations) {
            const bool governing = s.governingCombination == c.name;
            if (governing)
                t.governingRow = static_cast<int>(t.rows.size());
            t.rows.push_back({c.name + (governing ? kGoverningMark : ""), FormatGeneral(c.unplannedExcavation, kDigits),
                              c.analysis, Cell(c.overDesignFactor), Cell(c.designMoment), Cell(c.designShear),
                              Cell(c.bendingUtilisation), Cell(c.shearUtilisation), AnchorCell(c, q),
                              c.passed ? "passed" : "FAILED"});
        }
        tables.push_back(std::move(t));
    }
    return tables;
}

std::vector<std::string> FactorLines(const DesignCheckReport& r)
{
    std::vector<std::string> lines;
    if (r.approach == DesignApproach::None)
        return lines;
    std::istringstream text(FactorSetsText(r.approach, r.factors));
    for (std::string line; std::getline(text, line);)
        lines.push_back(line.substr(line.find_first_not_of(' ')));
    return lines;
}

}  // namespace checks
