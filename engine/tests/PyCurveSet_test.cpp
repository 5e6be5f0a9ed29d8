// Assembling the p-y curves of a wall: which node gets which curve, and the multipliers.
#include "engine/PyCurveSet.h"
#include "engine/SandCurve.h"
#include "engine/ClayPowerCurve.h"
#include "engine/WeakRockCurve.h"
#include "units/TorvikError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace engine;

namespace {

SoilParameters SoftClayRow(double gamma, double c, double eps50)
{
    SoilParameters p;
    p.unitWeight = gamma;
    p.cohesion = c;
    p.e50 = eps50;
    return p;
}

SoilParameters SandRow(double gamma, double phi, double k)
{
    SoilParameters p;
    p.unitWeight = gamma;
    p.frictionAngle = phi;
    p.kpy = k;
    return p;
}

std::vector<double> Depths(int n, double h)
{
    std::vector<double> z;
    for (int k = 0; k <= n; ++k)
        z.push_back(k * h);
    return z;
}

// SI wall: H = 2 m, b = 0.6 m, Wa = 2.25 m (Wa/Wp = 3.75: no spacing factor), water at
// the excavation level; soft clay c = 20, gamma = 17.81 (gamma' = 8), eps50 = 0.02.
PyCurveInput ClayWall()
{
    PyCurveInput in;
    in.pyCurveOption = 2;
    in.unitSystem = UnitSystem::SI;
    in.excavationDepth = 2;
    in.activeWidth = 2.25;
    in.pyWidth = 0.6;
    in.waterDepthExcavation = 2;
    in.waterDepthBackfill = 2;
    in.layers = {{SoilType::SoftClay, 10, SoftClayRow(17.81, 20, 0.02), SoftClayRow(17.81, 20, 0.02)}};
    return in;
}

std::string ErrorOf(const PyCurveInput& in, const std::vector<double>& depths)
{
    try {
        BuildPyCurves(in, depths);
    } catch (const TorvikError& e) {
        return e.what();
    }
    return "";
}

TEST(BuildPyCurves, MatlockCurveOfTheMethodCheckAtItsNode)
{
    const PyCurveSet set = BuildPyCurves(ClayWall(), Depths(16, 0.5));
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(set.curves[k], nullptr) << "node " << k << " lies above the excavation";
    ASSERT_NE(set.curves[8], nullptr);  // z = 4 m, x = 2 m
    EXPECT_NEAR(set.curves[8]->Ultimate(), 65.60, 1e-9);
    EXPECT_NEAR(set.curves[8]->Resistance(0.001), -10.556017271688, 1e-9);
    EXPECT_NEAR(set.curves[8]->Resistance(-0.03), 32.80, 1e-9);
    // At the excavation level the clay has 3 c b.
    EXPECT_NEAR(set.curves[4]->Ultimate(), 36, 1e-9);
    EXPECT_EQ(set.spacingFactor, 1);
}

TEST(SpacingFactor, SideBySideUnits)
{
    EXPECT_DOUBLE_EQ(SpacingFactor(0.6, 0.6), 0.64);
    EXPECT_DOUBLE_EQ(SpacingFactor(0.3, 0.6), 0.64);
    EXPECT_DOUBLE_EQ(SpacingFactor(1.2, 0.6), 0.64 * std::pow(2.0, 0.34));
    EXPECT_DOUBLE_EQ(SpacingFactor(2.25, 0.6), 1);
    EXPECT_DOUBLE_EQ(SpacingFactor(6, 0.6), 1);
}

TEST(BuildPyCurves, SpacingAndModificationFactorsMultiply)
{
    PyCurveInput in = ClayWall();
    in.activeWidth = 1.2;
    in.modifiers = {{10, 0.5, 2}, {0, 1, 1}};  // unsorted on purpose
    const PyCurveSet set = BuildPyCurves(in, Depths(16, 0.5));
    // At z = 4 m: fp = 0.8, fy = 1.4; the Matlock p(0.03) is 32.8.
    const double e = 0.64 * std::pow(2.0, 0.34);
    EXPECT_NEAR(set.spacingFactor, e, 1e-15);
    EXPECT_NEAR(set.curves[8]->Resistance(0.042), -e * 0.8 * 32.8, 1e-9);
    EXPECT_NEAR(set.curves[8]->Ultimate(), e * 0.8 * 65.6, 1e-9);
    EXPECT_NEAR(set.curves[8]->UltimateDeflection(), 1.4 * 0.24, 1e-12);
}

TEST(BuildPyCurves, NodeOnALayerBoundaryTakesTheMeanOfBothCurves)
{
    PyCurveInput in = ClayWall();
    in.layers = {{SoilType::SoftClay, 4, SoftClayRow(17.81, 20, 0.02), SoftClayRow(17.81, 20, 0.02)},
                 {SoilType::Sand, 10, SandRow(17.81, 35, 16300), SandRow(17.81, 35, 16300)}};
    const PyCurveSet set = BuildPyCurves(in, Depths(16, 0.5));
    // Sand at x = 2 (s = 16, x/b = 10/3): A and B from the tables.
    const SandCurve sand(35, 16, 0.6, 2, 16300);
    for (double y : {0.001, 0.01, 0.05})
        EXPECT_NEAR(set.curves[8]->Resistance(y), 0.5 * (-std::cbrt(y / 0.03) * 32.8 + sand.Resistance(y)), 1e-9) << y;
}

TEST(BuildPyCurves, TipOnALayerBoundaryTakesTheLayerAbove)
{
    PyCurveInput in = ClayWall();
    in.layers.push_back({SoilType::Sand, 20, SandRow(18, 35, 16300), SandRow(18, 35, 16300)});
    in.layers[0].bottomDepth = 8;
    const PyCurveSet set = BuildPyCurves(in, Depths(8, 1));
    EXPECT_NEAR(set.curves[8]->Ultimate(), 108, 1e-9);  // 9 c b of the clay, no sand
}

TEST(BuildPyCurves, StiffClayUsesTheMeanCohesionBelowTheExcavation)
{
    // c from 50 at the top to 150 at 10 m; H = 2; at z = 6: c = 110, ca = (70 + 110)/2 = 90, s = 4 x 8.
    PyCurveInput in = ClayWall();
    in.layers = {{SoilType::StiffClayNoFreeWater, 10, SoftClayRow(17.81, 50, 0.005), SoftClayRow(17.81, 150, 0.005)}};
    const PyCurveSet set = BuildPyCurves(in, Depths(10, 1));
    // pu = min((3 x 90 + 32 + 0.5 x 90 x 4 / 0.6) 0.6, 9 x 110 x 0.6) = 361.2
    EXPECT_NEAR(set.curves[6]->Ultimate(), 361.2, 1e-9);
    EXPECT_NEAR(-set.curves[6]->Resistance(2.5 * 0.005 * 0.6), 180.6, 1e-9);
}

TEST(BuildPyCurves, WeakRockDepthFromTheTopOfTheRock)
{
    SoilParameters rock;
    rock.unitWeight = 22;
    rock.compressiveStrength = 5000;
    rock.krm = 0.0005;
    rock.rockModulus = 500000;
    rock.rqd = 50;
    PyCurveInput in = ClayWall();
    in.layers = {{SoilType::SoftClay, 4, SoftClayRow(17.81, 20, 0.02), SoftClayRow(17.81, 20, 0.02)},
                 {SoilType::WeakRock, 12, rock, rock}};
    const PyCurveSet set = BuildPyCurves(in, Depths(10, 1));
    // z = 5: xr = 1 below the rock's top at 4 m: pur = (2/3) 5000 0.6 (1 + 1.4/0.6).
    EXPECT_NEAR(set.curves[5]->Ultimate(), 2000 * (1 + 1.4 / 0.6), 1e-9);
    in.excavationDepth = 5;  // the excavation level lies in the rock: xr from there
    const PyCurveSet inRock = BuildPyCurves(in, Depths(10, 1));
    EXPECT_NEAR(inRock.curves[5]->Ultimate(), 2000, 1e-9);
}

TEST(BuildPyCurves, ExternalCurvesOnlyInterpolateBetweenTheirNodes)
{
    PyCurveInput in;
    in.pyCurveOption = 1;
    in.unitSystem = UnitSystem::SI;
    in.externalCurves = {{6, {{-0.02, 40}, {0, 0}, {0.02, -40}}, 1, 1}, {2, {{0, 0}, {0.01, -10}}, 2, 1}};
    const PyCurveSet set = BuildPyCurves(in, Depths(8, 1));
    EXPECT_EQ(set.curves[1], nullptr);
    EXPECT_EQ(set.curves[7], nullptr);
    // Node 2: one-sided curve, mirrored, p doubled.
    EXPECT_NEAR(set.curves[2]->Resistance(-0.005), 10, 1e-12);
    EXPECT_NEAR(set.curves[2]->Resistance(0.05), -20, 1e-12);
    // Node 4: half-way between node 2 and node 6 at the same y.
    EXPECT_NEAR(set.curves[4]->Resistance(0.01), 0.5 * (-20 - 20), 1e-12);
    EXPECT_NEAR(set.curves[3]->Resistance(0.01), 0.75 * -20 + 0.25 * -20, 1e-12);
    EXPECT_NEAR(set.curves[5]->Resistance(0.02), 0.25 * -20 + 0.75 * -40, 1e-12);
    EXPECT_THAT(set.notes, ::testing::Contains("The external p-y curve at node 2 is given for one direction only: it is "
                                               "mirrored, p(-y) = -p(y)."));
}

TEST(BuildPyCurves, ExternalCurveReplacesTheGeneratedOneAtItsNode)
{
    PyCurveInput in = ClayWall();
    in.activeWidth = 0.6;  // e = 0.64 on generated curves only
    in.externalCurves = {{8, {{-0.1, 5}, {0.1, -5}}, 1, 2}};
    const PyCurveSet set = BuildPyCurves(in, Depths(16, 0.5));
    EXPECT_NEAR(set.curves[8]->Resistance(0.1), -2.5, 1e-12);  // y-multiplier 2 stretches the curve
    EXPECT_NEAR(set.curves[9]->Ultimate(), 0.64 * std::min((3 * 20 + 8 * 2.5 + 0.5 * 20 * 2.5 / 0.6) * 0.6, 108.0), 1e-9);
}

TEST(BuildPyCurves, NotesNameTheLayersWhereAFallbackRan)
{
    PyCurveInput in = ClayWall();
    SoilParameters silt;
    silt.unitWeight = 17.81;
    silt.cohesion = 10;  // phi = 0: ps = 0, the key points coincide and n is undefined
    in.layers = {{SoilType::StiffClayFreeWater, 3, SoftClayRow(17.81, 50, 0.005), SoftClayRow(17.81, 50, 0.005)},
                 {SoilType::Silt, 10, silt, silt}};
    const PyCurveSet set = BuildPyCurves(in, Depths(16, 0.5));
    EXPECT_THAT(set.notes, ::testing::Contains("Soil layer 1 (Stiff Clay with Free Water): just below the excavation level "
                                               "(As below about 0.22) the published residual resistance is negative; it is "
                                               "taken as 0."));
    EXPECT_THAT(set.notes, ::testing::Contains("Soil layer 2 (Silt (c-phi soil)): where the parabola's exponent n = pm / "
                                               "(m ym) is not above 1 the curve is made of the straight lines 0-m-u."));
}

TEST(BuildPyCurves, LayerSummaryGivesTopAndBottomValues)
{
    const PyCurveSet set = BuildPyCurves(ClayWall(), Depths(8, 1));
    ASSERT_EQ(set.layerSummary.size(), 1u);
    // Top at x = 0: pu = 3 c b = 36; bottom at the tip (z = 8, x = 6, s = 48): pu = 9 c b = 108.
    EXPECT_EQ(set.layerSummary[0],
              "Soil layer 1 (Soft Clay), from 2 m to 8 m: at the top soft clay (Matlock 1970, static, J = 0.5): pu = 36 kN/m, "
              "y50 = 0.03 m; at the bottom soft clay (Matlock 1970, static, J = 0.5): pu = 108 kN/m, y50 = 0.03 m.");
}

TEST(BuildPyCurves, LayersAboveTheExcavationAreNotChecked)
{
    PyCurveInput in = ClayWall();
    in.layers = {{SoilType::SoftClay, 1, SoftClayRow(18, 20, 0), SoftClayRow(18, 20, 0)},
                 {SoilType::SoftClay, 10, SoftClayRow(17.81, 20, 0.02), SoftClayRow(17.81, 20, 0.02)}};
    EXPECT_EQ(ErrorOf(in, Depths(8, 1)), "");
}

struct ErrorCase {
    const char* name;
    std::function<void(PyCurveInput&)> change;
    const char* message;
};

class PyCurveErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(PyCurveErrors, NameTheItem)
{
    PyCurveInput in = ClayWall();
    GetParam().change(in);
    EXPECT_EQ(ErrorOf(in, Depths(8, 1)), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Input, PyCurveErrors,
    ::testing::Values(
        ErrorCase{"NoWidth", [](PyCurveInput& in) { in.pyWidth = 0; },
                  "The width for generating p-y soil resistance, Wp, must be greater than 0."},
        ErrorCase{"NoE50", [](PyCurveInput& in) { in.layers[0].bottom.e50 = 0; }, "Soil layer 1 (Soft Clay): E50 must be greater than 0."},
        ErrorCase{"SandWithoutFriction",
                  [](PyCurveInput& in) { in.layers[0] = {SoilType::Sand, 10, SandRow(18, 0, 0), SandRow(18, 30, 0)}; },
                  "Soil layer 1 (Sand): the friction angle must be greater than 0 and less than 90 degrees."},
        ErrorCase{"RockQuality",
                  [](PyCurveInput& in) {
                      SoilParameters r;
                      r.compressiveStrength = 1;
                      r.krm = 0.001;
                      r.rockModulus = 1;
                      r.rqd = 120;
                      in.layers[0] = {SoilType::WeakRock, 10, r, r};
                  },
                  "Soil layer 1 (Weak Rock): RQD must lie between 0 and 100 %."},
        ErrorCase{"GenericUnitsWithWater", [](PyCurveInput& in) { in.unitSystem = UnitSystem::Generic; },
                  "A water table lies within the wall, but the effective stress cannot be computed in the generic unit "
                  "system (it has no unit weight of water): set the water depths below the wall's tip."},
        ErrorCase{"ModifierY", [](PyCurveInput& in) { in.modifiers = {{0, 1, 1}, {5, 1, 0}}; },
                  "p-y modification factors, row 2: the y-multiplier must be greater than 0."},
        ErrorCase{"ExternalNodeOutside", [](PyCurveInput& in) { in.externalCurves = {{9, {{0, 0}, {1, -1}}, 1, 1}}; },
                  "External p-y curves, row 1: node 9 lies outside the wall (nodes 0 to 8)."},
        ErrorCase{"ExternalTwice",
                  [](PyCurveInput& in) { in.externalCurves = {{3, {{0, 0}, {1, -1}}, 1, 1}, {3, {{0, 0}, {1, -1}}, 1, 1}}; },
                  "External p-y curves, row 2: node 3 already has an external p-y curve."},
        ErrorCase{"ExternalSign", [](PyCurveInput& in) { in.externalCurves = {{3, {{0, 0}, {1, 1}}, 1, 1}}; },
                  "External p-y curve at node 3, point 2: the soil resistance must oppose the deflection (positive p for "
                  "negative y, negative p for positive y)."},
        ErrorCase{"ExternalOnePoint", [](PyCurveInput& in) { in.externalCurves = {{3, {{1, -1}}, 1, 1}}; },
                  "External p-y curve at node 3: the curve needs at least two points."},
        ErrorCase{"Option", [](PyCurveInput& in) { in.pyCurveOption = 3; }, "The p-y curve option 3 is not one of 0 to 2."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
