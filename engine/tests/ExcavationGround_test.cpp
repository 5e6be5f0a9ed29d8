// The ground in front of the wall: a berm by its equivalent surcharge and a
// falling surface by the planar wedge, against hand calculations.
#include "engine/ExcavationGround.h"
#include "engine/PassiveLimit.h"
#include "engine/PyCurveSet.h"
#include "engine/SoilProfile.h"
#include "units/Constants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace engine;

namespace {

SoilParameters Sand(double gamma, double phi)
{
    SoilParameters p;
    p.unitWeight = gamma;
    p.frictionAngle = phi;
    p.kpy = 20000;
    return p;
}

// A berm 2 m wide at the top, 1.5 m high, its side at 1 in 2 (26.565 deg), on
// an excavation 4 m deep in dry sand, gamma 18, phi' 30.
ExcavationGround Berm()
{
    ExcavationGround g;
    g.kind = ExcavationGroundKind::Berm;
    g.topWidth = 2;
    g.height = 1.5;
    g.sideSlope = std::atan(0.5) * 180 / kPi;
    return g;
}

PyCurveInput SandInFrontOf(const ExcavationGround& ground)
{
    PyCurveInput in;
    in.pyCurveOption = 2;
    in.unitSystem = UnitSystem::SI;
    in.excavationDepth = 4;
    in.activeWidth = 1;
    in.pyWidth = 1;
    in.waterDepthExcavation = in.waterDepthBackfill = 100;
    in.passiveLimit = true;
    in.ground = ground;
    in.layers = {{SoilType::Sand, 20, Sand(18, 30), Sand(18, 30), {}}};
    return in;
}

// 7 m down (d = 3 m below the excavation): the passive wedge at 45 - 15 = 30 deg
// reaches L = 3 / tan 30 = 5.19615 m, beyond the berm's foot at 2 + 1.5 / 0.5 = 5 m,
// so it carries the whole berm, A = (2 + 5) / 2 x 1.5 = 5.25 m^2:
// q = 18 x 5.25 / 5.19615 = 18.1865 kPa, sigma'v = 18 x 3 + q = 72.1865 kPa and the
// passive limit Kp sigma'v B = 3 x 72.1865 = 216.560 kN/m. That is less than the
// berm counted as level ground at its top (3 x 18 x 4.5 = 243) and more than no
// berm (3 x 54 = 162). At 4.5 m (d = 0.5 m) the wedge (0.866 m) lies under the
// berm's top: the berm's full height, q = 18 x 1.5 = 27 kPa.
TEST(ExcavationGround, BermReducesToItsEquivalentSurchargeByHand)
{
    const PyCurveInput in = SandInFrontOf(Berm());
    SoilProfile profile(in.layers, 9.81, 100, 100, 4);
    profile.SetGround(in.ground);
    EXPECT_NEAR(profile.BermUnitWeight(), 18, 1e-12);
    EXPECT_NEAR(profile.EffectiveExcavation(7), 72.1865, 1e-4);
    EXPECT_NEAR(profile.EffectiveExcavation(4.5), 9 + 27, 1e-9);
    EXPECT_NEAR(BermAreaWithin(Berm(), 3.5), 3 + 1.5 * 1.5 - 0.5 * 1.5 * 1.5 * 0.5, 1e-12);

    std::vector<double> depths;
    for (int k = 0; k <= 40; ++k)
        depths.push_back(0.25 * k);
    const PyCurveSet set = BuildPyCurves(in, depths);
    const PyCurveSet level = BuildPyCurves(SandInFrontOf({}), depths);
    ASSERT_TRUE(set.curves[28] && level.curves[28]);  // 7 m
    EXPECT_NEAR(set.curves[28]->Ultimate(), 216.560, 1e-3);
    EXPECT_NEAR(level.curves[28]->Ultimate(), 162, 1e-9);
    EXPECT_FALSE(set.curves[15]);  // above the excavation level: the berm itself resists nothing
    EXPECT_TRUE(std::any_of(set.notes.begin(), set.notes.end(),
                            [](const std::string& n) { return n.find("Equivalent surcharge") != std::string::npos; }));
}

// Dry sand phi' 30 under a surface falling at 20 deg: the least planar wedge is
// Coulomb's, Kp = cos^2 30 / (1 - sqrt(sin 30 sin 10 / cos 20))^2
// = 0.75 / (1 - 0.303968)^2 = 1.548112, against Rankine's 3 on level ground:
// the factor 0.516037 at every depth. On level ground with cohesion the wedge is
// Rankine's: Kp gamma d^2 / 2 + 2 c sqrt(Kp) d.
TEST(ExcavationGround, FallingSurfaceTakesCoulombsWedgeByHand)
{
    EXPECT_NEAR(PlanarWedgePassiveForce(3, 18, 0, 30, 20), 1.548112 * 18 * 9 / 2, 1e-3);
    EXPECT_NEAR(SlopeResistanceFactor(20, 3, 18, 0, 30), 0.516037, 1e-6);
    EXPECT_NEAR(SlopeResistanceFactor(20, 0, 18, 0, 30), 0.516037, 1e-6);
    EXPECT_NEAR(PlanarWedgePassiveForce(2, 17, 10, 25, 0),
                std::pow(std::tan(kPi / 4 + 12.5 * kPi / 180), 2) * 17 * 2 +
                    2 * 10 * std::tan(kPi / 4 + 12.5 * kPi / 180) * 2,
                1e-6);
    // Undrained clay: the slope also takes from the cohesion term.
    EXPECT_LT(SlopeResistanceFactor(20, 0, 18, 30, 0), 1);

    ExcavationGround slope;
    slope.kind = ExcavationGroundKind::Slope;
    slope.slopeAngle = 20;
    std::vector<double> depths;
    for (int k = 0; k <= 40; ++k)
        depths.push_back(0.25 * k);
    const PyCurveSet set = BuildPyCurves(SandInFrontOf(slope), depths);
    EXPECT_NEAR(set.curves[28]->Ultimate(), 0.516037 * 3 * 54, 1e-3);
}

}  // namespace
