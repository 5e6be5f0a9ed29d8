#include "checks/HydraulicHeave.h"

#include "engine/SoilProfile.h"
#include "units/NumberFormat.h"
#include <algorithm>
#include <limits>

namespace checks {

namespace {

const char* kMethod =
    "Hydraulic heave (EN 1997-1, 2.4.7.5, HYD, equation 2.9b): the exit gradient i over the upper half of the "
    "soil in front below the exit of the flow against the critical gradient i_c = gamma'/gamma_w, and Terzaghi's "
    "prism in front of the wall, half the embedment wide, whose excess pore pressure at the toe S lifts its "
    "submerged weight G' (the excess at the toe taken for the whole base, which errs on the safe side); each "
    "passes when gamma_G;dst x destabilising <= gamma_G;stb x stabilising.";

// The excess over still water of the excavation side's pore pressure at z.
double Excess(const engine::PoreWater& water, double z)
{
    return water.Excavation(z) - water.ExcavationStill(z);
}

}  // namespace

double HydraulicHeave::GradientFactor() const
{
    return exitGradient > 0 ? criticalGradient / exitGradient : std::numeric_limits<double>::infinity();
}

double HydraulicHeave::PrismFactor() const
{
    return excessPorePressure > 0 ? prismWeight / excessPorePressure : std::numeric_limits<double>::infinity();
}

std::string HydraulicHeaveSummary(const HydraulicHeave& c, const std::string& stressUnit)
{
    if (!c.applies)
        return "Hydraulic heave: does not apply (see the notes).";
    auto number = [](double v) { return FormatGeneral(v, 4); };
    return "Hydraulic heave: exit gradient i = " + number(c.exitGradient) + " of i_c = " + number(c.criticalGradient) +
           ", utilisation " + number(c.gradientUtilisation) + "; Terzaghi's prism S = " + number(c.excessPorePressure) +
           ", G' = " + number(c.prismWeight) + " " + stressUnit + ", utilisation " + number(c.prismUtilisation) +
           " (gamma_G;dst " + number(c.gammaDst) + ", gamma_G;stb " + number(c.gammaStb) + "); " +
           (c.passed ? "passed." : "FAILED.");
}

HydraulicHeave CheckHydraulicHeave(const WallBlock& block, const engine::PoreWaterInput& input,
                                   const THydraulicFactors& factors)
{
    HydraulicHeave c;
    c.gammaDst = factors.gammaG_dst;
    c.gammaStb = factors.gammaG_stb;
    if (input.regime == WaterRegime::Hydrostatic) {
        c.note = "Still water on both sides: no flow, no hydraulic heave.";
        return c;
    }
    c.shown = true;
    const double gammaW = engine::UnitWeightOfWater(block.unitSystem);
    const double h = block.wallHeight, toe = block.nodeCount * block.increment;
    const engine::PoreWater water(input, gammaW, block.waterDepthBackfill, block.waterDepthExcavation, h, toe);
    const double exit = std::max(h, block.waterDepthExcavation);
    if (!(gammaW > 0)) {
        c.note = "The generic unit system has no unit weight of water: hydraulic heave is not checked.";
        return c;
    }
    if (water.Hydrostatic()) {
        c.note = "Still water on both sides (" + water.Fallback() + "): no hydraulic heave.";
        return c;
    }
    if (!(toe > exit) || !(Excess(water, toe) > 0)) {
        c.note = "The water does not flow up through the soil in front of the wall: no hydraulic heave.";
        return c;
    }
    c.applies = true;
    const engine::SoilProfile soil(block.layers, gammaW, block.waterDepthBackfill, block.waterDepthExcavation, h);
    const double half = exit + 0.5 * (toe - exit);
    c.exitGradient = (Excess(water, half) - Excess(water, exit)) / (gammaW * (half - exit));
    c.criticalGradient =
        ((soil.TotalVerticalStress(half) - soil.TotalVerticalStress(exit)) / (half - exit) - gammaW) / gammaW;
    c.excessPorePressure = Excess(water, toe);
    c.prismWeight = soil.TotalVerticalStress(toe) - soil.TotalVerticalStress(h) - gammaW * (toe - exit);
    c.gradientUtilisation = c.gammaDst * c.exitGradient / (c.gammaStb * c.criticalGradient);
    c.prismUtilisation = c.gammaDst * c.excessPorePressure / (c.gammaStb * c.prismWeight);
    // A soil no heavier than water has no critical gradient: it heaves at once.
    if (!(c.criticalGradient > 0) || !(c.prismWeight > 0))
        c.gradientUtilisation = c.prismUtilisation = std::numeric_limits<double>::infinity();
    c.passed = c.gradientUtilisation <= 1 && c.prismUtilisation <= 1;
    c.note = kMethod;
    return c;
}

}  // namespace checks
