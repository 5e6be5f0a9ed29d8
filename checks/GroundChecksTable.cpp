#include "checks/GroundChecksTable.h"

#include "checks/DesignChecksTable.h"
#include "engine/SoilLayer.h"
#include "units/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace checks {

namespace {

constexpr int kDigits = 4;

std::string Cell(const std::optional<double>& v) { return v ? FormatGeneral(*v, kDigits) : kNoValue; }

bool AnchorPlaced(const AnchorCheck& a) { return a.beyondWedge || a.kranzFactor; }

// "1.83 of 1.5" or "- (side shear holds)".
std::string HeaveCell(const StageCheck& s)
{
    if (!s.basalHeave)
        return kNoValue;
    const BasalHeave& h = *s.basalHeave;
    return (h.factor ? FormatGeneral(*h.factor, kDigits) : std::string("holds")) + " of " +
           FormatGeneral(h.target, kDigits) + (h.passed ? "" : " (FAILED)");
}

// "node 5: beyond by 2.31, F 1.92" per anchor whose place is checked, one line each.
std::string AnchorCell(const StageCheck& s)
{
    std::string text;
    for (const AnchorCheck& a : s.anchors) {
        if (!AnchorPlaced(a))
            continue;
        std::string wedge = kNoValue;
        if (a.wedgeMargin)
            wedge = (*a.beyondWedge ? "beyond by " : "INSIDE by ") + FormatGeneral(std::fabs(*a.wedgeMargin), kDigits);
        text += (text.empty() ? "" : "\n") + std::string("node ") + std::to_string(a.node) + ": " + wedge + ", F " +
                Cell(a.kranzFactor) + (a.kranzPassed.value_or(true) ? "" : " (FAILED)");
    }
    return text.empty() ? kNoValue : text;
}

}  // namespace

bool HasGroundChecks(const DesignCheckReport& r)
{
    return std::any_of(r.stages.begin(), r.stages.end(), [](const StageCheck& s) {
        return s.basalHeave || std::any_of(s.anchors.begin(), s.anchors.end(), AnchorPlaced);
    });
}

GroundChecksTable MakeGroundChecksTable(const DesignCheckReport& r)
{
    GroundChecksTable t;
    const engine::UnitLabels u = engine::UnitLabelsFor(r.unitSystem);
    t.header = {"Analysis", "Basal heave F of target", "Basal heave method",
                "Anchors: node, fixed length beyond the wedge (" + u.length + "), Kranz F"};
    for (const StageCheck& s : r.stages)
        t.rows.push_back({s.heading, HeaveCell(s), s.basalHeave ? s.basalHeave->method : kNoValue, AnchorCell(s)});
    return t;
}

}  // namespace checks
