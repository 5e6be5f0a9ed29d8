#pragma once
// Walls with closed-form solutions, built as data files and analysed by the
// whole engine: beams on an elastic foundation (Hetenyi 1946), cantilevers
// under point, uniform and triangular loads, and the beam-column.
#include "model/WallBuilder.h"
#include "units/Constants.h"

#include <cmath>
#include <functional>

namespace closedform {

// SI units: EI in kN-m^2, the foundation modulus in kN/m^2, loads in kN and
// kN/m.
constexpr double EI = 2.0e5, K = 50.0, P = 10.0, W = 0.5;
// A square root by Newton's method, so that the constants below are fixed when
// compiling: the case table is built during static initialisation, whose order
// among inline variables compilers do not all keep.
constexpr double ConstantSqrt(double x)
{
    double r = x > 1 ? x : 1;
    for (int i = 0; i < 200; ++i)
        r = 0.5 * (r + x / r);
    return r;
}
constexpr double Lambda = ConstantSqrt(ConstantSqrt(K / (4 * EI)));  // (K / 4EI)^(1/4)
constexpr double LongBeam = 12 / Lambda;                             // lambda L = 12: a long beam
constexpr double CantileverL = 20.0;
// Axial load: half the buckling load sqrt(k EI) of the beam on the foundation.
constexpr double N = 0.5 * 3162.27766;

// A wall in SI units of n increments over `length`, uniform EI.
struct Beam {
    Beam(int n, double length) : wall(UnitSystem::SI, n, length / n), n(n), h(length / n) { wall.Stiffness(0, n, EI); }
    // Winkler springs K = k h, half at the end nodes.
    void Foundation()
    {
        wall.Spring(0, 0, K * h / 2);
        wall.Spring(1, n - 1, K * h);
        wall.Spring(n, n, K * h / 2);
    }
    void FixedTip()
    {
        wall.Restraint(1, n, 0);
        wall.Restraint(2, n, 0);
    }
    WallBuilder wall;
    int n;
    double h;
};

struct WholeCase {
    const char* name;
    std::function<void(Beam&)> setup;
    double length;
    double exact;
    bool moment = false;  // compare the largest moment instead of the top deflection
};

inline double CantileverExact(double coefficient)
{
    return coefficient * std::pow(CantileverL, 4) / EI;
}

// Free-head semi-infinite beam-column on the foundation with axial load N and
// top load P: y = e^{-az}(C1 cos bz + C2 sin bz) with M(0) = 0 and EI y''' + N
// y' = P at the top.
inline double AxialTopDeflection()
{
    const double a = std::sqrt(Lambda * Lambda - N / (4 * EI)), b = std::sqrt(Lambda * Lambda + N / (4 * EI));
    const double f1 = -a, f2 = a * a - b * b, f3 = -a * a * a + 3 * a * b * b;
    const double g1 = b, g2 = -2 * a * b, g3 = 3 * a * a * b - b * b * b;
    return P / ((EI * f3 + N * f1) - f2 / g2 * (EI * g3 + N * g1));
}

inline const WholeCase WholeCases[] = {
    {"HetenyiTopLoad",
     [](Beam& b) {
         b.Foundation();
         b.wall.Load(0, 0, P);
     },
     LongBeam, 2 * P* Lambda / K},
    {"HetenyiTopMoment",
     [](Beam& b) {
         b.Foundation();
         b.wall.Load(0, 0, 0, P);
     },
     LongBeam, 2 * P* Lambda* Lambda / K},
    // M = (P/lambda) e^{-lz} sin(lz), largest at lz = pi/4.
    {"HetenyiMaxMoment",
     [](Beam& b) {
         b.Foundation();
         b.wall.Load(0, 0, P);
     },
     LongBeam, P / Lambda* std::exp(-kPi / 4) * std::sin(kPi / 4), true},
    {"FixedHead",
     [](Beam& b) {
         b.Foundation();
         b.wall.Load(0, 0, P);
         b.wall.Restraint(2, 0, 0);
     },
     LongBeam, P* Lambda / K},
    {"CantileverPoint",
     [](Beam& b) {
         b.FixedTip();
         b.wall.Load(0, 0, P);
     },
     CantileverL, P* std::pow(CantileverL, 3) / (3 * EI)},
    {"CantileverUniform",
     [](Beam& b) {
         b.FixedTip();
         b.wall.UserLoad(0, W);
         b.wall.UserLoad(CantileverL, W);
     },
     CantileverL, CantileverExact(W / 8)},
    {"CantileverTriangular",
     [](Beam& b) {
         b.FixedTip();
         b.wall.UserLoad(0, 0);
         b.wall.UserLoad(CantileverL, W);
     },
     CantileverL, CantileverExact(W / 30)},
    {"HetenyiExternalCurves",
     [](Beam& b) {
         // Linear external curves at the two ends; the nodes between take them by
         // node number.
         b.wall.ExternalCurve(0, {{-1, K}, {1, -K}});
         b.wall.ExternalCurve(b.n, {{-1, K}, {1, -K}});
         b.wall.Load(0, 0, P);
     },
     LongBeam, 2 * P* Lambda / K},
    {"CantileverMomentEiHalvesEi",
     [](Beam& b) {
         b.FixedTip();
         b.wall.Load(0, 0, P);
         b.wall.MomentEi(0, b.n, {{0, EI / 2}, {1e6, EI / 2}});
     },
     CantileverL, P* std::pow(CantileverL, 3) / (3 * EI / 2)},
    {"BeamColumnAxialLoad",
     [](Beam& b) {
         b.Foundation();
         b.wall.Load(0, 0, P, 0, N);
     },
     LongBeam, AxialTopDeflection()},
};

}  // namespace closedform
