#include "engine/SlipLinePassive.h"

#include "engine/WallFriction.h"
#include "units/Constants.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace engine {

namespace {

// A node of the slip-line network: its place (x away from the wall, z down),
// Sokolovskii's stress parameter sigma (the principal stresses are
// sigma (1 +- sin phi)) and the angle psi of the major principal stress with
// the horizontal.
struct Node {
    double x = 0, z = 0, sigma = 0, psi = 0;
};

// The constants of one field.
struct Field {
    double sinPhi, tanPhi, mu, gamma, psiWall;
};

// The node where the first-family characteristic from `a` (dz/dx = tan(psi - mu))
// meets the second-family one from `b` (dz/dx = tan(psi + mu)), with
//   d sigma - 2 sigma tan(phi) d psi = gamma (dz - tan(phi) dx)   along the first,
//   d sigma + 2 sigma tan(phi) d psi = gamma (dz + tan(phi) dx)   along the second,
// the coefficients taken as the mean of the two ends and corrected in turn.
Node Interior(const Node& a, const Node& b, const Field& f, int iterations)
{
    Node n{(a.x + b.x) / 2, a.z, a.sigma, a.psi};
    for (int k = 0; k < iterations; ++k) {
        const double sa = (a.sigma + n.sigma) / 2, sb = (b.sigma + n.sigma) / 2;
        const double ta = std::tan((a.psi + n.psi) / 2 - f.mu), tb = std::tan((b.psi + n.psi) / 2 + f.mu);
        n.x = (b.z - a.z + ta * a.x - tb * b.x) / (ta - tb);
        n.z = a.z + ta * (n.x - a.x);
        const double ra = a.sigma - 2 * sa * f.tanPhi * a.psi + f.gamma * ((n.z - a.z) - f.tanPhi * (n.x - a.x));
        const double rb = b.sigma + 2 * sb * f.tanPhi * b.psi + f.gamma * ((n.z - b.z) + f.tanPhi * (n.x - b.x));
        n.psi = (rb - ra) / (2 * f.tanPhi * (sa + sb));
        n.sigma = ra + 2 * sa * f.tanPhi * n.psi;
    }
    return n;
}

// The node where the first-family characteristic from `a` reaches the wall
// (x = 0), where psi is the wall's.
Node OnWall(const Node& a, const Field& f, int iterations)
{
    Node n{0, a.z, a.sigma, f.psiWall};
    for (int k = 0; k < iterations; ++k) {
        const double sa = (a.sigma + n.sigma) / 2;
        n.z = a.z - std::tan((a.psi + n.psi) / 2 - f.mu) * a.x;
        n.sigma = a.sigma + 2 * sa * f.tanPhi * (n.psi - a.psi) + f.gamma * ((n.z - a.z) + f.tanPhi * a.x);
    }
    return n;
}

// The coefficient at each wall node from the top down (index i - 1 for the
// node i steps down).
std::vector<double> WallCoefficients(double phi, double delta, const SlipLineOptions& o)
{
    const double fr = Radians(phi), dr = Radians(delta);
    const double s = std::sin(fr);
    Field f{s, std::tan(fr), kPi / 4 - fr / 2, o.unitWeight, 0};
    f.psiWall = dr > 0 ? 0.5 * (dr + std::asin(std::min(1.0, std::sin(dr) / s))) : 0.0;
    // A vanishing surcharge keeps the fan at the top of the wall non-singular
    // when the soil's weight alone loads it.
    const double q = o.surcharge > 0 ? o.surcharge : 1e-9 * o.unitWeight;
    const int n = o.steps, m = o.fanRays;
    const double h = 1.0 / n;

    // Row 0 is the fan at the top of the wall, row i starts i steps along the
    // Rankine zone's boundary; row i ends on the wall.
    std::vector<Node> previous(m + 1), row;
    for (int j = 0; j <= m; ++j) {
        const double psi = f.psiWall * j / m;
        previous[j] = {0, 0, q / (1 - s) * std::exp(2 * f.tanPhi * psi), psi};
    }
    std::vector<double> k;
    k.reserve(n);
    for (int i = 1; i <= n; ++i) {
        row.assign(m + i + 1, Node{});
        const double r = i * h;
        row[0] = {r * std::cos(f.mu), r * std::sin(f.mu), (q + f.gamma * r * std::sin(f.mu)) / (1 - s), 0};
        for (int j = 1; j < m + i; ++j)
            row[j] = Interior(row[j - 1], previous[j], f, o.iterations);
        const Node wall = OnWall(row[m + i - 1], f, o.iterations);
        row[m + i] = wall;
        k.push_back(wall.sigma * (1 + s * std::cos(2 * f.psiWall)) / (f.gamma * wall.z + q));
        previous.swap(row);
    }
    return k;
}

}  // namespace

double SlipLinePassiveCoefficient(double phi, double delta, const SlipLineOptions& options)
{
    if (!(phi > 0) || !(delta > 0))
        return RankinePassiveCoefficient(phi);
    return WallCoefficients(phi, std::min(delta, phi), options).back();
}

double ConvergedSlipLinePassiveCoefficient(double phi, double delta, const SlipLineOptions& options)
{
    if (!(phi > 0) || !(delta > 0))
        return SlipLinePassiveCoefficient(phi, delta);
    const std::vector<double> k = WallCoefficients(phi, std::min(delta, phi), options);
    const std::size_t n = k.size();
    const double quarter = k[n / 4 - 1], half = k[n / 2 - 1], whole = k[n - 1];
    const double d1 = quarter - half, d2 = half - whole;
    // Richardson's extrapolation with the observed ratio of successive
    // differences, 2^p; where the differences are at rounding level or do not
    // shrink, the deepest node's value stands.
    if (std::abs(d2) < 1e-12 * whole || !(d1 / d2 > 1.2))
        return whole;
    return whole - d2 / (d1 / d2 - 1);
}

}  // namespace engine
