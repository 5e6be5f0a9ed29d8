// The copy of a wall with the design values of one combination.
#include "checks/DesignApproach.h"

#include "checks/StrengthReduction.h"
#include "engine/PyModifiers.h"
#include "engine/SectionBuilder.h"
#include "model/FileLayout.h"

#include <algorithm>
#include <cmath>

namespace checks {

namespace {

// The deepest support above the excavation level (a lateral spring or a
// specified deflection), as a depth; negative when there is none.
double LowestSupportAbove(const WallBlock& b)
{
    double lowest = -1;
    auto take = [&](int node) {
        const double z = node * b.increment;
        if (z < b.wallHeight)
            lowest = std::max(lowest, z);
    };
    for (const RestraintRow& r : b.restraints)
        if (r.kind == kDeflectionRestraint)
            take(r.node);
    for (const RangeRow& r : b.springs)
        if (!r.values.empty() && r.values[0] > 0)
            for (int m = r.from; m <= r.to; ++m)
                take(m);
    return lowest;
}

void FactorLoads(WallBlock& b, const CombinationFactors& f, const TWallSettings& settings)
{
    b.topSurcharge *= settings.uniformSurchargePermanent ? f.permanentSurcharge : f.variableSurcharge;
    for (std::size_t i = 0; i < b.surcharges.size(); ++i)
        b.surcharges[i].magnitude *=
            settings.SurchargePermanent(static_cast<int>(i) + 1) ? f.permanentSurcharge : f.variableSurcharge;
    for (RangeRow& r : b.loads)
        for (double& v : r.values)
            v *= settings.LoadPermanent(r.from) ? f.permanentLoad : f.variableLoad;
}

// p(y) = p0(g y) / g below the excavation, by the p- and y-multipliers 1/g:
// the ultimate resistance divided by g, the initial slope unchanged.
void DivideResistance(WallBlock& b, double g)
{
    if (g == 1)
        return;
    const double h = b.wallHeight;
    for (engine::ExternalCurveInput& c : b.externalCurves)
        if (c.node * b.increment >= h) {
            c.pMultiplier /= g;
            c.yMultiplier /= g;
        }
    // The table times a step at the excavation level: its own rows, and a row
    // just above and at the level, the one below scaled.
    const engine::PyModifierTable table(b.modifiers);
    const double above = h - 1e-6 * b.increment;
    std::vector<engine::PyModifierRow> rows;
    for (const engine::PyModifierRow& r : b.modifiers)
        if (r.depth < above || r.depth > h)
            rows.push_back(r);
    rows.push_back({above, table.PMultiplierAt(above), table.YMultiplierAt(above)});
    rows.push_back({h, table.PMultiplierAt(h), table.YMultiplierAt(h)});
    for (engine::PyModifierRow& r : rows)
        if (r.depth >= h) {
            r.pMultiplier /= g;
            r.yMultiplier /= g;
        }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const engine::PyModifierRow& x, const engine::PyModifierRow& y) { return x.depth < y.depth; });
    b.modifiers = rows;
}

}  // namespace

double UnplannedExcavation(const WallBlock& b)
{
    if (!(b.wallHeight > 0))
        return 0;
    const double support = LowestSupportAbove(b);
    const double height = support >= 0 ? b.wallHeight - support : b.wallHeight;
    const double most =
        kMostUnplannedExcavationMetres * static_cast<double>(ConversionFactor(UnitSystem::SI, b.unitSystem, "L"));
    // Rounded to 1e-9 of a length unit: a tenth of a depth carries binary noise (0.30000000000000004).
    return std::round(std::min(kUnplannedExcavationShare * height, most) * 1e9) / 1e9;
}

WallBlock DesignBlock(const WallBlock& block, const CombinationFactors& f, double unplanned,
                      const TWallSettings& settings)
{
    WallBlock b = DivideStrengths(block, StrengthDivisors{f.phi, f.c, f.cu, f.qu, f.weight});
    if (unplanned > 0) {
        const double dug = b.wallHeight + unplanned;
        if (b.waterDepthExcavation >= b.wallHeight && b.waterDepthExcavation < dug)
            b.waterDepthExcavation = dug;
        b.wallHeight = dug;
    }
    FactorLoads(b, f, settings);
    DivideResistance(b, f.resistance);
    return b;
}

}  // namespace checks
