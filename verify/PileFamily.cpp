#include "verify/PileFamily.h"

#include "engine/BeamColumnSolver.h"
#include "engine/ClayPowerCurve.h"
#include "engine/ExternalPyCurve.h"
#include "engine/SandCurve.h"
#include "engine/SiltCurve.h"
#include "engine/StiffClayFreeWaterCurve.h"
#include "engine/StrongRockCurve.h"
#include "engine/WeakRockCurve.h"
#include "units/Units.h"
#include "verify/ExactPile.h"

#include <algorithm>
#include <cmath>

namespace {

using Curve = std::shared_ptr<const engine::PyCurve>;
constexpr double B = PileWidth;

// The external curves: pu grows from 50 kN/m at the head by 30 kN/m per metre to
// 300 kN/m; straight to 0.3 pu at 1 mm, then to 0.8 pu at 10 mm and pu at 50 mm.
Curve External(int node, double x)
{
    const double pu = std::min(50 + 30 * x, 300.0);
    engine::ExternalCurveInput in;
    in.node = node;
    in.points = {{0, 0}, {0.001, -0.3 * pu}, {0.01, -0.8 * pu}, {0.05, -pu}};
    return std::make_shared<engine::ExternalPyCurve>(in);
}

std::vector<PileFamilyCase> MakeFamily()
{
    using namespace engine;
    return {
        // Soft clay without k: the cube root, floored below the small deflection.
        {"soft clay, Matlock (1970)", {30, 100, 400},
         [](int, double x) { return std::make_shared<ClayPowerCurve>(ClayPowerCurve::SoftClay, 25, 25, 8 * x, 0.02, B, x, 0); }},
        {"stiff clay with free water, Reese, Cox and Koop (1975)", {100, 250, 400},
         [](int, double x) { return std::make_shared<StiffClayFreeWaterCurve>(100, 100, 10 * x, 0.005, B, x, 135000); }},
        {"stiff clay without free water, Welch and Reese (1972)", {100, 500, 1200},
         [](int, double x) {
             return std::make_shared<ClayPowerCurve>(ClayPowerCurve::StiffClayNoFreeWater, 100, 100, 18 * x, 0.005, B, x, 270000);
         }},
        {"sand, Reese, Cox and Koop (1974)", {50, 300, 800},
         [](int, double x) { return std::make_shared<SandCurve>(35, 10 * x, B, x, 24000); }},
        {"silt (c-phi soil), Evans and Duncan (1982)", {50, 300, 800},
         [](int, double x) { return std::make_shared<SiltCurve>(30, 10, 10 * x, B, x, 20000); }},
        // The rock socket whose straight part ends below the small deflection, at
        // its three loads of the first report of that fault and one near pur.
        {"weak rock, Reese (1997)", {50, 100, 200, 3000},
         [](int, double x) { return std::make_shared<WeakRockCurve>(3000, 300000, 0.0005, 50, B, x); }},
        {"strong rock, Reese and Nyman (1978)", {1000, 5000, 12000},
         [](int, double) { return std::make_shared<StrongRockCurve>(20000, B); }},
        {"external curves", {20, 100, 350}, External},
    };
}

// The pile as the engine's solver takes it.
SectionInput EngineInput(const std::vector<Curve>& curves, double load)
{
    SectionInput in;
    in.unitSystem = UnitSystem::SI;
    in.Allocate(PileIncrements);
    in.increment = PileLength / PileIncrements;
    in.maxDeflection = 10;
    in.tolerance = PileFamilyOptions().closureTolerance;
    std::fill(in.ei.begin(), in.ei.end(), PileEi);
    in.load[0] = load;
    for (int m = 0; m <= PileIncrements; ++m) {
        const Curve c = curves[m];
        in.soil[m].pyCurve = c;
        in.soil[m].curve = [c](double y) { return -c->Resistance(y); };
        in.soil[m].initialSlope = c->InitialSlope();
    }
    return in;
}

double LargestMoment(const std::vector<double>& moments)
{
    double largest = 0;
    for (double v : moments)
        if (std::fabs(v) > std::fabs(largest))
            largest = v;
    return largest;
}

}  // namespace

const std::vector<PileFamilyCase>& PileFamily()
{
    static const std::vector<PileFamilyCase> family = MakeFamily();
    return family;
}

SolverOptions PileFamilyOptions()
{
    SolverOptions options;
    options.closureTolerance = 1e-10;
    return options;
}

PileComparison ComparePile(const PileFamilyCase& pile, double load, const SolverOptions& options)
{
    std::vector<Curve> curves;
    for (int m = 0; m <= PileIncrements; ++m)
        curves.push_back(pile.curve(m, m * PileLength / PileIncrements));
    PileComparison out;
    const SectionResult r = BeamColumnSolver::Solve(EngineInput(curves, load), options);
    out.engineOk = r.Ok();
    out.engineMessage = r.message;
    if (r.Ok()) {
        out.engineTop = r.y.front();
        out.engineMoment = LargestMoment(r.moment);
        for (int m : r.exactSecantNodes) {
            const double y = std::fabs(r.y[m]);
            out.pastLineBelowSmall += -curves[m]->Resistance(y) < (1 - 1e-6) * curves[m]->InitialSlope() * y;
        }
    }
    ExactPile exact;
    exact.increments = PileIncrements;
    exact.length = PileLength;
    exact.ei = PileEi;
    exact.resistance = [&curves](int m, double y) { return -curves[m]->Resistance(y); };
    const ExactPileSolution s = SolveExactPile(exact, load);
    out.exactOk = s.converged;
    out.exactTop = s.topDeflection;
    out.exactMoment = s.largestMoment;
    return out;
}
