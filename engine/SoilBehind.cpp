#include "engine/SoilBehind.h"

#include "engine/EarthPressure.h"
#include "engine/PassiveLimit.h"
#include "engine/PyCurveText.h"
#include "engine/SoilProfile.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace engine {

SoilBehindCurve::SoilBehindCurve(double modulus, double limit) : modulus_(modulus), limit_(limit) {}

double SoilBehindCurve::Resistance(double y) const
{
    return y < 0 ? std::min(-modulus_ * y, limit_) : 0.0;
}

std::string SoilBehindCurve::Describe(const UnitLabels& u) const
{
    return Describing("soil behind (subgrade reaction, Terzaghi 1955): Es = ", modulus_, " ", u.stress,
                      " where the wall moves back, up to the passive pressure less the active, ", limit_, " ",
                      u.forcePerLength);
}

namespace {

// The rise of the earth pressure from active to passive (F/L^2) at an effective
// vertical stress s, by Rankine (Coulomb's active coefficient with the backfill
// slope, the passive coefficient with the layer's wall friction as the front's limit).
double PressureRange(const SoilLayer& layer, const SoilParameters& p, double s, double beta)
{
    const double passive = PassiveLimit(layer.type, p, layer.contact, s, 1.0);
    double active = 0;
    if (IsClay(layer.type)) {
        active = s - 2 * p.cohesion;
    } else {
        const double ka = CoulombActiveCoefficient(p.frictionAngle, std::min(beta, p.frictionAngle));
        active = ka * s - 2 * p.cohesion * std::sqrt(ka);
    }
    return std::max(0.0, passive - std::max(0.0, active));
}

}  // namespace

std::vector<std::shared_ptr<const PyCurve>> SoilBehindCurves(const SoilBehindInput& in,
                                                             const std::vector<double>& depths,
                                                             std::vector<std::string>& notes)
{
    std::vector<std::shared_ptr<const PyCurve>> curves(depths.size());
    if (in.layers.empty())
        return curves;
    // Water flowing down behind the wall raises the effective stress there, as
    // in the earth pressure the wall is loaded with.
    const double gammaW = UnitWeightOfWater(in.unitSystem);
    const PoreWater water(in.water, gammaW, in.waterDepthBackfill, in.waterDepthExcavation, in.excavationDepth,
                          in.wallLength);
    const SoilProfile profile(in.layers, gammaW, in.waterDepthBackfill, in.waterDepthExcavation, in.excavationDepth,
                              water);
    const double tiny = 1e-9 * std::max(1.0, in.excavationDepth);
    std::set<int> noModulus;
    int first = -1, last = -1;
    for (size_t k = 0; k < depths.size(); ++k) {
        const double z = depths[k];
        if (!(z < in.excavationDepth - tiny))
            break;
        const double s = profile.EffectiveBackfill(z) + std::max(0.0, in.topSurcharge);
        // A node on a layer boundary takes the mean of both layers.
        double modulus = 0, limit = 0;
        int sides = 0;
        for (Side side : {Side::Above, Side::Below}) {
            const int i = profile.LayerAt(z, side);
            const SoilLayer& layer = profile.Layers()[static_cast<size_t>(i)];
            if (IsRock(layer.type))
                continue;
            const SoilParameters p = profile.ParametersAt(z, side);
            if (!(p.kpy > 0))
                noModulus.insert(i + 1);
            modulus += std::max(0.0, p.kpy) * z;
            limit += PressureRange(layer, p, s, in.backfillSlope) * in.activeWidth;
            ++sides;
        }
        // No stiffness (the retained surface, a layer without k(py)) or no room
        // between active and passive: no spring.
        if (sides == 0 || !(modulus > 0) || !(limit > 0) || !std::isfinite(modulus) || !std::isfinite(limit))
            continue;
        curves[k] = std::make_shared<SoilBehindCurve>(modulus / sides, limit / sides);
        first = first < 0 ? static_cast<int>(k) : first;
        last = static_cast<int>(k);
    }
    if (first >= 0)
        notes.push_back("Soil behind: at nodes " + std::to_string(first) + " to " + std::to_string(last) +
                        " above the excavation level the retained soil resists the wall moving back into it, Es = "
                        "k(py) z (z below the retained surface) up to the passive pressure less the active on Wa.");
    for (int layer : noModulus)
        notes.push_back("Soil behind: soil layer " + std::to_string(layer) +
                        " has no k(py), so its soil behind the wall gives no resistance.");
    return curves;
}

}  // namespace engine
