#include "checks/AnchorStability.h"

#include "engine/SoilProfile.h"
#include "units/Constants.h"

#include <algorithm>
#include <cmath>

namespace checks {

namespace {

constexpr int kSteps = 400;  // integration steps along a depth or a line

double RankineActive(double phi) { return std::pow(std::tan(kPi / 4 - Radians(phi) / 2), 2); }

// The active pressure of the retained side at depth z (effective, not below 0).
double ActivePressure(const engine::SoilProfile& profile, const WallBlock& b, double z)
{
    const engine::SoilParameters p = profile.ParametersAt(z, engine::Side::Below);
    const double ka = RankineActive(p.frictionAngle);
    return std::max(0.0, ka * (profile.EffectiveBackfill(z) + b.topSurcharge) - 2 * p.cohesion * std::sqrt(ka));
}

// The active force on a vertical plane from the surface to depth `depth`.
double ActiveForce(const engine::SoilProfile& profile, const WallBlock& b, double depth)
{
    double sum = 0;
    for (int k = 0; k < kSteps; ++k)
        sum += ActivePressure(profile, b, (k + 0.5) * depth / kSteps);
    return sum * depth / kSteps;
}

// The net pressure toward the excavation below its level: Rankine's active
// pressure behind and the water, less the passive pressure in front.
double NetPressure(const engine::SoilProfile& profile, const WallBlock& b, double z)
{
    const engine::SoilParameters p = profile.ParametersAt(z, engine::Side::Below);
    const double kp = 1 / RankineActive(p.frictionAngle);
    const double passive = kp * profile.EffectiveExcavation(z) + 2 * p.cohesion * std::sqrt(kp);
    return ActivePressure(profile, b, z) + profile.PoreBackfill(z) - profile.PoreExcavation(z) - passive;
}

// The depth from which the wedge rises: the first point below the excavation
// where the net pressure turns, the excavation level where it does not above the tip.
double WedgeOrigin(const engine::SoilProfile& profile, const WallBlock& b)
{
    const double tip = b.nodeCount * b.increment, dz = b.increment / 10;
    double before = NetPressure(profile, b, b.wallHeight);
    for (double z = b.wallHeight + dz; z <= tip + 1e-12; z += dz) {
        const double now = NetPressure(profile, b, z);
        if (before > 0 && now <= 0)
            return z - dz * now / (now - before);
        before = now;
    }
    return b.wallHeight;
}

// The horizontal distance behind the wall of the wedge's plane at depth z.
double WedgeDistance(const engine::SoilProfile& profile, double origin, double z)
{
    if (z >= origin)
        return 0;
    double sum = 0;
    const double dz = (origin - z) / kSteps;
    for (int k = 0; k < kSteps; ++k) {
        const double phi = profile.ParametersAt(z + (k + 0.5) * dz, engine::Side::Below).frictionAngle;
        sum += dz / std::tan(kPi / 4 + Radians(phi) / 2);
    }
    return sum;
}

// A point behind the wall: x the horizontal distance, z the depth.
struct Point {
    double x = 0, z = 0;
};

Point AlongAnchor(const WallBlock& b, const AnchorCheck& a, const TAnchorSettings& s, double distance)
{
    const double i = Radians(s.inclination);
    return {distance * std::cos(i), a.node * b.increment + distance * std::sin(i)};
}

// The anchor force per unit width, horizontal, that the block between the wall
// and the slip line from its tip to `d` holds in equilibrium (Kranz), with the
// surcharge `q` on the block; the anchor pulls at `d` at `inclination`.
double PossibleAnchorForce(const engine::SoilProfile& profile, const WallBlock& b, Point d, double inclination, double q)
{
    const double tip = b.nodeCount * b.increment;
    const double length = std::hypot(d.x, tip - d.z);
    const double tx = d.x / length, tz = (tip - d.z) / length;  // along the line from the tip to d, z upward
    double weight = 0, tanPhi = 0, cohesion = 0;
    for (int k = 0; k < kSteps; ++k) {
        const double s = (k + 0.5) / kSteps, z = tip + (d.z - tip) * s;
        weight += profile.EffectiveBackfill(z) + q;
        const engine::SoilParameters p = profile.ParametersAt(z, engine::Side::Below);
        tanPhi += std::tan(Radians(p.frictionAngle));
        cohesion += p.cohesion;
    }
    weight *= d.x / kSteps;
    tanPhi /= kSteps;
    cohesion *= length / kSteps;
    // The forces known, x away from the wall, z upward: the weight, the active
    // force of the wall on the block, that of the soil behind the equivalent
    // anchor wall, and the cohesion along the line.
    const double kx = ActiveForce(profile, b, tip) - ActiveForce(profile, b, d.z) + cohesion * tx;
    const double kz = -weight + cohesion * tz;
    // The reaction of the line at phi' to its normal, against the block's
    // movement toward the wall; the anchor along (-1, tan i) per unit of its
    // horizontal force. Solve Q q + A (-1, tan i) = -(kx, kz).
    const double phi = std::atan(tanPhi);
    const double qx = -tz * std::cos(phi) + tx * std::sin(phi), qz = tx * std::cos(phi) + tz * std::sin(phi);
    const double tanI = std::tan(Radians(inclination));
    const double reaction = (-kz - kx * tanI) / (qz + qx * tanI);
    return reaction * qx + kx;
}

// True when point p lies within the block of the slip line from the tip to d.
bool WithinBlock(const WallBlock& b, Point d, Point p)
{
    const double tip = b.nodeCount * b.increment;
    return p.x <= d.x * (1 + 1e-9) && p.z <= tip + (d.z - tip) * p.x / d.x + 1e-9 * tip;
}

}  // namespace

void CheckAnchorStability(const WallBlock& b, const TWallSettings& settings, double target,
                          std::vector<AnchorCheck>& anchors, std::vector<std::string>& notes)
{
    auto placed = [&settings](const AnchorCheck& a) {
        const TAnchorSettings* s = settings.Anchor(a.node);
        return s && s->freeLength > 0 && s->fixedLength > 0 ? s : nullptr;
    };
    const bool any = std::any_of(anchors.begin(), anchors.end(), placed);
    if (!any)
        return;
    if (b.earthPressureOption < 2 || b.layers.empty() || !(b.nodeCount > 0 && b.increment > 0)) {
        notes.push_back("The anchors' place in the ground is not checked: the wall has no soil layers or no length.");
        return;
    }
    const engine::SoilProfile profile(b.layers, engine::UnitWeightOfWater(b.unitSystem), b.waterDepthBackfill,
                                      b.waterDepthExcavation, b.wallHeight);
    const double origin = WedgeOrigin(profile, b), tip = b.nodeCount * b.increment;
    for (AnchorCheck& a : anchors) {
        const TAnchorSettings* s = placed(a);
        if (!s)
            continue;
        const Point start = AlongAnchor(b, a, *s, s->freeLength);
        a.wedgeMargin = start.x - WedgeDistance(profile, origin, start.z);
        a.beyondWedge = *a.wedgeMargin >= 0;
        const Point d = AlongAnchor(b, a, *s, s->freeLength + s->fixedLength / 2);
        if (!(d.z < tip)) {
            notes.push_back("The block of the anchor at node " + std::to_string(a.node) +
                            " is not checked: the middle of its fixed length lies below the wall's tip.");
            continue;
        }
        double demand = 0;
        for (const AnchorCheck& other : anchors)
            if (const TAnchorSettings* o = placed(other))
                if (WithinBlock(b, d, AlongAnchor(b, other, *o, o->freeLength + o->fixedLength / 2)))
                    demand += other.forcePerWidth;
        if (!(demand > 0)) {
            notes.push_back("The block of the anchor at node " + std::to_string(a.node) +
                            " is not checked: its anchors carry no tension.");
            continue;
        }
        const double possible = std::min(PossibleAnchorForce(profile, b, d, s->inclination, b.topSurcharge),
                                         PossibleAnchorForce(profile, b, d, s->inclination, 0));
        a.kranzFactor = std::max(0.0, possible) / demand;
        a.kranzPassed = *a.kranzFactor >= target;
    }
}

}  // namespace checks
