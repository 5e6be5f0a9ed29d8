#include "engine/ExcavationGround.h"

#include "engine/PyCurveText.h"
#include "engine/SoilLayer.h"
#include "engine/WallFriction.h"
#include "model/WallSettings.h"
#include "units/Constants.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

// The passive force of the planar wedge rising from the foot of the wall at
// theta (radians) above the horizontal; the wedge slides up its base, where
// the friction and the cohesion resist.
double WedgeForce(double theta, double d, double gamma, double c, double tanPhi, double tanSlope)
{
    const double reach = d / (std::tan(theta) + tanSlope);  // where the base meets the surface
    const double weight = 0.5 * gamma * d * reach;
    const double base = reach / std::cos(theta);
    const double normal = (weight + c * base * std::sin(theta)) / (std::cos(theta) - tanPhi * std::sin(theta));
    return normal * (std::sin(theta) + tanPhi * std::cos(theta)) + c * base * std::cos(theta);
}

}  // namespace

ExcavationGround ExcavationGroundFor(const TWallSettings& settings, int stage)
{
    ExcavationGround g;
    const TExcavationSideSettings* s = settings.ExcavationSide(std::max(1, stage));
    if (!s)
        return g;
    g.kind = s->kind;
    g.topWidth = s->topWidth;
    g.height = s->height;
    g.sideSlope = s->sideSlope;
    g.slopeAngle = s->slopeAngle;
    return g;
}

double BermAreaWithin(const ExcavationGround& berm, double width)
{
    const double w = std::max(0.0, width), h = berm.height;
    const double top = std::min(w, berm.topWidth);
    // The side falls from the top's edge; a vertical face (90 degrees) has no run.
    const double run = berm.sideSlope >= 90 ? 0.0 : h / std::tan(Radians(berm.sideSlope));
    const double x = std::clamp(w - berm.topWidth, 0.0, run);
    const double side = run > 0 ? x * h - 0.5 * x * x * h / run : 0.0;
    return top * h + side;
}

double BermSurcharge(const ExcavationGround& berm, double unitWeight, double phi, double depth)
{
    if (berm.kind != ExcavationGroundKind::Berm || !(berm.height > 0))
        return 0;
    const double width = std::max(0.0, depth) / std::tan(kPi / 4 - Radians(phi) / 2);
    if (!(width > 0))
        return unitWeight * berm.height;
    return unitWeight * BermAreaWithin(berm, width) / width;
}

double PlanarWedgePassiveForce(double depth, double unitWeight, double cohesion, double phi, double surfaceSlope)
{
    const double tanPhi = std::tan(Radians(phi)), tanSlope = std::tan(Radians(surfaceSlope));
    // The base must rise less steeply than 90 - phi, or the wedge locks.
    const double lo = 1e-6, hi = kPi / 2 - Radians(phi) - 1e-6;
    auto force = [&](double t) { return WedgeForce(t, depth, unitWeight, cohesion, tanPhi, tanSlope); };
    // A scan brackets the least force; a golden-section search refines it.
    constexpr int kScan = 60;
    int best = 0;
    double least = force(lo);
    for (int i = 1; i <= kScan; ++i) {
        const double f = force(lo + (hi - lo) * i / kScan);
        if (f < least) {
            least = f;
            best = i;
        }
    }
    double a = lo + (hi - lo) * std::max(0, best - 1) / kScan, b = lo + (hi - lo) * std::min(kScan, best + 1) / kScan;
    const double g = (std::sqrt(5.0) - 1) / 2;
    double x1 = b - g * (b - a), x2 = a + g * (b - a), f1 = force(x1), f2 = force(x2);
    for (int it = 0; it < 80 && b - a > 1e-12; ++it) {
        if (f1 < f2) {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = b - g * (b - a);
            f1 = force(x1);
        } else {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = a + g * (b - a);
            f2 = force(x2);
        }
    }
    return force(0.5 * (a + b));
}

double SlopeResistanceFactor(double surfaceSlope, double depth, double unitWeight, double cohesion, double phi)
{
    if (!(surfaceSlope > 0))
        return 1;
    // At the excavation level the weight terms vanish: a depth just below it
    // gives the ratio of the cohesion terms (or of the weight terms without any).
    const double d = depth > 0 ? depth : 1e-9;
    // Under level ground the least wedge is Rankine's.
    const double kp = RankinePassiveCoefficient(phi);
    const double level = 0.5 * kp * unitWeight * d * d + 2 * cohesion * std::sqrt(kp) * d;
    if (!(level > 0))
        return 1;
    return std::clamp(PlanarWedgePassiveForce(d, unitWeight, cohesion, phi, surfaceSlope) / level, 0.0, 1.0);
}

std::string ExcavationGroundNote(const ExcavationGround& g, double bermUnitWeight, UnitSystem unitSystem)
{
    const UnitLabels units = UnitLabelsFor(unitSystem);
    if (g.kind == ExcavationGroundKind::Berm)
        return "Berm in front of the wall (wall settings): top width " + DepthText(g.topWidth, unitSystem) + ", height " +
               DepthText(g.height, unitSystem) + ", side slope " + Num(g.sideSlope) + " deg, effective unit weight " +
               Num(bermUnitWeight) + " " + units.unitWeight +
               ". Equivalent surcharge (Fleming et al.): at each depth d below the excavation level the "
               "effective vertical stress in front of the wall is raised by q = gamma' A(L) / L, A(L) the berm's "
               "cross-section within L = d / tan(45 - phi'/2) of the wall (the passive wedge through d; 45 deg in "
               "clay); the berm's own soil above the excavation level gives no resistance.";
    return "Excavation surface falling away from the wall at " + Num(g.slopeAngle) +
           " deg (wall settings): every generated curve and its passive limit are multiplied by the ratio of the "
           "least passive force of a planar wedge on a smooth vertical wall to each depth under the falling surface "
           "to that under level ground (Coulomb), with the mean effective unit weight above the depth and the "
           "cohesion and friction angle at it.";
}

}  // namespace engine
