// Hydraulic heave in front of a wall with water flowing under its toe.
#include "checks/HydraulicHeave.h"

#include <gtest/gtest.h>

namespace {

// An SI wall 12 m long in sand of `gamma`, excavated to h, with the water
// depths dwb behind and dwe in front.
WallBlock Wall(double gamma, double h, double dwb, double dwe)
{
    WallBlock b;
    b.unitSystem = UnitSystem::SI;
    b.nodeCount = 12;
    b.increment = 1;
    b.wallHeight = h;
    b.waterDepthBackfill = dwb;
    b.waterDepthExcavation = dwe;
    engine::SoilParameters sand;
    sand.unitWeight = gamma;
    sand.frictionAngle = 30;
    b.layers = {{engine::SoilType::Sand, 20, sand, sand, {}}};
    return b;
}

engine::PoreWaterInput Seepage()
{
    return {WaterRegime::Seepage, {}, {}};
}

}  // namespace

// The cofferdam of 4 m head difference (wall 12 m, excavation and water in
// front at 5 m, river behind at 1 m, sand of 20 kN/m3), by hand: the path is
// 11 + 7 = 18 m, so i = 4/18 = 0.22222 and i_c = (20 - 9.81)/9.81 = 1.03874;
// 1.35 x 0.22222 / (0.9 x 1.03874) = 0.32090. The prism 7 m deep: excess pore
// pressure at the toe 9.81 x 7 x 4/18 = 15.260 kPa against G' = 10.19 x 7 =
// 71.33 kPa, the same utilisation.
TEST(HydraulicHeave, CofferdamMatchesTheHandCalculation)
{
    const checks::HydraulicHeave c = checks::CheckHydraulicHeave(Wall(20, 5, 1, 5), Seepage(), THydraulicFactors{});
    ASSERT_TRUE(c.applies);
    EXPECT_NEAR(c.exitGradient, 0.22222, 0.001 * 0.22222);
    EXPECT_NEAR(c.criticalGradient, 1.03874, 0.001 * 1.03874);
    EXPECT_NEAR(c.gradientUtilisation, 0.32090, 0.001 * 0.32090);
    EXPECT_NEAR(c.excessPorePressure, 15.260, 0.001 * 15.260);
    EXPECT_NEAR(c.prismWeight, 71.33, 0.001 * 71.33);
    EXPECT_NEAR(c.prismUtilisation, 0.32090, 0.001 * 0.32090);
    EXPECT_TRUE(c.passed);
}

// 10 m of head over a path of 12 + 2 m in sand of 18 kN/m3: i = 0.7143 against
// i_c = 0.8349, 1.35 x 0.7143 / (0.9 x 0.8349) = 1.283 > 1, it heaves; with
// gamma_G;dst = 1 and gamma_G;stb = 1 it holds (0.856).
TEST(HydraulicHeave, DeepCutWithLittleEmbedmentFailsWithTheFactorsOnly)
{
    const WallBlock deep = Wall(18, 10, 0, 10);
    const checks::HydraulicHeave factored = checks::CheckHydraulicHeave(deep, Seepage(), THydraulicFactors{});
    EXPECT_NEAR(factored.gradientUtilisation, 1.283, 0.001);
    EXPECT_FALSE(factored.passed);
    EXPECT_TRUE(checks::CheckHydraulicHeave(deep, Seepage(), THydraulicFactors{1.0, 1.0}).passed);
}

// Without a head difference, or in still water, there is nothing to check; only
// a stage whose water is set to flow shows why.
TEST(HydraulicHeave, DoesNotApplyWithoutUpwardFlow)
{
    const checks::HydraulicHeave level = checks::CheckHydraulicHeave(Wall(20, 5, 5, 5), Seepage(), THydraulicFactors{});
    EXPECT_TRUE(level.shown);
    EXPECT_FALSE(level.applies);
    EXPECT_TRUE(level.passed);
    EXPECT_NE(level.note.find("the two water levels are the same"), std::string::npos);
    EXPECT_FALSE(checks::CheckHydraulicHeave(Wall(20, 5, 1, 5), {}, THydraulicFactors{}).shown);
}
