#include "checks/BasalHeave.h"

#include "engine/SoilProfile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace checks {

namespace {

// Terzaghi's bearing factor of a rough strip, and the limits of Skempton's factor.
constexpr double kTerzaghiNc = 5.7;
constexpr double kDeepestRatio = 2.5;

// The depth below `h` to the top of the first layer that is not clay (a firm
// layer that bounds the failing zone); infinite when the clay goes on.
double ClayBelow(const engine::SoilProfile& profile, double h)
{
    const auto& layers = profile.Layers();
    for (int i = profile.LayerAt(h, engine::Side::Below); i < static_cast<int>(layers.size()); ++i)
        if (!engine::IsClay(layers[static_cast<std::size_t>(i)].type))
            return std::max(0.0, profile.LayerTop(i) - h);
    return std::numeric_limits<double>::infinity();
}

// Why the check cannot be made on the block; empty when it can.
std::string OutOfScope(const WallBlock& b)
{
    if (!(b.wallHeight > 0))
        return "there is no excavation";
    if (b.earthPressureOption < 2 || b.layers.empty())
        return "the wall has no soil layers";
    const engine::SoilProfile profile(b.layers, 0, 0, 0, b.wallHeight);
    const engine::SoilLayer& base = b.layers[static_cast<std::size_t>(profile.LayerAt(b.wallHeight, engine::Side::Below))];
    if (!engine::IsClay(base.type) || !(profile.ParametersAt(b.wallHeight, engine::Side::Below).cohesion > 0))
        return "the soil below the excavation level is not clay";
    return "";
}

}  // namespace

std::optional<BasalHeave> CheckBasalHeave(const WallBlock& b, const TExcavationSettings& excavation,
                                          std::vector<std::string>& notes)
{
    if (!(excavation.width > 0))
        return std::nullopt;
    if (const std::string why = OutOfScope(b); !why.empty()) {
        notes.push_back("Basal heave is not checked: " + why + ".");
        return std::nullopt;
    }
    const double gammaW = engine::UnitWeightOfWater(b.unitSystem);
    const engine::SoilProfile profile(b.layers, gammaW, b.waterDepthBackfill, b.waterDepthExcavation, b.wallHeight);
    const double h = b.wallHeight;
    // The width is the smaller side of the plan; a length not given is infinite.
    const double length = excavation.length > 0 ? excavation.length : std::numeric_limits<double>::infinity();
    const double width = std::min(excavation.width, length), longer = std::max(excavation.width, length);
    const double firm = ClayBelow(profile, h);
    BasalHeave r;
    r.target = excavation.basalHeaveTarget;
    r.load = profile.TotalVerticalStress(h) + b.topSurcharge - gammaW * std::max(0.0, h - b.waterDepthExcavation);
    double driving = r.load;
    if (h / width < 1) {
        const double column = std::min(width / std::sqrt(2.0), firm);
        r.method = "Terzaghi (1943)";
        r.bearingFactor = kTerzaghiNc;
        r.baseStrength = profile.AverageCohesion(h, h + column);
        driving -= profile.AverageCohesion(0, h) * h / column;
    } else {
        r.method = "Bjerrum and Eide (1956)";
        r.bearingFactor = 5 * (1 + 0.2 * std::min(h / width, kDeepestRatio)) * (1 + 0.2 * width / longer);
        r.baseStrength = profile.AverageCohesion(h, h + std::min(width, firm));
    }
    if (driving > 0)
        r.factor = r.bearingFactor * r.baseStrength / driving;
    else
        notes.push_back("Basal heave: the shear on the retained side carries the whole weight above the base.");
    r.passed = !r.factor || *r.factor >= r.target;
    if (!b.surcharges.empty())
        notes.push_back("Basal heave leaves out the point, line and strip surcharges.");
    if (!std::isfinite(length))
        notes.push_back("Basal heave: the excavation's length is not given; taken as infinitely long (plane strain).");
    return r;
}

}  // namespace checks
