// Wall friction and adhesion: the coefficients against hand calculations, and
// their effect on the analysis.
#include "engine/EngineRun.h"
#include "engine/PassiveLimit.h"
#include "engine/SlipLinePassive.h"
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
}

// A weightless soil under a surcharge has the closed-form field of a Prandtl
// fan against the wall (EN 1997-1, Annex C, C.2, ground and wall level):
// 2 mw = acos(sin(delta) / sin(phi)) - phi - delta, nu = (pi/2 - phi)/2 - mw,
// K = (1 + sin phi sin(2 mw + phi)) / (1 - sin phi) exp(2 nu tan phi). The
// network of characteristics must reproduce it, which checks its wall and fan.
TEST(WallFrictionCoefficients, WeightlessSlipLineFieldIsTheClosedForm)
{
    SlipLineOptions surcharge;
    surcharge.unitWeight = 0;
    surcharge.surcharge = 1;
    // phi 30, delta 20: 2 mw = -3.160 deg, nu = 31.580 deg: 4.6327; phi 40, delta 20: 8.3780;
    // delta = phi: (1 + sin phi) exp((pi/2 + phi) tan phi) = 5.0262 for phi 30.
    EXPECT_NEAR(SlipLinePassiveCoefficient(30, 20, surcharge), 4.6327, 2e-4);
    EXPECT_NEAR(SlipLinePassiveCoefficient(40, 20, surcharge), 8.3780, 4e-4);
    EXPECT_NEAR(SlipLinePassiveCoefficient(30, 30, surcharge), 1.5 * std::exp((kPi / 2 + Rad(30)) * std::tan(Rad(30))), 3e-4);
    EXPECT_NEAR(CurvedSurfacePassiveCoefficient(30, 0), 3.0, 1e-12);
}

// The coefficient is interpolated between the nodes of its table (the
// verification compares it with the tables of Kerisel and Absi); between them
// it must keep to the field solved at the point.
TEST(WallFrictionCoefficients, PassiveBetweenTheTableNodesKeepsToTheField)
{
    for (const auto& [phi, ratio] : {std::pair{27.4, 0.55}, std::pair{36.7, 0.9}, std::pair{44.2, 0.3}})
        EXPECT_NEAR(CurvedSurfacePassiveCoefficient(phi, ratio * phi) / ConvergedSlipLinePassiveCoefficient(phi, ratio * phi), 1, 5e-4)
            << "phi " << phi << ", delta/phi " << ratio;
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
