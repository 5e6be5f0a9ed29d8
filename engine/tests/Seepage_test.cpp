// Pore pressures of water that flows under the toe, against a hand calculation
// of the simplified method.
#include "engine/EarthPressure.h"
#include "engine/PoreWater.h"
#include "engine/SoilBehind.h"
#include "engine/SoilProfile.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

// A cofferdam in SI units: wall 12 m long, excavated to 5 m, the river 1 m below
// the top of the wall behind it and the water pumped down to the excavation
// level in front: 4 m of head difference.
constexpr double kToe = 12, kH = 5, kDWb = 1, kDWe = 5, kGammaW = 9.81;

RetainedSideInput Cofferdam()
{
    RetainedSideInput in;
    in.earthPressureOption = 2;
    in.unitSystem = UnitSystem::SI;
    in.excavationDepth = kH;
    in.wallLength = kToe;
    in.activeWidth = 1;
    in.waterDepthBackfill = kDWb;
    in.waterDepthExcavation = kDWe;
    in.water.regime = WaterRegime::Seepage;
    return in;
}

std::vector<double> Metres(int n)
{
    std::vector<double> z;
    for (int k = 0; k <= n; ++k)
        z.push_back(k);
    return z;
}

}  // namespace

// Hand calculation: the flow enters at 1 m, runs 11 m down to the toe and 7 m
// up to the excavation level: 18 m, so the piezometric level sinks by 4/18 m
// per metre travelled. Behind the wall at the excavation level the pore
// pressure is 9.81 x (4 - 4 x 4/18) = 9.81 x 3.1111 = 30.520 kPa against 0 in
// front; at the toe both sides have 9.81 x (11 - 4 x 11/18) = 9.81 x 8.5556 =
// 83.930 kPa, so the net water pressure there is 0 (39.24 kPa in still water).
TEST(Seepage, CofferdamNetWaterPressureMatchesTheSimplifiedMethod)
{
    const NodeLoads loads = ComputeRetainedSideLoads(Cofferdam(), Metres(12));
    EXPECT_NEAR(loads.soil[5], 30.520, 0.001 * 30.520);
    EXPECT_NEAR(loads.soil[12], 0.0, 0.001 * 39.24);

    const RetainedSideInput in = Cofferdam();
    const PoreWater water(in.water, kGammaW, kDWb, kDWe, kH, kToe);
    EXPECT_NEAR(water.Retained(kToe), 83.930, 0.001 * 83.930);
    EXPECT_NEAR(water.Excavation(kToe), 83.930, 0.001 * 83.930);
    EXPECT_DOUBLE_EQ(water.HeadDifference() / water.PathLength(), 4.0 / 18.0);
}

// In sand of 20 kN/m3 the downward flow behind raises sigma'v at the toe from
// 240 - 9.81 x 11 = 132.09 to 240 - 83.93 = 156.07 kPa, and the upward flow in
// front lowers it from (20 - 9.81) x 7 = 71.33 to 140 - 83.93 = 56.07 kPa.
TEST(Seepage, FlowChangesTheEffectiveStressOnBothSides)
{
    SoilParameters sand;
    sand.unitWeight = 20;
    sand.frictionAngle = 30;
    const std::vector<SoilLayer> layers{{SoilType::Sand, 20, sand, sand, {}}};
    const SoilProfile still(layers, kGammaW, kDWb, kDWe, kH);
    EXPECT_NEAR(still.EffectiveBackfill(kToe), 132.09, 0.01);
    EXPECT_NEAR(still.EffectiveExcavation(kToe), 71.33, 0.01);

    const PoreWater water(Cofferdam().water, kGammaW, kDWb, kDWe, kH, kToe);
    const SoilProfile flowing(layers, kGammaW, kDWb, kDWe, kH, water);
    EXPECT_NEAR(flowing.EffectiveBackfill(kToe), 156.07, 0.01);
    EXPECT_NEAR(flowing.EffectiveExcavation(kToe), 56.07, 0.01);
}

// A user's table: linear between its rows, as still water beyond them; a side
// without rows keeps its still water.
TEST(Seepage, TableOfPorePressuresIsInterpolated)
{
    PoreWaterInput in;
    in.regime = WaterRegime::Table;
    in.retained = {{2, 10}, {12, 90}};
    const PoreWater water(in, kGammaW, kDWb, kDWe, kH, kToe);
    EXPECT_DOUBLE_EQ(water.Retained(7), 50);
    EXPECT_DOUBLE_EQ(water.Retained(1.5), 10 - 0.5 * kGammaW);
    EXPECT_DOUBLE_EQ(water.Retained(0), 0);
    EXPECT_DOUBLE_EQ(water.Excavation(12), 7 * kGammaW);
}

// The soil behind the wall resists up to (Kp - Ka) sigma'v, with the sigma'v of
// the flowing water: at 4 m behind the wall u = 9.81 x (3 - 4 x 3/18) = 22.89
// kPa against 29.43 in still water, so sigma'v = 80 - 22.89 = 57.11 kPa and the
// limit (3 - 1/3) x 57.11 = 152.29 kN/m on a 1 m strip (134.85 in still water).
TEST(Seepage, FlowRaisesTheResistanceOfTheSoilBehind)
{
    SoilParameters sand;
    sand.unitWeight = 20;
    sand.frictionAngle = 30;
    sand.kpy = 20000;
    SoilBehindInput in;
    in.unitSystem = UnitSystem::SI;
    in.excavationDepth = kH;
    in.activeWidth = 1;
    in.waterDepthBackfill = kDWb;
    in.waterDepthExcavation = kDWe;
    in.wallLength = kToe;
    in.layers = {{SoilType::Sand, 20, sand, sand, {}}};
    std::vector<std::string> notes;
    EXPECT_NEAR(SoilBehindCurves(in, Metres(12), notes)[4]->Ultimate(), 134.85, 0.01);
    in.water.regime = WaterRegime::Seepage;
    EXPECT_NEAR(SoilBehindCurves(in, Metres(12), notes)[4]->Ultimate(), 152.29, 0.01);
}
