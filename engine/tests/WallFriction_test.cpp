// Wall friction and adhesion: the coefficients against hand calculations, and
// their effect on the analysis.
#include "engine/EngineRun.h"
#include "engine/PassiveLimit.h"
#include "engine/WallFileReader.h"
#include "engine/WallFriction.h"
#include "engine/tests/TestWall.h"
#include "model/WordReader.h"
#include "units/Constants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

using namespace engine;

namespace {

double Rad(double degrees) { return degrees * kPi / 180; }

TEST(WallFrictionCoefficients, ActiveByCoulombWithDelta)
{
    // phi 30, delta 20: sin 50 sin 30 / cos 20 = 0.407604, root 0.638439,
    // Ka = 0.75 / 1.638439^2 = 0.279384.
    EXPECT_NEAR(CoulombActiveCoefficient(30, 0, 20), 0.279384, 1e-6);
    EXPECT_NEAR(CoulombActiveCoefficient(30, 0, 10), 0.303779, 1e-6);
    EXPECT_NEAR(CoulombActiveCoefficient(40, 0, 20), 0.187379, 1e-6);
    // delta = 0 is the smooth wall's coefficient.
    EXPECT_DOUBLE_EQ(CoulombActiveCoefficient(30, 10, 0), CoulombActiveCoefficient(30, 10));
    // The published table of Coulomb's Ka (the force inclined at delta) for a
    // vertical wall and level ground, delta = 2 phi / 3 (Das, Principles of
    // Geotechnical Engineering): 0.3213, 0.2973 and 0.2750 for phi 28, 30, 32;
    // the horizontal component is Ka cos(delta).
    const double table[][2] = {{28, 0.3213}, {30, 0.2973}, {32, 0.2750}};
    for (const auto& [phi, ka] : table)
        EXPECT_NEAR(CoulombActiveCoefficient(phi, 0, 2 * phi / 3) / std::cos(Rad(2 * phi / 3)), ka, 5e-5) << phi;
}

TEST(WallFrictionCoefficients, PassiveByTheCurvedSurface)
{
    // delta = 0: Rankine; delta = phi: 2 mw = -2 phi, nu = 45 + phi/2, so
    // Kp = (1 + sin phi) exp((pi/2 + phi) tan phi) = 5.026202 for phi = 30.
    EXPECT_NEAR(CurvedSurfacePassiveCoefficient(30, 0), 3.0, 1e-12);
    EXPECT_NEAR(CurvedSurfacePassiveCoefficient(30, 30), 1.5 * std::exp((kPi / 2 + Rad(30)) * std::tan(Rad(30))), 1e-9);
    // phi 30, delta 20: 2 mw = acos(0.684040) - 50 deg = -3.160 deg, nu = 31.580 deg,
    // Kp = (1 + 0.5 sin 26.840 deg) / 0.5 exp(2 x 0.551175 x 0.577350) = 4.6327.
    EXPECT_NEAR(CurvedSurfacePassiveCoefficient(30, 20), 4.6327, 1e-4);
    EXPECT_NEAR(CurvedSurfacePassiveCoefficient(40, 20), 8.3780, 1e-4);
    // Below Coulomb's plane surface, which overestimates it (5.3912 and 10.3945 horizontal).
    EXPECT_LT(CurvedSurfacePassiveCoefficient(30, 20), 5.39);
    EXPECT_LT(CurvedSurfacePassiveCoefficient(40, 20), 10.39);
}

// Against the curved-surface values of Caquot and Kerisel (1948) as Look (2007),
// Table 19.13, gives them for a vertical wall and level ground (the force
// inclined at delta, to 0.1): the closed form is exact for a weightless soil
// and lies within 3.5 % of the tabled values for the soil's weight, below them
// at most angles (the table, read off charts, is not monotonic everywhere).
TEST(WallFrictionCoefficients, PassiveWithinTheCaquotKeriselTable)
{
    const double table[][3] = {{20, 2.3, 2.6}, {25, 3.0, 3.4}, {30, 4.0, 4.5}, {35, 5.4, 6.0}, {40, 7.5, 9.0}};
    for (const auto& [phi, third, half] : table)
        for (const auto& [delta, tabled] : {std::pair{phi / 3, third}, std::pair{phi / 2, half}}) {
            const double inclined = CurvedSurfacePassiveCoefficient(phi, delta) / std::cos(Rad(delta));
            EXPECT_NEAR(inclined / tabled, 1.0, 0.035) << "phi " << phi << ", delta " << delta;
        }
}

TEST(WallFrictionCoefficients, PassiveLimitWithFrictionAndAdhesion)
{
    SoilParameters silt;
    silt.frictionAngle = 30;
    silt.cohesion = 10;
    const WallContact smooth, rough{2.0 / 3.0, 0.5};
    EXPECT_EQ(PassiveLimit(SoilType::Silt, silt, smooth, 50, 2), PassiveLimit(SoilType::Silt, silt, 50, 2));
    const double kp = CurvedSurfacePassiveCoefficient(30, 20);
    EXPECT_NEAR(PassiveLimit(SoilType::Silt, silt, rough, 50, 2), (kp * 50 + 10 * 2 * std::sqrt(kp * 1.5)) * 2, 1e-9);
    SoilParameters clay;
    clay.cohesion = 40;
    EXPECT_NEAR(PassiveLimit(SoilType::SoftClay, clay, rough, 50, 1), 50 + 2 * 40 * std::sqrt(1.5), 1e-9);
}

// A dry 10 m SI sand wall (phi 32) on 40 increments, 3 m excavation.
std::vector<WallFileBlock> SandWall()
{
    TestWall w(UnitSystem::SI, 40, 0.25);
    w.Stiffness(0, 40, 2e4);
    w.Generated(TEarthPressure::Triangular, 3.0, 1.0, 1.0);
    w.wall->MaxDeflection = 5;
    w.wall->ClosureTolerance = 1e-6;
    w.wall->WaterDepthBackfill = 20;
    w.wall->WaterDepthExcavation = 20;
    w.Layer(4, 20, {18, 32, 20000}, {18, 32, 20000});
    std::istringstream text(w.Text());
    TWordReader reader(text);
    return WallFileReader::Read(reader);
}

bool Mentions(const SectionRun& s, const std::string& text)
{
    return std::any_of(s.input.choices.begin(), s.input.choices.end(),
                       [&](const std::string& c) { return c.find(text) != std::string::npos; });
}

TEST(WallFrictionAnalysis, ZeroRatioIsTheSmoothWallAndFrictionScalesTheActivePressure)
{
    TWallSettings zero, rough;
    zero.limitToPassive = rough.limitToPassive = true;
    const RunOutcome smooth = EngineRun::Analyse(SandWall(), zero);
    zero.Set(TWallFrictionSettings{1, 0, 0});
    rough.Set(TWallFrictionSettings{1, 2.0 / 3.0, 0});
    const RunOutcome same = EngineRun::Analyse(SandWall(), zero);
    const RunOutcome rubbed = EngineRun::Analyse(SandWall(), rough);
    ASSERT_TRUE(smooth.sections.at(0).result.Ok());
    ASSERT_TRUE(rubbed.sections.at(0).result.Ok());
    EXPECT_EQ(same.sections[0].input.q, smooth.sections[0].input.q);
    EXPECT_EQ(same.sections[0].result.y, smooth.sections[0].result.y);
    EXPECT_FALSE(Mentions(same.sections[0], "Wall friction"));
    // Above the excavation (node 8, 2 m) the load is Ka gamma z: it moves by Ka(delta) / Ka.
    const double ratio = CoulombActiveCoefficient(32, 0, 32 * 2.0 / 3.0) / CoulombActiveCoefficient(32, 0);
    EXPECT_NEAR(rubbed.sections[0].input.q[8], ratio * smooth.sections[0].input.q[8], 1e-9);
    EXPECT_TRUE(Mentions(rubbed.sections[0], "Wall friction and adhesion"));
    EXPECT_TRUE(Mentions(rubbed.sections[0], "Passive limit with wall friction"));
    // Less load from behind: the top moves less.
    EXPECT_LT(std::fabs(rubbed.sections[0].result.y[0]), std::fabs(smooth.sections[0].result.y[0]));
}

}  // namespace
