#include "checks/UtilisationTable.h"

#include "checks/DesignChecksTable.h"
#include "engine/SoilLayer.h"
#include "units/NumberFormat.h"
#include "units/QuantityLabels.h"

namespace checks {

namespace {

constexpr int kDigits = 4;

std::string Cell(const std::optional<double>& v) { return v ? FormatGeneral(*v, kDigits) : kNoValue; }

bool Governs(const DesignCheckReport& r, int stage, int node)
{
    for (const DesignCheckReport::GoverningAnchor& a : r.governingAnchors)
        if (a.node == node)
            return a.stage == stage && r.stages.size() > 1;
    return false;
}

// "node 5: 312.4 kN, 0.6234" per anchor, one line each.
std::string AnchorCell(const DesignCheckReport& r, const StageCheck& s, const std::string& force)
{
    if (s.anchors.empty())
        return kNoValue;
    std::string text;
    for (const AnchorCheck& a : s.anchors) {
        text += (text.empty() ? "" : "\n") + std::string("node ") + std::to_string(a.node) + ": " +
                (a.forcePerAnchor ? FormatGeneral(*a.forcePerAnchor, kDigits) + " " + force : kNoValue) + ", " +
                Cell(a.utilisation) + (a.forcePerAnchor && Governs(r, s.stage, a.node) ? " (governing)" : "");
    }
    return text;
}

}  // namespace

UtilisationTable MakeUtilisationTable(const DesignCheckReport& r)
{
    const engine::UnitLabels u = engine::UnitLabelsFor(r.unitSystem);
    UtilisationTable t;
    t.header = {"Analysis",
                "Bending utilisation M / (fy W)",
                "at depth (" + u.length + ")",
                "Shear utilisation V / (fy Av / sqrt 3)",
                "at depth (" + u.length + ")",
                "Anchors: node, force per anchor, utilisation"};
    for (const StageCheck& s : r.stages) {
        const int row = static_cast<int>(t.rows.size());
        std::vector<std::string> cells = {s.heading,
                                          Cell(s.bendingUtilisation),
                                          s.bendingUtilisation ? FormatGeneral(s.bendingDepth, kDigits) : kNoValue,
                                          Cell(s.shearUtilisation),
                                          s.shearUtilisation ? FormatGeneral(s.shearDepth, kDigits) : kNoValue,
                                          AnchorCell(r, s, QuantityLabelsOf(r.unitSystem).force)};
        const bool several = r.stages.size() > 1;
        if (several && r.governingBendingStage == s.stage) {
            cells[UtilisationBending] += kLargestMark;
            t.governingCells.emplace_back(row, UtilisationBending);
        }
        if (several && r.governingShearStage == s.stage) {
            cells[UtilisationShear] += kLargestMark;
            t.governingCells.emplace_back(row, UtilisationShear);
        }
        if (cells[UtilisationAnchors].find("(governing)") != std::string::npos)
            t.governingCells.emplace_back(row, UtilisationAnchors);
        t.rows.push_back(cells);
    }
    return t;
}

}  // namespace checks
