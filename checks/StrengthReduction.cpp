#include "checks/StrengthReduction.h"

#include "engine/SectionBuilder.h"
#include "units/Constants.h"

#include <algorithm>
#include <cmath>

namespace checks {

namespace {

void Divide(engine::SoilParameters& p, const StrengthDivisors& d, bool undrained)
{
    p.cohesion /= undrained ? d.undrained : d.cohesion;
    p.compressiveStrength /= d.compressive;
    // tan(phi_d) = tan(phi) / F, in degrees as the layer holds it.
    p.frictionAngle = std::atan(std::tan(p.frictionAngle * kPi / 180) / d.tanPhi) * 180 / kPi;
    p.unitWeight /= d.unitWeight;
}

// One constant row per node of 0..tip that the table gives a value.
std::vector<RangeRow> PerNode(const std::vector<RangeRow>& rows, int n, int tip, std::size_t columns)
{
    if (rows.empty())
        return rows;
    std::vector<std::vector<double>> values;
    std::vector<bool> given;
    for (std::size_t c = 0; c < columns; ++c)
        values.push_back(SectionBuilder::Expand(rows, c, n, "table", &given));
    std::vector<RangeRow> out;
    for (int m = 0; m <= tip; ++m) {
        if (!given[static_cast<std::size_t>(m)])
            continue;
        RangeRow r;
        r.from = r.to = m;
        for (std::size_t c = 0; c < columns; ++c)
            r.values.push_back(values[c][static_cast<std::size_t>(m)]);
        out.push_back(r);
    }
    return out;
}

}  // namespace

WallBlock ReduceStrengths(const WallBlock& block, double factor)
{
    return DivideStrengths(block, StrengthDivisors{factor, factor, factor, factor, 1});
}

WallBlock DivideStrengths(const WallBlock& block, const StrengthDivisors& divisors)
{
    WallBlock out = block;
    for (engine::SoilLayer& layer : out.layers) {
        const bool undrained = TraitsOf(layer.type).Strengths.Undrained;
        Divide(layer.top, divisors, undrained);
        Divide(layer.bottom, divisors, undrained);
    }
    return out;
}

WallBlock CutAtTip(const WallBlock& block, int tipNode)
{
    WallBlock out = block;
    const int n = block.nodeCount;
    out.nodeCount = tipNode;
    out.stiffness = PerNode(block.stiffness, n, tipNode, 1);
    out.loads = PerNode(block.loads, n, tipNode, 3);
    out.springs = PerNode(block.springs, n, tipNode, 2);
    auto below = [tipNode](int node) { return node > tipNode; };
    out.restraints.erase(std::remove_if(out.restraints.begin(), out.restraints.end(),
                                        [&](const RestraintRow& r) { return below(r.node); }),
                         out.restraints.end());
    out.externalCurves.erase(std::remove_if(out.externalCurves.begin(), out.externalCurves.end(),
                                            [&](const engine::ExternalCurveInput& c) { return below(c.node); }),
                             out.externalCurves.end());
    std::vector<MomentEiCurve> curves;
    for (MomentEiCurve c : block.meiCurves) {
        if (below(c.from))
            continue;
        c.to = std::min(c.to, tipNode);
        curves.push_back(c);
    }
    out.meiCurves = curves;
    return out;
}

}  // namespace checks
