#include "engine/WallFriction.h"

#include "engine/SlipLinePassive.h"
#include "units/Constants.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <mutex>
#include <utility>

namespace engine {

namespace {

// The slip-line coefficient is tabulated as ln K at every degree of phi and
// every kPassiveTableDeltaStep degrees of Delta = asin(sin(delta) / sin(phi)),
// each node solved once per process when first needed, and interpolated by
// four-point Lagrange polynomials in both directions.
constexpr int kPassiveTablePhiNodes = 51;    // phi = 0 ... 50 degrees
constexpr int kPassiveTableDeltaNodes = 10;  // Delta = 0 ... 90 degrees
constexpr double kPassiveTableDeltaStep = 10;
// The field converges slowly only toward the fully rough wall, where it is
// solved on a finer network.
SlipLineOptions PassiveNodeOptions(int deltaNode)
{
    const int steps = deltaNode >= 7 ? 240 : 120;
    return {steps, steps * 2 / 5, 1.0, 0.0, 3};
}

double LogPassiveNode(int phiNode, int deltaNode)
{
    static std::mutex mutex;
    static std::map<std::pair<int, int>, double> nodes;
    const std::pair<int, int> key{phiNode, deltaNode};
    {
        std::lock_guard<std::mutex> lock(mutex);
        const auto found = nodes.find(key);
        if (found != nodes.end())
            return found->second;
    }
    const double phi = phiNode;
    const double delta = Degrees(std::asin(std::sin(Radians(phi)) * std::sin(Radians(deltaNode * kPassiveTableDeltaStep))));
    const double value = std::log(ConvergedSlipLinePassiveCoefficient(phi, delta, PassiveNodeOptions(deltaNode)));
    std::lock_guard<std::mutex> lock(mutex);
    nodes.emplace(key, value);
    return value;
}

// The weights of the four-point Lagrange polynomial through nodes
// first ... first + 3 at x, and that first node, kept inside 0 ... count - 1.
int LagrangeWeights(double x, int count, double w[4])
{
    const int first = std::clamp(static_cast<int>(std::floor(x)) - 1, 0, count - 4);
    for (int a = 0; a < 4; ++a) {
        w[a] = 1;
        for (int b = 0; b < 4; ++b)
            if (b != a)
                w[a] *= (x - (first + b)) / static_cast<double>(a - b);
    }
    return first;
}

// The closed form of the curved surface for a weightless soil (EN 1997-1,
// Annex C, C.2, with the ground and the wall level), which lies below the
// field with weight at every angle.
double WeightlessPassiveCoefficient(double phi, double delta)
{
    const double f = Radians(phi), d = Radians(delta);
    const double ratio = std::min(1.0, std::sin(d) / std::sin(f));
    const double mt = 0.5 * (kPi / 2 - f);
    const double mw = 0.5 * (std::acos(ratio) - f - d);
    return (1 + std::sin(f) * std::sin(2 * mw + f)) / (1 - std::sin(f)) * std::exp(2 * (mt - mw) * std::tan(f));
}

double InterpolatedLogPassive(double phi, double deltaNodes)
{
    double wp[4], wd[4];
    const int i0 = LagrangeWeights(phi, kPassiveTablePhiNodes, wp);
    const int j0 = LagrangeWeights(deltaNodes, kPassiveTableDeltaNodes, wd);
    double sum = 0;
    for (int a = 0; a < 4; ++a)
        for (int b = 0; b < 4; ++b)
            sum += wp[a] * wd[b] * LogPassiveNode(i0 + a, j0 + b);
    return sum;
}

}  // namespace

double RankinePassiveCoefficient(double phi)
{
    return std::pow(std::tan(kPi / 4 + Radians(phi) / 2), 2);
}

double CoulombActiveCoefficient(double phi, double beta, double delta)
{
    const double f = Radians(phi), b = Radians(beta), d = Radians(delta);
    const double root = std::sqrt(std::max(0.0, std::sin(f + d) * std::sin(f - b) / (std::cos(d) * std::cos(b))));
    return std::cos(f) * std::cos(f) / ((1 + root) * (1 + root));
}

double CurvedSurfacePassiveCoefficient(double phi, double delta)
{
    if (!(phi > 0) || !(delta > 0))
        return RankinePassiveCoefficient(phi);
    delta = std::min(delta, phi);
    // Beyond the table the field converges too slowly toward the rough wall
    // to be trusted; the weightless closed form stays on the safe side.
    if (phi > kPassiveTablePhiNodes - 1)
        return WeightlessPassiveCoefficient(phi, delta);
    // An analysis asks for the same few layers' coefficients at every node:
    // each thread keeps the last few it computed.
    struct Recent {
        double phi = -1, delta = -1, k = 0;
    };
    thread_local std::array<Recent, 4> recent;
    thread_local std::size_t next = 0;
    for (const Recent& r : recent)
        if (r.phi == phi && r.delta == delta)
            return r.k;
    // In (phi, Delta) with sin(delta) = sin(phi) sin(Delta), the coefficient
    // is smooth up to the fully rough wall (Delta = 90), which delta is not.
    const double sinDelta = std::min(1.0, std::sin(Radians(delta)) / std::sin(Radians(phi)));
    const double capital = Degrees(std::asin(sinDelta));
    const double k = std::exp(InterpolatedLogPassive(phi, capital / kPassiveTableDeltaStep));
    recent[next] = {phi, delta, k};
    next = (next + 1) % recent.size();
    return k;
}

double CohesionFactor(double k, double adhesionRatio)
{
    return 2 * std::sqrt(k * (1 + adhesionRatio));
}

std::vector<WallContact> WallContactByLayer(const TWallSettings& settings, std::size_t layerCount)
{
    std::vector<WallContact> contact;
    for (const TWallFrictionSettings& w : settings.wallFriction) {
        if (w.layer < 1 || static_cast<std::size_t>(w.layer) > layerCount ||
            (w.frictionRatio == 0 && w.adhesionRatio == 0))
            continue;
        contact.resize(layerCount);
        contact[static_cast<std::size_t>(w.layer) - 1] = {w.frictionRatio, w.adhesionRatio};
    }
    return contact;
}

void ApplyWallContact(std::vector<SoilLayer>& layers, const TWallSettings& settings)
{
    const std::vector<WallContact> contact = WallContactByLayer(settings, layers.size());
    for (std::size_t i = 0; i < contact.size(); ++i)
        layers[i].contact = contact[i];
}

}  // namespace engine
