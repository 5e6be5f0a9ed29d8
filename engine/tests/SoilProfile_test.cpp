// The soil column: layer lookup, linear parameters and vertical stresses.
#include "engine/SoilProfile.h"
#include "units/TorvikError.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

SoilParameters Row(double gamma, double c = 0, double qu = 0)
{
    SoilParameters p;
    p.unitWeight = gamma;
    p.cohesion = c;
    p.compressiveStrength = qu;
    return p;
}

// Clay 0..4 m (gamma 16 -> 20, c 40 -> 60), sand 4..6 m (gamma 18), weak rock 6..9 m (gamma 22).
SoilProfile ThreeLayers(double dwb, double dwe, double h)
{
    return SoilProfile({{SoilType::SoftClay, 4, Row(16, 40), Row(20, 60)},
                        {SoilType::Sand, 6, Row(18, 5), Row(18, 5)},
                        {SoilType::WeakRock, 9, Row(22, 0, 3000), Row(22, 0, 3000)}},
                       9.81, dwb, dwe, h);
}

TEST(SoilProfile, LayerAtABoundaryDependsOnTheSide)
{
    const SoilProfile p = ThreeLayers(100, 100, 2);
    EXPECT_EQ(p.LayerAt(4, Side::Above), 0);
    EXPECT_EQ(p.LayerAt(4, Side::Below), 1);
    EXPECT_EQ(p.LayerAt(0, Side::Below), 0);
    EXPECT_EQ(p.LayerAt(12, Side::Below), 2);
    EXPECT_TRUE(p.BelowLastLayer(9.5));
    EXPECT_FALSE(p.BelowLastLayer(9));
    EXPECT_DOUBLE_EQ(p.ParametersAt(2, Side::Below).cohesion, 50);
    EXPECT_DOUBLE_EQ(p.ParametersAt(4, Side::Above).unitWeight, 20);
    EXPECT_DOUBLE_EQ(p.ParametersAt(4, Side::Below).unitWeight, 18);
}

TEST(SoilProfile, TotalStressIntegratesLinearUnitWeights)
{
    const SoilProfile p = ThreeLayers(100, 100, 2);
    EXPECT_DOUBLE_EQ(p.TotalVerticalStress(2), 16 * 2 + 0.5 * 2 * 2);   // gamma = 16 + z
    EXPECT_DOUBLE_EQ(p.TotalVerticalStress(4), 72);
    EXPECT_DOUBLE_EQ(p.TotalVerticalStress(5), 90);
    EXPECT_DOUBLE_EQ(p.TotalVerticalStress(11), 72 + 36 + 22 * 5);  // below the last layer: its bottom value
}

TEST(SoilProfile, EffectiveStressesOnBothSides)
{
    // Water at 1 m behind the wall and 3 m in front; excavation at 2 m.
    const SoilProfile p = ThreeLayers(1, 3, 2);
    EXPECT_NEAR(p.EffectiveBackfill(5), 90 - 9.81 * 4, 1e-12);
    EXPECT_EQ(p.EffectiveExcavation(1), 0);
    // From 2 to 5 m: total 90 - 34, less water below 3 m.
    EXPECT_NEAR(p.EffectiveExcavation(5), 56 - 9.81 * 2, 1e-12);
    // Water above the excavation level: buoyant from the excavation level down.
    const SoilProfile high = ThreeLayers(0, 0, 2);
    EXPECT_NEAR(high.EffectiveExcavation(5), 56 - 9.81 * 3, 1e-12);
    EXPECT_NEAR(high.PoreExcavation(5), 9.81 * 5, 1e-12);
}

TEST(SoilProfile, AverageCohesionCountsNeitherSandNorRock)
{
    const SoilProfile p = ThreeLayers(100, 100, 2);
    EXPECT_DOUBLE_EQ(p.AverageCohesion(2, 4), 55);
    EXPECT_DOUBLE_EQ(p.AverageCohesion(2, 6), 110.0 / 4);
    EXPECT_DOUBLE_EQ(p.AverageCohesion(2, 8), 110.0 / 6);
    EXPECT_DOUBLE_EQ(p.AverageCohesion(3, 3), 55);
}

TEST(SoilProfile, TopOfTheRockBelowTheExcavation)
{
    EXPECT_DOUBLE_EQ(ThreeLayers(100, 100, 2).RockTopBelowExcavation(), 6);
    EXPECT_DOUBLE_EQ(ThreeLayers(100, 100, 7).RockTopBelowExcavation(), 7);
    const SoilProfile noRock({{SoilType::Sand, 5, Row(18), Row(18)}}, 9.81, 0, 0, 2);
    EXPECT_LT(noRock.RockTopBelowExcavation(), 0);
}

TEST(SoilProfile, RejectsBottomsThatDoNotIncrease)
{
    try {
        SoilProfile({{SoilType::Sand, 0, Row(18), Row(18)}}, 9.81, 0, 0, 0);
        FAIL();
    } catch (const TorvikError& e) {
        EXPECT_STREQ(e.what(), "Soil layer 1 (Sand): the depth at the bottom of the layer (0) must be greater than 0.");
    }
}

struct LineCase {
    SoilType type;
    SoilParameters expected;
};

class ParameterLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ParameterLine, PositionsMapToTheTypesParameters)
{
    const SoilParameters p = SoilParametersFromLine(GetParam().type, {1, 2, 3, 4, 5, 6});
    const SoilParameters& e = GetParam().expected;
    EXPECT_EQ(p.unitWeight, e.unitWeight);
    EXPECT_EQ(p.cohesion, e.cohesion);
    EXPECT_EQ(p.frictionAngle, e.frictionAngle);
    EXPECT_EQ(p.e50, e.e50);
    EXPECT_EQ(p.kpy, e.kpy);
    EXPECT_EQ(p.compressiveStrength, e.compressiveStrength);
    EXPECT_EQ(p.krm, e.krm);
    EXPECT_EQ(p.rockModulus, e.rockModulus);
    EXPECT_EQ(p.rqd, e.rqd);
}

// Fields: unitWeight, cohesion, frictionAngle, e50, kpy, compressiveStrength, krm, rockModulus, rqd.
INSTANTIATE_TEST_SUITE_P(
    Types, ParameterLine,
    ::testing::Values(LineCase{SoilType::SoftClay, {1, 2, 0, 4, 5, 0, 0, 0, 0}},
                      LineCase{SoilType::StiffClayFreeWater, {1, 2, 0, 4, 5, 0, 0, 0, 0}},
                      LineCase{SoilType::Sand, {1, 0, 3, 0, 5, 0, 0, 0, 0}},
                      LineCase{SoilType::Silt, {1, 2, 3, 4, 5, 0, 0, 0, 0}},
                      LineCase{SoilType::StrongRock, {1, 0, 0, 0, 0, 2, 0, 0, 0}},
                      LineCase{SoilType::WeakRock, {1, 0, 0, 0, 0, 2, 4, 5, 6}}));

TEST(SoilLayer, TypesNamesAndWater)
{
    EXPECT_EQ(SoilTypeName(SoilTypeFromChoice(2, 1)), "Stiff Clay with Free Water");
    EXPECT_EQ(SoilTypeName(SoilType::Silt), "Silt (c-phi soil)");
    try {
        SoilTypeFromChoice(8, 3);
        FAIL();
    } catch (const TorvikError& e) {
        EXPECT_STREQ(e.what(), "Soil layer 3: the soil type 8 is not one of 1 to 7.");
    }
    EXPECT_DOUBLE_EQ(UnitWeightOfWater(UnitSystem::English), 62.4 / 1728);
    EXPECT_DOUBLE_EQ(UnitWeightOfWater(UnitSystem::SI), 9.81);
    EXPECT_DOUBLE_EQ(UnitWeightOfWater(UnitSystem::Generic), 0);
}

}  // namespace
