// The base against heave and the anchors' place in the ground, against hand
// calculations on walls built in memory (SI: kN, m).
#include "checks/AnchorStability.h"
#include "checks/BasalHeave.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

engine::SoilLayer Layer(engine::SoilType type, double bottom, double gamma, double cohesion, double phi)
{
    engine::SoilLayer l;
    l.type = type;
    l.bottomDepth = bottom;
    l.top.unitWeight = l.bottom.unitWeight = gamma;
    l.top.cohesion = l.bottom.cohesion = cohesion;
    l.top.frictionAngle = l.bottom.frictionAngle = phi;
    return l;
}

// A wall of 0.2 m nodes down to `tip`, excavated to `h`, dry unless told.
WallBlock Wall(double tip, double h, std::vector<engine::SoilLayer> layers)
{
    WallBlock b;
    b.unitSystem = UnitSystem::SI;
    b.earthPressureOption = 2;
    b.increment = 0.2;
    b.nodeCount = static_cast<int>(std::lround(tip / b.increment));
    b.wallHeight = h;
    b.waterDepthBackfill = b.waterDepthExcavation = 100;
    b.layers = std::move(layers);
    return b;
}

}  // namespace

TEST(BasalHeave, FactorsMatchHandCalculations)
{
    std::vector<std::string> notes;
    // Bjerrum and Eide: soft clay su 20, gamma 18, H 6, q 10, B 4, L 20:
    // H/B = 1.5, Nc = 5 (1 + 0.2 x 1.5)(1 + 0.2 x 4/20) = 6.76,
    // F = 6.76 x 20 / (18 x 6 + 10) = 135.2 / 118 = 1.14576.
    WallBlock narrow = Wall(12, 6, {Layer(engine::SoilType::SoftClay, 30, 18, 20, 0)});
    narrow.topSurcharge = 10;
    TExcavationSettings plan;
    plan.width = 4;
    plan.length = 20;
    const auto be = checks::CheckBasalHeave(narrow, plan, notes);
    ASSERT_TRUE(be && be->factor);
    EXPECT_EQ(be->method, "Bjerrum and Eide (1956)");
    EXPECT_NEAR(*be->factor, 135.2 / 118, 1e-9);
    EXPECT_FALSE(be->passed);

    // Terzaghi: sand (gamma 19) to 2 m over clay su 20 (gamma 18) to 16 m, then
    // sand; H 6, q 10, 1 m of water standing in the excavation, B 20 (plane strain):
    // B1 = min(20 / sqrt 2, 16 - 6) = 10; su_s = (0 x 2 + 20 x 4) / 6 = 13.33;
    // F = 5.7 x 20 / (19 x 2 + 18 x 4 + 10 - 9.81 - 13.33 x 6 / 10) = 114 / 102.19 = 1.11557.
    WallBlock wide = Wall(12, 6,
                          {Layer(engine::SoilType::Sand, 2, 19, 0, 30), Layer(engine::SoilType::SoftClay, 16, 18, 20, 0),
                           Layer(engine::SoilType::Sand, 30, 20, 0, 35)});
    wide.topSurcharge = 10;
    wide.waterDepthBackfill = wide.waterDepthExcavation = 5;
    plan = TExcavationSettings();
    plan.width = 20;
    const auto t = checks::CheckBasalHeave(wide, plan, notes);
    ASSERT_TRUE(t && t->factor);
    EXPECT_EQ(t->method, "Terzaghi (1943)");
    EXPECT_NEAR(*t->factor, 114 / 102.19, 1e-9);
    EXPECT_EQ(notes.size(), 1u);  // the plane strain it assumed

    // Not asked for without the width; not clay at the base: a note says so.
    EXPECT_FALSE(checks::CheckBasalHeave(wide, TExcavationSettings(), notes));
    wide.wallHeight = 1;
    EXPECT_FALSE(checks::CheckBasalHeave(wide, plan, notes));
    EXPECT_EQ(notes.back(), "Basal heave is not checked: the soil below the excavation level is not clay.");
}

namespace {

// Dry sand gamma 18, phi' 30 deg (Ka = 1/3, Kp = 3), wall to 10 m excavated to
// 7 m, an anchor at 2 m (node 10) inclined 15 deg with 6 m of fixed length,
// taking 100 kN/m.
struct AnchoredSand {
    WallBlock block = Wall(10, 7, {Layer(engine::SoilType::Sand, 20, 18, 0, 30)});
    TWallSettings settings;
    std::vector<checks::AnchorCheck> anchors{checks::AnchorCheck{10, 100}};
    std::vector<std::string> notes;

    explicit AnchoredSand(double freeLength)
    {
        settings.AnchorAt(10).inclination = 15;
        settings.AnchorAt(10).freeLength = freeLength;
        settings.AnchorAt(10).fixedLength = 6;
        checks::CheckAnchorStability(block, settings, 1.5, anchors, notes);
    }
};

}  // namespace

// The plane rises at 60 deg from the point of zero net pressure,
// 18 z / 3 = 3 x 18 (z - 7): z0 = 7.875 m. The fixed length starts at
// (Lf cos 15, 2 + Lf sin 15): for Lf = 8 at (7.727, 4.071), the plane there
// (7.875 - 4.071) / tan 60 = 2.197 m behind the wall: 5.531 m beyond; for
// Lf = 1 at (0.966, 2.259), the plane 3.243 m behind: 2.277 m inside.
TEST(AnchorStability, FixedLengthMustStartBeyondTheWedge)
{
    const AnchoredSand beyond(8), inside(1);
    ASSERT_TRUE(beyond.anchors[0].wedgeMargin && inside.anchors[0].wedgeMargin);
    EXPECT_NEAR(*beyond.anchors[0].wedgeMargin, 5.530908, 1e-5);
    EXPECT_TRUE(*beyond.anchors[0].beyondWedge);
    EXPECT_NEAR(*inside.anchors[0].wedgeMargin, -2.276578, 1e-5);
    EXPECT_FALSE(*inside.anchors[0].beyondWedge);
}

// Kranz: the equivalent anchor wall at the middle of the fixed length, 11 m
// along the anchor: D = (10.625, 4.847). Ea = 18 x 10^2 / 6 = 300 on the wall,
// E1 = 18 x 4.847^2 / 6 = 70.48 on the anchor wall, the block's weight
// 18 x 10.625 (10 + 4.847) / 2 = 1419.77; the slip line from the tip rises at
// theta = atan(5.153 / 10.625) = 25.872 deg. With the reaction at phi' to its
// normal, A = (Ea - E1 - W tan(theta - phi')) / (1 - tan i tan(theta - phi'))
// = 325.68 kN/m, F = 325.68 / 100 = 3.2568.
TEST(AnchorStability, KranzFactorMatchesHandCalculation)
{
    const AnchoredSand wall(8);
    ASSERT_TRUE(wall.anchors[0].kranzFactor);
    EXPECT_NEAR(*wall.anchors[0].kranzFactor, 3.256796, 1e-5);
    EXPECT_TRUE(*wall.anchors[0].kranzPassed);
    EXPECT_TRUE(wall.notes.empty());
    // Without the lengths the anchor is not checked, and nothing is said.
    AnchoredSand unset(8);
    unset.anchors = {checks::AnchorCheck{10, 100}};
    unset.settings.AnchorAt(10).fixedLength = 0;
    checks::CheckAnchorStability(unset.block, unset.settings, 1.5, unset.anchors, unset.notes);
    EXPECT_FALSE(unset.anchors[0].kranzFactor || unset.anchors[0].beyondWedge);
    EXPECT_TRUE(unset.notes.empty());
}
