#include "checks/LimitEquilibrium.h"

#include "checks/StrengthReduction.h"
#include "engine/PoreWater.h"
#include "engine/SectionBuilder.h"
#include "engine/SoilProfile.h"
#include "engine/WallFriction.h"
#include "units/Constants.h"
#include "units/NumberFormat.h"
#include "units/QuantityLabels.h"

#include <algorithm>
#include <cmath>

namespace checks {

namespace {

// Depth cells of the integration down to the deepest tip searched.
constexpr int kCells = 4000;
// The deepest tip searched, as a multiple of the wall length.
constexpr double kDepthRange = 4;
// Balances found again with the seepage of the last tip found, at most.
constexpr int kSeepageIterations = 30;

const char* kCantilever = "USACE EM 1110-2-2504 conventional method (cantilever)";
const char* kHinge = "FHWA GEC-4 hinge method, free earth support below the lowest support (several anchors or struts)";
const char* kFreeEarth = "USACE EM 1110-2-2504 conventional method, free earth support (single anchor)";

// Nodes with a lateral spring (the anchors); empty when the table has none.
std::vector<int> AnchorNodes(const WallBlock& b)
{
    std::vector<int> nodes;
    if (b.springs.empty())
        return nodes;
    const std::vector<double> k = SectionBuilder::Expand(b.springs, 0, b.nodeCount, "Springs");
    for (int m = 0; m <= b.nodeCount; ++m)
        if (k[static_cast<std::size_t>(m)] > 0)
            nodes.push_back(m);
    return nodes;
}

bool HasLoads(const WallBlock& b)
{
    for (const RangeRow& r : b.loads)
        for (std::size_t c = 0; c < 2 && c < r.values.size(); ++c)
            if (r.values[c] != 0)
                return true;
    for (const RangeRow& r : b.springs)
        if (r.values.size() > 1 && r.values[1] != 0)
            return true;
    return false;
}

// Why the method does not apply to the block; empty when it does.
std::vector<std::string> OutOfScope(const WallBlock& b, const std::vector<int>& anchors)
{
    std::vector<std::string> why;
    const double length = b.nodeCount * b.increment;
    if (!(b.nodeCount > 0 && b.increment > 0 && std::isfinite(length)))
        why.push_back("the wall has no usable length");
    else if (!(b.wallHeight < length))
        why.push_back("the excavation does not end above the tip");
    if (b.earthPressureOption < 2 || b.layers.empty())
        why.push_back("the earth pressure is not generated from soil layers");
    for (const engine::SoilLayer& l : b.layers)
        if (engine::IsRock(l.type)) {
            why.push_back("a layer is rock");
            break;
        }
    if (b.backfillSlope != 0)
        why.push_back("the backfill slopes");
    if (!b.surcharges.empty())
        why.push_back("point, line or strip surcharges act behind the wall");
    if (HasLoads(b))
        why.push_back("concentrated loads, moments or rotational springs act on the wall");
    if (!b.restraints.empty())
        why.push_back("the wall has specified deflections or slopes");
    if (!anchors.empty() && anchors.back() * b.increment >= b.wallHeight)
        why.push_back("its lowest anchor or strut is not above the excavation level");
    if (!(b.wallHeight > 0))
        why.push_back("there is no excavation");
    return why;
}

// Net pressures per unit width at the depth cells, positive toward the
// excavation: `toward` when the wall moves toward the excavation there (active
// behind, passive in front), `back` when it moves back (passive behind, active
// in front); both include the net water pressure u_b - u_e.
struct NetPressures {
    double dz = 0;
    std::vector<double> toward, back;
    // Prefix sums of p dz and p z dz: sums over cells 0..j-1.
    std::vector<double> towardForce, towardMoment, backForce, backMoment;
};

// True for a wall of spaced units (soldier piles): Wp < Wa.
bool Spaced(const WallBlock& b) { return b.pyWidth > 0 && b.pyWidth < b.activeWidth; }

// The coefficients of a depth and the factors of its cohesion terms: Rankine's
// for a smooth wall; with the layer's wall friction delta = ratio x phi (on the
// reduced phi), Coulomb's Ka and the curved-surface Kp, and the adhesion in
// 2 sqrt(K (1 + a/c)).
struct Coefficients {
    double ka, kp, kac, kpc;
};

Coefficients CoefficientsAt(const engine::SoilProfile& profile, double z, const engine::SoilParameters& p)
{
    const double phi = Radians(p.frictionAngle);
    const engine::WallContact& contact =
        profile.Layers()[static_cast<std::size_t>(profile.LayerAt(z, engine::Side::Below))].contact;
    if (contact.Smooth()) {
        const double ka = std::pow(std::tan(kPi / 4 - phi / 2), 2), kp = std::pow(std::tan(kPi / 4 + phi / 2), 2);
        return {ka, kp, 2 * std::sqrt(ka), 2 * std::sqrt(kp)};
    }
    const double delta = contact.frictionRatio * p.frictionAngle;
    const double ka = engine::CoulombActiveCoefficient(p.frictionAngle, 0, delta);
    const double kp = engine::CurvedSurfacePassiveCoefficient(p.frictionAngle, delta);
    return {ka, kp, engine::CohesionFactor(ka, contact.adhesionRatio), engine::CohesionFactor(kp, contact.adhesionRatio)};
}

// The net pressures per unit width of a continuous wall; for spaced units per
// unit (per spacing Wa), as FHWA GEC-4 takes them for soldier piles: above the
// excavation the active pressure over the spacing (the lagging), below it the
// active pressure and the water over the unit's width Wp and the passive
// resistance over an effective width of 3 Wp, at most the spacing.
// `water` is the stage's pore water; seepage runs round a tip at depth `toe`.
NetPressures Pressures(const WallBlock& b, const engine::PoreWaterInput& water, double toe)
{
    const bool spaced = Spaced(b);
    const double lagging = spaced ? b.activeWidth : 1, unit = spaced ? b.pyWidth : 1,
                 effective = spaced ? std::min(3 * b.pyWidth, b.activeWidth) : 1;
    NetPressures net;
    const double bottom = kDepthRange * b.nodeCount * b.increment;
    net.dz = bottom / kCells;
    const double gammaW = engine::UnitWeightOfWater(b.unitSystem);
    const engine::PoreWater pore(water, gammaW, b.waterDepthBackfill, b.waterDepthExcavation, b.wallHeight, toe);
    engine::SoilProfile profile(b.layers, gammaW, b.waterDepthBackfill, b.waterDepthExcavation, b.wallHeight, pore);
    profile.SetGround(b.excavationGround);
    net.towardForce.assign(kCells + 1, 0);
    net.towardMoment.assign(kCells + 1, 0);
    net.backForce.assign(kCells + 1, 0);
    net.backMoment.assign(kCells + 1, 0);
    for (int k = 0; k < kCells; ++k) {
        const double z = (k + 0.5) * net.dz;
        const engine::SoilParameters p = profile.ParametersAt(z, engine::Side::Below);
        const Coefficients coefficients = CoefficientsAt(profile, z, p);
        const double ka = coefficients.ka, kp = coefficients.kp, kac = coefficients.kac, kpc = coefficients.kpc;
        const double c = p.cohesion;
        const double behind = profile.EffectiveBackfill(z) + b.topSurcharge;
        const double front = profile.EffectiveExcavation(z);
        const double water = profile.PoreBackfill(z) - profile.PoreExcavation(z);
        const double activeBehind = b.activePressureFactor * std::max(0.0, ka * behind - c * kac);
        const double passiveBehind = kp * behind + c * kpc;
        const bool soilInFront = z > b.wallHeight;
        const double activeFront = soilInFront ? std::max(0.0, ka * front - c * kac) : 0.0;
        const double passiveFront = soilInFront ? profile.ExcavationResistanceFactor(z) * (kp * front + c * kpc) : 0.0;
        if (spaced) {
            const double behindWidth = soilInFront ? unit : lagging;
            net.toward.push_back((activeBehind + water) * behindWidth - passiveFront * effective);
            net.back.push_back(soilInFront ? passiveBehind * effective + (water - activeFront) * unit
                                           : (activeBehind + water) * lagging);
        } else {
            net.toward.push_back(activeBehind + water - passiveFront);
            net.back.push_back((soilInFront ? passiveBehind : activeBehind) + water - activeFront);
        }
        const std::size_t j = static_cast<std::size_t>(k);
        net.towardForce[j + 1] = net.towardForce[j] + net.toward[j] * net.dz;
        net.towardMoment[j + 1] = net.towardMoment[j] + net.toward[j] * z * net.dz;
        net.backForce[j + 1] = net.backForce[j] + net.back[j] * net.dz;
        net.backMoment[j + 1] = net.backMoment[j] + net.back[j] * z * net.dz;
    }
    return net;
}

// A prefix sum at a fractional cell boundary x (linear within the cell).
double At(const std::vector<double>& sums, double x)
{
    const int i = std::clamp(static_cast<int>(std::floor(x)), 0, kCells - 1);
    return sums[static_cast<std::size_t>(i)] + (x - i) * (sums[static_cast<std::size_t>(i) + 1] - sums[static_cast<std::size_t>(i)]);
}

// For a tip at cell boundary j: the pivot at which the net force vanishes and
// the moment about the tip, sum p (d - z) dz = -sum p z dz at zero force;
// empty when even without a pivot the net force pushes the wall out.
std::optional<double> CantileverMoment(const NetPressures& net, int excavationCell, int j)
{
    auto force = [&](double i) {
        return At(net.towardForce, i) + net.backForce[static_cast<std::size_t>(j)] - At(net.backForce, i);
    };
    if (force(j) > 0 || force(excavationCell) < 0)
        return std::nullopt;
    double lo = excavationCell, hi = j;  // force(lo) >= 0 >= force(hi)
    for (int it = 0; it < 60 && hi - lo > 1e-9; ++it) {
        const double mid = 0.5 * (lo + hi);
        (force(mid) >= 0 ? lo : hi) = mid;
    }
    const double pivot = 0.5 * (lo + hi);
    return -(At(net.towardMoment, pivot) + net.backMoment[static_cast<std::size_t>(j)] - At(net.backMoment, pivot));
}

// The first cell boundary past the excavation at which `moment` turns from
// positive (overturning) to 0 or below, interpolated; empty when none does.
template <class Moment>
std::optional<double> FirstBalance(int excavationCell, Moment moment)
{
    std::optional<double> previous;
    for (int j = excavationCell + 1; j <= kCells; ++j) {
        const std::optional<double> m = moment(j);
        if (m && *m <= 0)
            return previous && *previous > 0 ? (j - 1) + *previous / (*previous - *m) : double(j);
        previous = m;
    }
    return std::nullopt;
}

}  // namespace

namespace {

// The solution of the method at one factor: the tip (a cell boundary, from the
// top) and, for an anchored wall, the anchor force per unit width.
struct Balance {
    std::optional<double> tip;
    double anchorForce = 0;
    double largestMoment = 0;  // per unit width
};

// The bending moment per unit width at cell boundary i of the net pressures
// above it, less the anchor force T at depth za: z F(z) - sum p z dz - T (z - za).
double MomentAt(const NetPressures& net, int i, double anchorForce, double za)
{
    const double z = i * net.dz;
    const std::size_t s = static_cast<std::size_t>(i);
    double m = z * net.towardForce[s] - net.towardMoment[s];
    if (z > za)
        m -= anchorForce * (z - za);
    return m;
}

// Several supports, by the hinge method: the wall hinged at every support, the
// embedment below the lowest support balancing about it the net pressures
// below it (free earth support), each span between two supports simply
// supported, the wall above the first support a cantilever. `anchorForce` is
// the lowest support's reaction; every support's reaction goes to `forces`.
Balance SolveHinged(const NetPressures& net, const std::vector<double>& supports, int excavationCell,
                    std::vector<double>& forces)
{
    Balance out;
    // Prefix sums at a depth in cells (fractional).
    auto force = [&](double x) { return At(net.towardForce, x); };
    auto moment = [&](double x) { return At(net.towardMoment, x); };
    const double zs = supports.back(), s = zs / net.dz;
    out.tip = FirstBalance(excavationCell, [&](int j) -> std::optional<double> {
        return (moment(j) - moment(s)) - zs * (force(j) - force(s));
    });
    if (!out.tip)
        return out;
    const double tipCell = *out.tip;
    forces.assign(supports.size(), 0);
    // The moment at depth z of a segment from a (reaction ra there, moment 0) down.
    auto segmentMoment = [&](double a, double ra, double z) {
        return ra * (z - a) - (z * (force(z / net.dz) - force(a / net.dz)) - (moment(z / net.dz) - moment(a / net.dz)));
    };
    auto largestIn = [&](double a, double b, double ra) {
        for (int i = static_cast<int>(std::ceil(a / net.dz)); i * net.dz <= b && i <= kCells; ++i)
            out.largestMoment = std::max(out.largestMoment, std::fabs(segmentMoment(a, ra, i * net.dz)));
    };
    // Above the first support: a cantilever; all its load goes to that support.
    forces.front() += force(supports.front() / net.dz);
    largestIn(0, supports.front(), 0);
    for (std::size_t k = 0; k + 1 < supports.size(); ++k) {
        const double a = supports[k], b = supports[k + 1];
        const double total = force(b / net.dz) - force(a / net.dz);
        const double first = moment(b / net.dz) - moment(a / net.dz);  // sum p z dz over the span
        const double ra = (b * total - first) / (b - a);
        forces[k] += ra;
        forces[k + 1] += total - ra;
        largestIn(a, b, ra);
    }
    const double below = force(tipCell) - force(s);
    forces.back() += below;
    largestIn(zs, tipCell * net.dz, below);
    out.anchorForce = forces.back();
    return out;
}

Balance SolveAt(const WallBlock& block, const std::vector<int>& anchors, double factor,
                const engine::PoreWaterInput& water, double toe, std::vector<double>* forces)
{
    const WallBlock b = ReduceStrengths(block, factor);
    const NetPressures net = Pressures(b, water, toe);
    const int excavationCell = static_cast<int>(std::lround(b.wallHeight / net.dz));
    Balance out;
    double za = 0;
    int last = 0;  // the cell boundary down to which the moments are those of the net pressures toward the excavation
    if (anchors.size() > 1) {
        std::vector<double> supports, reactions;
        for (int a : anchors)
            supports.push_back(a * b.increment);
        out = SolveHinged(net, supports, excavationCell, reactions);
        if (forces)
            *forces = reactions;
        out.tip = out.tip ? std::optional<double>(*out.tip * net.dz) : std::nullopt;
        return out;
    }
    if (anchors.empty()) {
        out.tip = FirstBalance(excavationCell, [&](int j) { return CantileverMoment(net, excavationCell, j); });
        // The largest moment is where the shear of the net pressures toward the
        // excavation first vanishes below the excavation level, above the pivot.
        if (out.tip) {
            last = excavationCell;
            while (last < kCells && net.towardForce[static_cast<std::size_t>(last) + 1] > 0)
                ++last;
            ++last;
        }
    } else {
        za = anchors.front() * b.increment;
        out.tip = FirstBalance(excavationCell, [&](int j) -> std::optional<double> {
            const std::size_t s = static_cast<std::size_t>(j);
            return net.towardMoment[s] - za * net.towardForce[s];
        });
        if (out.tip) {
            out.anchorForce = At(net.towardForce, *out.tip);
            last = static_cast<int>(std::floor(*out.tip));
        }
    }
    for (int i = 0; i <= std::min(last, kCells); ++i)
        out.largestMoment = std::max(out.largestMoment, std::fabs(MomentAt(net, i, out.anchorForce, za)));
    out.tip = out.tip ? std::optional<double>(*out.tip * net.dz) : std::nullopt;
    return out;
}

// The balance of the wall. Water seeping round the tip flows along a path that
// ends at the tip the balance finds: starting from the wall's own tip, the
// pressures are those of the last tip found until it moves no more.
Balance Solve(const WallBlock& block, const std::vector<int>& anchors, double factor,
              const engine::PoreWaterInput& water, std::vector<double>* forces = nullptr)
{
    double toe = block.nodeCount * block.increment;
    Balance out = SolveAt(block, anchors, factor, water, toe, forces);
    if (water.regime != WaterRegime::Seepage)
        return out;
    const double tolerance = 1e-6 * std::max(1.0, toe);
    for (int k = 0; k < kSeepageIterations && out.tip && std::fabs(*out.tip - toe) > tolerance; ++k) {
        toe = *out.tip;
        out = SolveAt(block, anchors, factor, water, toe, forces);
    }
    return out;
}

void Estimate(const WallBlock& block, double factor, const engine::PoreWaterInput& water, LimitEquilibrium& out)
{
    const std::vector<int> anchors = AnchorNodes(block);
    out.method = anchors.size() == 1 ? kFreeEarth : anchors.empty() ? kCantilever : kHinge;
    const std::vector<std::string> why = OutOfScope(block, anchors);
    if (!why.empty()) {
        std::string text = "Outside the limit-equilibrium method's scope: ";
        for (std::size_t i = 0; i < why.size(); ++i)
            text += (i ? "; " : "") + why[i];
        out.notes.push_back(text + ".");
        return;
    }
    // Pressures per unit width are taken to the analysed strip; those of spaced units are per unit already.
    const double width = Spaced(block) ? 1.0 : block.StripWidth();
    if (!anchors.empty())
        out.anchorNode = anchors.back();
    std::vector<double> forces;
    const Balance design = Solve(block, anchors, factor, water, &forces);
    if (!design.tip) {
        out.notes.push_back("No embedment down to " + std::to_string(int(kDepthRange)) +
                            " times the wall length balances the wall.");
        return;
    }
    out.requiredEmbedment = *design.tip - block.wallHeight;
    if (!anchors.empty())
        out.anchorForce = design.anchorForce * width;
    if (anchors.size() > 1) {
        std::string text = "Support forces of the hinge method (per the wall's width):";
        for (std::size_t k = 0; k < anchors.size() && k < forces.size(); ++k)
            text += (k ? ", node " : " node ") + std::to_string(anchors[k]) + " " + FormatGeneral(forces[k] * width, 4);
        out.notes.push_back(text + "; the anchor force given is the lowest support's.");
    }
    const Balance unfactored = factor == 1 ? design : Solve(block, anchors, 1, water);
    if (unfactored.tip) {
        out.largestMoment = unfactored.largestMoment * width;
        out.basis = StripBasis(block.unitSystem, Spaced(block) ? block.activeWidth : width);
    }
    if (Spaced(block))
        out.notes.push_back("Spaced units (FHWA GEC-4): the active pressure over the spacing Wa above the excavation, "
                            "over the unit's width Wp below it, the passive resistance over 3 Wp (at most Wa); forces "
                            "and moments per unit.");
    if (block.activePressureFactor != 1)
        out.notes.push_back("The active pressure factor multiplies the active earth pressure of the estimate.");
    if (std::any_of(block.layers.begin(), block.layers.end(),
                    [](const engine::SoilLayer& l) { return !l.contact.Smooth(); }))
        out.notes.push_back("With the wall friction and adhesion of the wall's settings: Coulomb's Ka and the "
                            "curved-surface Kp of the analysis, with delta = (delta/phi') x phi' on the reduced phi'.");
    if (!block.excavationGround.Level())
        out.notes.push_back(block.excavationGround.kind == ExcavationGroundKind::Berm
                                ? "With the berm of the wall's settings: its equivalent surcharge on the passive side, "
                                  "as in the analysis."
                                : "With the falling excavation surface of the wall's settings: the passive pressure "
                                  "times the planar-wedge ratio of the analysis.");
    if (block.earthPressureOption == 3)
        out.notes.push_back(
            "The estimate uses Rankine's active pressure, not the apparent-pressure envelope of the analysis.");
    if (water.regime == WaterRegime::Seepage)
        out.notes.push_back("The estimate takes the stage's seepage, its path running round the required tip.");
    else if (water.regime == WaterRegime::Table)
        out.notes.push_back("The estimate takes the stage's table of pore pressures.");
}

}  // namespace

LimitEquilibrium EstimateLimitEquilibrium(const WallBlock& block, double factor, const engine::PoreWaterInput& water)
{
    LimitEquilibrium out;
    out.method = kCantilever;
    try {
        Estimate(block, factor, water, out);
    } catch (const std::exception& e) {
        // The analysis of the same wall reports its input errors in full.
        out.requiredEmbedment.reset();
        out.anchorForce.reset();
        out.largestMoment.reset();
        out.notes.push_back(std::string("The limit-equilibrium estimate cannot be made: ") + e.what());
    }
    return out;
}

}  // namespace checks
