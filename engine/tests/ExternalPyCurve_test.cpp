// External p-y curves and the multipliers on curves.
#include "engine/ExternalPyCurve.h"
#include "engine/PyModifiers.h"
#include "engine/StrongRockCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace engine;

namespace {

TEST(ExternalPyCurve, LinearBetweenPointsConstantBeyondAndScaled)
{
    // An asymmetric curve: stiffer toward the excavation; p x 2, y x 0.5.
    const ExternalPyCurve curve({4, {{0.02, -30}, {-0.04, 20}, {0, 0}, {-0.01, 10}}, 2, 0.5});
    EXPECT_FALSE(curve.Mirrored());
    EXPECT_NEAR(curve.Resistance(0.005), -30, 1e-12);    // y/fy = 0.01: p = -15, times 2
    EXPECT_NEAR(curve.Resistance(0.05), -60, 1e-12);     // beyond the last point
    EXPECT_NEAR(curve.Resistance(-0.0025), 10, 1e-12);   // y/fy = -0.005: p = 5
    EXPECT_NEAR(curve.Resistance(-0.0125), 30, 1e-12);   // y/fy = -0.025: p = 15
    EXPECT_NEAR(curve.Resistance(-1), 40, 1e-12);
    EXPECT_DOUBLE_EQ(curve.Ultimate(), 60);
    EXPECT_DOUBLE_EQ(curve.UltimateDeflection(), 0.02);
    // Without a direction yet the secant modulus is the mean of both sides.
    EXPECT_NEAR(curve.SecantModulus(0, 0.001), 0.5 * (4000 + 6000), 1e-9);
    EXPECT_NEAR(curve.SecantModulus(-0.001, 1e-6), 4000, 1e-9);
}

TEST(ExternalPyCurve, DescriptionGivesItsSize)
{
    const ExternalPyCurve curve({4, {{0, 0}, {0.01, -10}}, 1, 1});
    EXPECT_TRUE(curve.Mirrored());
    EXPECT_EQ(
        curve.Describe(UnitLabelsFor(UnitSystem::SI)),
        "external p-y curve of 3 points (mirrored to both directions), p x 1, y x 1: largest p = 10 kN/m, last point "
        "at y = 0.01 m");
}

TEST(PyModifierTable, LinearInDepthConstantBeyondTheEnds)
{
    const PyModifierTable table({{8, 0.5, 3}, {2, 1, 1}, {4, 0.9, 2}});
    EXPECT_DOUBLE_EQ(table.PMultiplierAt(0), 1);
    EXPECT_DOUBLE_EQ(table.PMultiplierAt(3), 0.95);
    EXPECT_DOUBLE_EQ(table.YMultiplierAt(6), 2.5);
    EXPECT_DOUBLE_EQ(table.PMultiplierAt(20), 0.5);
    EXPECT_DOUBLE_EQ(PyModifierTable({}).PMultiplierAt(3), 1);
}

TEST(ScaledPyCurve, StretchesAndScalesItsBase)
{
    auto rock = std::make_shared<StrongRockCurve>(10000, 0.6);
    const ScaledPyCurve scaled(rock, 0.5, 2);
    EXPECT_NEAR(scaled.Resistance(2e-4), -0.5 * 1000, 1e-9);
    EXPECT_DOUBLE_EQ(scaled.Ultimate(), 1500);
    EXPECT_DOUBLE_EQ(scaled.UltimateDeflection(), 2 * 0.00144);
    EXPECT_EQ(scaled.DeflectionWarning(0.002), "");  // 0.001 on the base curve
    EXPECT_NE(scaled.DeflectionWarning(0.003), "");
    EXPECT_EQ(scaled.Describe(UnitLabelsFor(UnitSystem::SI)),
              rock->Describe(UnitLabelsFor(UnitSystem::SI)) + "; p x 0.5, y x 2");
}

TEST(BlendedPyCurve, MixesAtTheSameDeflection)
{
    auto a = std::make_shared<ExternalPyCurve>(ExternalCurveInput{1, {{-1, 10}, {1, -10}}, 1, 1});
    auto b = std::make_shared<ExternalPyCurve>(ExternalCurveInput{2, {{-2, 40}, {2, -40}}, 1, 1});
    const BlendedPyCurve mix(a, b, 0.25);
    EXPECT_NEAR(mix.Resistance(0.5), 0.75 * -5 + 0.25 * -10, 1e-12);
    EXPECT_DOUBLE_EQ(mix.Ultimate(), 0.75 * 10 + 0.25 * 40);
    EXPECT_DOUBLE_EQ(mix.UltimateDeflection(), 2);
}

}  // namespace

namespace {

TEST(ExternalPyCurve, InitialSlopeOfTheSegmentsAtTheOrigin)
{
    // (y, p) in the program's convention; the multipliers scale the slope by fp / fy.
    engine::ExternalCurveInput in;
    in.points = {{-0.02, 40}, {-0.01, 30}, {0, 0}, {0.01, -10}, {0.02, -15}};
    in.pMultiplier = 2;
    in.yMultiplier = 4;
    EXPECT_DOUBLE_EQ(engine::ExternalPyCurve(in).InitialSlope(), 0.5 * (3000 + 1000) * 2 / 4);
    in.points = {{-0.01, 5}, {0.01, -15}};  // p(0) = -5: no finite secant at the origin
    in.pMultiplier = in.yMultiplier = 1;
    EXPECT_TRUE(std::isinf(engine::ExternalPyCurve(in).InitialSlope()));
}

}  // namespace
