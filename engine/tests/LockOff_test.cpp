// Anchors locked off as they are built, and the retained soil that holds a wall
// pulled back by them.
#include "engine/EngineRun.h"
#include "engine/tests/TestWall.h"
#include "model/WordReader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<WallFileBlock> Blocks(const std::string& text)
{
    std::istringstream in(text);
    TWordReader reader(in);
    return WallFileReader::Read(reader);
}

TWallSettings LockOff(int node, double prestress)
{
    TWallSettings s;
    s.springsFromInstallation = true;
    s.lockOffAsBuilt = true;
    TAnchorSettings a;
    a.node = node;
    a.prestress = prestress;
    s.Set(a);
    return s;
}

}  // namespace

// A rigid wall (EI 1E13 kN m^2, 10 m, two increments) on springs of 1000 kN/m at
// its top and its tip. Stage 1: 100 kN at mid-height (node 1). Stage 2: 150 kN
// there and an anchor of K = 2000 kN/m at node 1 locked off at P0 = 60 kN. The
// wall only translates (its bending, P L^3 / 48 EI, is 1E-8 of it):
//   stage 1:  y1 = 100 / 2000 = 0.05 m;
//   lock-off: stage 1's wall with the jack, y_lock = (100 - 60) / 2000 = 0.02 m;
//   stage 2:  150 - P0 - K (y2 - y_lock) - 2000 y2 = 0, so
//             y2 = (150 - 60 + 2000 x 0.02) / 4000 = 0.0325 m,
//             F = 60 + 2000 (0.0325 - 0.02) = 85 kN.
// Counted from the end of stage 1 the anchor would give F = 55 kN, below its lock-off.
TEST(LockOff, LinearWallFollowsTheLockOffSequenceByHand)
{
    TestWall w(UnitSystem::SI, 2, 5.0);
    w.Stiffness(0, 2, 1e13);
    w.Spring(0, 0, 1000);
    w.Spring(2, 2, 1000);
    w.Load(1, 1, 100);
    const std::string text = w.StagedText(2, [&w](TProgramData&, int k) {
        if (k == 2) {
            w.Table(WallTable::ConcentratedLoads).Cell(3, 0).SetAsFloat(150);
            w.Spring(1, 1, 2000);
        }
    });
    const RunOutcome o = EngineRun::Analyse(Blocks(text), LockOff(1, 60));
    ASSERT_EQ(o.sections.size(), 2u);
    ASSERT_TRUE(o.sections[0].Ok() && o.sections[1].Ok()) << o.sections[1].result.message;
    EXPECT_NEAR(o.sections[0].result.y[1], 0.05, 1e-6 * 0.05);
    const SpringResult* anchor = nullptr;
    for (const SpringResult& s : o.sections[1].result.springs)
        if (s.node == 1)
            anchor = &s;
    ASSERT_NE(anchor, nullptr);
    EXPECT_TRUE(anchor->lockedOff);
    EXPECT_NEAR(anchor->deflectionFrom, 0.02, 1e-6 * 0.02);
    EXPECT_NEAR(o.sections[1].result.y[1], 0.0325, 1e-6 * 0.0325);
    EXPECT_NEAR(anchor->force, 85, 1e-6 * 85);
}

// The engineer's two-stage wall in sand: a 10 m sheet pile cantilevered to 2.5 m,
// then a tie-back at 1.5 m locked off at 80 kN/m and the excavation taken to 5 m
// in the same stage. Locked off as built and held by the soil behind, the anchor
// keeps at least its lock-off force and the top is not pulled far back.
TEST(LockOff, PrestressedAnchorKeepsItsLockOffWhenTheSoilBehindHolds)
{
    TestWall w(UnitSystem::SI, 40, 0.25);
    w.Stiffness(0, 40, 79380);
    w.Generated(TEarthPressure::Triangular, 2.5, 1.0, 1.0);
    w.wall->WaterDepthBackfill = 10;
    w.wall->WaterDepthExcavation = 10;
    w.wall->MaxDeflection = 1.0;
    w.wall->ClosureTolerance = 1e-7;
    w.Layer(4, 10, {18, 32, 16300}, {18.5, 33, 16300});  // unit weight kN/m^3, phi, k(py) kN/m^3
    const std::string text = w.StagedText(2, [&w](TProgramData& wall, int k) {
        if (k == 2) {
            wall.WallHeight = 5;
            w.Spring(6, 6, 5100);
        }
    });
    TWallSettings settings = LockOff(6, 80);
    settings.soilBehindResists = true;
    const RunOutcome o = EngineRun::Analyse(Blocks(text), settings);
    ASSERT_EQ(o.sections.size(), 2u);
    ASSERT_TRUE(o.sections[1].Ok()) << o.sections[1].result.message;
    const SectionResult& r = o.sections[1].result;
    ASSERT_EQ(r.springs.size(), 1u);
    EXPECT_GE(r.springs[0].force, 80);
    EXPECT_GT(r.y[0], -0.005);
}
