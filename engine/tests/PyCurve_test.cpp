// The p-y criteria against values computed by hand from their published formulas.
#include "engine/SandCurve.h"
#include "engine/SiltCurve.h"
#include "engine/ClayPowerCurve.h"
#include "engine/StiffClayFreeWaterCurve.h"
#include "engine/StrongRockCurve.h"
#include "engine/WeakRockCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

using namespace engine;

namespace {

using Factory = std::function<std::shared_ptr<PyCurve>()>;

// Matlock, c = 20 kPa, gamma' = 8 kN/m^3, eps50 = 0.02, b = 0.6 m, x = 2 m (no initial line).
std::shared_ptr<PyCurve> Matlock() { return std::make_shared<ClayPowerCurve>(ClayPowerCurve::SoftClay, 20, 20, 16, 0.02, 0.6, 2, 0); }
// Welch and Reese, c = 100 kPa, gamma = 19 kN/m^3, eps50 = 0.005, b = 0.6 m, x = 2 m.
std::shared_ptr<PyCurve> WelchReese() { return std::make_shared<ClayPowerCurve>(ClayPowerCurve::StiffClayNoFreeWater, 100, 100, 38, 0.005, 0.6, 2, 0); }
// Reese, Cox and Koop sand, phi = 35, gamma' = 10 kN/m^3, b = 0.6 m, x = 3 m, k = 16300 kN/m^3.
std::shared_ptr<PyCurve> Sand35() { return std::make_shared<SandCurve>(35, 30, 0.6, 3, 16300); }
// Sand phi = 30, s = 12 kPa, x/b = 2 (A = 1.442, B = 1.0), no initial line.
std::shared_ptr<PyCurve> Sand30() { return std::make_shared<SandCurve>(30, 12, 0.6, 1.2, 0); }
// Stiff clay with free water: c = 100, ca = 90, s = 13.5, eps50 = 0.005, b = 0.6, x = 1.5, no
// initial line: pc = 498.15, As = 0.571825, y50 = 0.003.
std::shared_ptr<PyCurve> StiffWet() { return std::make_shared<StiffClayFreeWaterCurve>(100, 90, 13.5, 0.005, 0.6, 1.5, 0); }
// Silt phi = 30, c = 10, s = 18, b = 0.6, x = 2, k = 20000: ps = 97.6214, pc = 38.8.
std::shared_ptr<PyCurve> Silt30() { return std::make_shared<SiltCurve>(30, 10, 18, 0.6, 2, 20000); }
// Strong rock qu = 10000 kPa, b = 0.6 m.
std::shared_ptr<PyCurve> Strong() { return std::make_shared<StrongRockCurve>(10000, 0.6); }
// Weak rock qu = 5000, Eir = 500000, krm = 0.0005, RQD = 50, b = 0.6, xr = 0.9:
// pur = 6200, Kir = 1.5e8, yrm = 0.0003, yA = 8.472e-6.
std::shared_ptr<PyCurve> Weak() { return std::make_shared<WeakRockCurve>(5000, 500000, 0.0005, 50, 0.6, 0.9); }

struct PointCase {
    const char* name;
    Factory curve;
    double y;
    double p;  // magnitude expected
};

class CurvePoints : public ::testing::TestWithParam<PointCase> {};

TEST_P(CurvePoints, MagnitudeMatchesHandValueAndOpposesDeflection)
{
    const PointCase& c = GetParam();
    const auto curve = c.curve();
    EXPECT_NEAR(-curve->Resistance(c.y), c.p, 1e-6 * std::max(1.0, c.p)) << c.name;
    EXPECT_NEAR(curve->Resistance(-c.y), c.p, 1e-6 * std::max(1.0, c.p)) << c.name << " (symmetric)";
}

INSTANTIATE_TEST_SUITE_P(
    Criteria, CurvePoints,
    ::testing::Values(
        PointCase{"MatlockCubeRoot", Matlock, 0.001, 10.556017271688},
        PointCase{"MatlockAtY50", Matlock, 0.03, 32.80},
        PointCase{"MatlockBeforePlateau", Matlock, 0.1, 48.996691895692},
        PointCase{"MatlockPlateau", Matlock, 0.5, 65.60},
        PointCase{"WelchReeseAtY50", WelchReese, 0.0075, 151.40},
        PointCase{"WelchReeseQuarterPower", WelchReese, 0.03, 214.111933343287},
        PointCase{"WelchReesePlateau", WelchReese, 0.2, 302.8},
        PointCase{"SandParabola", Sand35, 0.002, 61.807481050594},
        PointCase{"SandInitialLine", Sand35, 0.0003, 14.67},
        PointCase{"SandStraightLineMU", Sand35, 0.015, 214.433383564676},
        PointCase{"SandAtYm", Sand35, 0.01, 164.442778807267},
        PointCase{"SandPlateau", Sand35, 0.05, 289.419290700790},
        PointCase{"SandXb2Parabola", Sand30, 0.002, 26.450048319415},
        PointCase{"SandXb2Line", Sand30, 0.015, 54.990152363516},
        PointCase{"StiffWetSquareRoot", StiffWet, 0.0005, 101.684442947287},
        PointCase{"StiffWetSquareRootEnd", StiffWet, 0.0015, 176.122621524039},
        PointCase{"StiffWetSoftening", StiffWet, 0.003, 229.990950522880},
        PointCase{"StiffWetSofteningLate", StiffWet, 0.009, 264.400014960763},
        PointCase{"StiffWetLinearDrop", StiffWet, 0.015, 207.766191678853},
        PointCase{"StiffWetLinearDropLate", StiffWet, 0.03, 52.094316678853},
        PointCase{"StiffWetResidual", StiffWet, 0.1, 43.072721040257},
        PointCase{"SiltInitialLine", Silt30, 0.001, 40.0},
        PointCase{"SiltParabola", Silt30, 0.005, 87.971499978345},
        PointCase{"SiltStraightLine", Silt30, 0.02, 128.793881233103},
        PointCase{"SiltPlateau", Silt30, 0.05, 135.022124242944},
        PointCase{"StrongRockInitial", Strong, 1e-4, 1000},
        PointCase{"StrongRockSecond", Strong, 0.001, 2780},
        PointCase{"StrongRockPlateau", Strong, 0.01, 3000},
        PointCase{"WeakRockInitialLine", Weak, 1e-6, 150},
        PointCase{"WeakRockQuarterPower", Weak, 1e-5, 1324.589719828326},
        PointCase{"WeakRockQuarterPowerLate", Weak, 0.001, 4188.720479901807},
        PointCase{"WeakRockPlateau", Weak, 0.01, 6200}),
    [](const auto& info) { return std::string(info.param.name); });

struct KeyCase {
    const char* name;
    Factory curve;
    double ultimate;
    double ultimateDeflection;
};

class CurveKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(CurveKeys, UltimateAndItsDeflection)
{
    const KeyCase& c = GetParam();
    const auto curve = c.curve();
    EXPECT_NEAR(curve->Ultimate(), c.ultimate, 1e-6 * c.ultimate) << c.name;
    EXPECT_NEAR(curve->UltimateDeflection(), c.ultimateDeflection, 1e-9 * c.ultimateDeflection) << c.name;
    // Beyond that deflection the curve no longer changes.
    const double y = c.ultimateDeflection;
    EXPECT_NEAR(curve->Resistance(1.5 * y), curve->Resistance(3 * y), 1e-9 * c.ultimate) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Criteria, CurveKeys,
    ::testing::Values(KeyCase{"Matlock", Matlock, 65.6, 8 * 0.03},
                      KeyCase{"WelchReese", WelchReese, 302.8, 16 * 0.0075},
                      KeyCase{"Sand", Sand35, 289.419290700790, 3 * 0.6 / 80},
                      KeyCase{"StrongRock", Strong, 3000, 0.0024 * 0.6},
                      KeyCase{"WeakRock", Weak, 6200, 16 * 0.0003},
                      KeyCase{"Silt", Silt30, 135.022124242944, 3 * 0.6 / 80},
                      // Peak of the softening segment, found from dp/dy = 0 by hand:
                      // 0.25/sqrt(y y50) = 0.06875 ((y - a)/a)^0.25 / a, a = As y50.
                      KeyCase{"StiffClayWithFreeWater", StiffWet, 268.737532402392, 18 * 0.571825 * 0.003}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SandCurve, KeyValuesOfTheMethodCheck)
{
    const SandCurve sand(35, 30, 0.6, 3, 16300);
    EXPECT_NEAR(sand.Ps(), 328.886, 5e-4);
    EXPECT_NEAR(SandCurve::WedgeResistance(35, 30, 0.6, 3), 328.885557614534, 1e-8);
    EXPECT_NEAR(SandCurve::FlowResistance(35, 30, 0.6), 968.282159672762, 1e-8);
    EXPECT_NEAR(sand.Pu(), 289.419, 5e-4);
    EXPECT_NEAR(sand.Pm(), 164.443, 5e-4);
    EXPECT_NEAR(sand.N(), 1.644736842105, 1e-9);
    EXPECT_FALSE(sand.StraightLines());
}

TEST(SandCurve, FactorsFollowTheTablesAndStayConstantBeyondFive)
{
    EXPECT_DOUBLE_EQ(SandCurve::FactorA(0), 2.846);
    EXPECT_DOUBLE_EQ(SandCurve::FactorA(0.25), 0.5 * (2.846 + 2.427));
    EXPECT_DOUBLE_EQ(SandCurve::FactorA(4.5), 0.881);
    EXPECT_DOUBLE_EQ(SandCurve::FactorA(9), 0.88);
    EXPECT_DOUBLE_EQ(SandCurve::FactorB(1.5), 1.25);
    EXPECT_DOUBLE_EQ(SandCurve::FactorB(3.5), 0.64);
    EXPECT_DOUBLE_EQ(SandCurve::FactorB(7), 0.5);
}

TEST(SandCurve, NoResistanceAtTheExcavationLevel)
{
    const SandCurve sand(35, 0, 0.6, 0, 16300);
    EXPECT_EQ(sand.Resistance(0.01), 0);
    EXPECT_EQ(sand.Ultimate(), 0);
    EXPECT_EQ(sand.Describe(UnitLabelsFor(UnitSystem::SI)),
              "sand (Reese, Cox and Koop 1974, static): ps = 0 kN/m, no resistance at this "
              "depth (no effective stress, no cohesion)");
}

TEST(SiltCurve, WithoutFrictionFallsBackToStraightLines)
{
    // phi = 0: ps = 0 and pu = pm = pc, so the slope m is 0 and no parabola exists.
    const SiltCurve silt(0, 10, 18, 0.6, 2, 0);
    EXPECT_TRUE(silt.StraightLines());
    EXPECT_NEAR(silt.Pc(), 38.8, 1e-9);
    EXPECT_NEAR(-silt.Resistance(0.005), 38.8 * 0.005 / 0.01, 1e-9);
    EXPECT_NEAR(-silt.Resistance(0.02), 38.8, 1e-9);
}

TEST(SoftClayCurve, InitialLineCapsTheCurve)
{
    // k x = 5000 x 2: the line 10000 y lies below 0.5 pu (y/y50)^(1/3) for small y.
    const ClayPowerCurve clay(ClayPowerCurve::SoftClay, 20, 20, 16, 0.02, 0.6, 2, 5000);
    EXPECT_NEAR(-clay.Resistance(0.0001), 1.0, 1e-12);
    EXPECT_NEAR(-clay.Resistance(0.03), 32.8, 1e-9);
    // At the excavation level the capped curve has no resistance.
    EXPECT_EQ(ClayPowerCurve(ClayPowerCurve::SoftClay, 20, 20, 0, 0.02, 0.6, 0, 5000).Resistance(0.01), 0);
    // Without the line the surface value is 3 c b on the plateau.
    EXPECT_NEAR(ClayPowerCurve(ClayPowerCurve::SoftClay, 20, 20, 0, 0.02, 0.6, 0, 0).Ultimate(), 36, 1e-12);
}

TEST(SoftClayCurve, DeepLimitIsNineCB)
{
    EXPECT_NEAR(ClayPowerCurve(ClayPowerCurve::SoftClay, 20, 20, 80, 0.02, 0.6, 10, 0).Pu(), 108, 1e-12);
}

TEST(StiffClayFreeWaterCurve, AsFactor)
{
    EXPECT_NEAR(StiffClayFreeWaterCurve::FactorAs(0), 0.2042, 1e-12);
    EXPECT_NEAR(StiffClayFreeWaterCurve::FactorAs(2.5), 0.571825, 1e-12);
    EXPECT_NEAR(StiffClayFreeWaterCurve::FactorAs(5), 0.6, 1e-12);
}

TEST(StiffClayFreeWaterCurve, InitialLineGovernsUntilItMeetsTheCurve)
{
    // k x = 50000 x 1.5 = 75000: the line 75000 y meets the square-root part beyond y = 0.002.
    const StiffClayFreeWaterCurve clay(100, 90, 13.5, 0.005, 0.6, 1.5, 50000);
    EXPECT_NEAR(-clay.Resistance(0.0005), 37.5, 1e-9);
    EXPECT_NEAR(-clay.Resistance(0.002), 150, 1e-9);
    EXPECT_NEAR(-clay.Resistance(0.009), 264.400014960763, 1e-6);
}

TEST(StiffClayFreeWaterCurve, NegativeResidualIsHeldAtZero)
{
    // x = 0: As = 0.2042 and the published residual pc (1.225 sqrt(As) - 0.75 As - 0.411) < 0.
    const StiffClayFreeWaterCurve clay(100, 100, 0, 0.005, 0.6, 0, 0);
    EXPECT_EQ(clay.Residual(), 0);
    EXPECT_EQ(clay.Resistance(1.0), 0);
    EXPECT_GT(clay.Ultimate(), 0);
}

TEST(StrongRockCurve, WarnsBeyondTheBrittleLimit)
{
    const StrongRockCurve rock(10000, 0.6);
    EXPECT_EQ(rock.DeflectionWarning(0.001), "");
    EXPECT_EQ(rock.DeflectionWarning(-0.002), "the deflection passes 0.0024 b = 0.00144: brittle failure of the rock is possible");
}

TEST(WeakRockCurve, DeepValuesAndTheEndOfTheInitialLine)
{
    const WeakRockCurve shallow(5000, 500000, 0.0005, 50, 0.6, 0.9);
    EXPECT_NEAR(shallow.YA(), 8.472017186753e-6, 1e-15);
    const WeakRockCurve deep(5000, 500000, 0.0005, 50, 0.6, 3);
    EXPECT_NEAR(deep.Pur(), 10400, 1e-9);
    EXPECT_NEAR(deep.Kir(), 2.5e8, 1e-3);
    EXPECT_NEAR(-deep.Resistance(0.001), 7026.240804996581, 1e-6);
}

// Every criterion is continuous: no jump where one segment meets the next. The
// stiff clay's published constants 0.411 (for 0.055 5^1.25) and 1.225 (for
// sqrt(6)/2) are rounded and leave steps of about 0.0002 pc.
struct JointCase {
    const char* name;
    Factory curve;
    double y;  // a segment boundary
    double jump = 0;  // the published coefficients' rounding allows this much
};

class CurveJoints : public ::testing::TestWithParam<JointCase> {};

TEST_P(CurveJoints, ContinuousAcrossTheBoundary)
{
    const JointCase& c = GetParam();
    const auto curve = c.curve();
    const double below = curve->Resistance(c.y * (1 - 1e-9)), above = curve->Resistance(c.y * (1 + 1e-9));
    EXPECT_NEAR(below, above, c.jump + 1e-6 * std::max(1.0, std::abs(below))) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Criteria, CurveJoints,
    ::testing::Values(JointCase{"MatlockPlateau", Matlock, 0.24}, JointCase{"WelchReesePlateau", WelchReese, 0.12},
                      JointCase{"SandYm", Sand35, 0.01}, JointCase{"SandYu", Sand35, 0.0225},
                      JointCase{"SandInitialLine", Sand35, 0.0006203220430368},
                      JointCase{"StiffWetAs", StiffWet, 0.001715475}, JointCase{"StiffWet6As", StiffWet, 0.01029285, 3e-4 * 498.15},
                      JointCase{"StiffWet18As", StiffWet, 0.03087855, 3e-4 * 498.15}, JointCase{"StrongRock1", Strong, 0.00024},
                      JointCase{"StrongRock2", Strong, 0.00144}, JointCase{"WeakRockYA", Weak, 8.472017186753e-6},
                      JointCase{"WeakRock16Yrm", Weak, 0.0048}, JointCase{"SiltYm", Silt30, 0.01},
                      JointCase{"SiltYu", Silt30, 0.0225}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PyCurve, SecantModulusUsesTheSmallDeflectionFloor)
{
    const auto rock = Strong();
    EXPECT_NEAR(rock->SecantModulus(0, 1e-6), 2000 * 5000, 1e-3);
    EXPECT_NEAR(rock->SecantModulus(-0.01, 1e-6), 3000 / 0.01, 1e-6);
    EXPECT_NEAR(rock->SecantModulus(0.001, 1e-6), 2780 / 0.001, 1e-6);
}

TEST(PyCurve, DescriptionsNameTheCriterionAndItsKeyValues)
{
    const UnitLabels si = UnitLabelsFor(UnitSystem::SI);
    EXPECT_EQ(Matlock()->Describe(si), "soft clay (Matlock 1970, static, J = 0.5): pu = 65.6 kN/m, y50 = 0.03 m");
    EXPECT_EQ(
        WelchReese()->Describe(UnitLabelsFor(UnitSystem::English)),
        "stiff clay without free water (Welch and Reese 1972, static, J = 0.5): pu = 302.8 lb/in, y50 = 0.0075 in");
    EXPECT_EQ(Strong()->Describe(si),
              "strong rock (Reese and Nyman 1978): su = qu/2 = 5000 kN/m^2, pu = b su = 3000 kN/m beyond y = 0.0024 b = 0.00144 m");
    EXPECT_EQ(Sand35()->Describe(si),
              "sand (Reese, Cox and Koop 1974, static): ps = 328.89 kN/m, A = 0.88, B = 0.5, pu = 289.42 kN/m at yu = 0.0225 m, "
              "pm = 164.44 kN/m at ym = 0.01 m, n = 1.6447, initial line k x = 48900 kN/m^2");
}

}  // namespace

namespace {

// The initial slope is the secant at a tiny deflection where the curve starts
// straight (Sand30 at x/b = 2 has a parabola: none), and infinite for the power curves.
TEST(InitialSlope, IsTheSecantAtATinyDeflectionOrInfinite)
{
    const std::pair<const char*, Factory> finite[] = {
        {"Sand35", Sand35}, {"Silt30", Silt30}, {"Strong", Strong}, {"Weak", Weak}};
    for (const auto& [name, make] : finite) {
        const auto c = make();
        const double y = 1e-9;
        EXPECT_NEAR(c->InitialSlope(), -c->Resistance(y) / y, 1e-9 * c->InitialSlope()) << name;
    }
    EXPECT_DOUBLE_EQ(Sand35()->InitialSlope(), 16300 * 3);
    EXPECT_DOUBLE_EQ(Weak()->InitialSlope(), 1.5e8);
    for (const Factory& make : {Factory(Matlock), Factory(WelchReese), Factory(Sand30), Factory(StiffWet)})
        EXPECT_TRUE(std::isinf(make()->InitialSlope()));
    EXPECT_DOUBLE_EQ(std::make_shared<ClayPowerCurve>(ClayPowerCurve::SoftClay, 20, 20, 16, 0.02, 0.6, 2, 500)->InitialSlope(), 1000);
}

}  // namespace
