// The rules of the Ground Water window: tables typed in the wall's units
// stored in SI, refused entries with their messages.
#include "ui/rules/WaterRules.h"

#include <gtest/gtest.h>

// Typing past the last row adds one, a depth out of order is refused, an empty
// depth removes its row; leaving the table regime drops the tables.
TEST(WaterRules, PoreTablesAreTypedRowByRow)
{
    TWallSettings s;
    EXPECT_NE(SetPoreCell(s, 2, TWaterSide::Retained, 0, 0, "3", UnitSystem::SI), "");
    SetStageRegime(s, 2, WaterRegime::Table);
    EXPECT_EQ(SetPoreCell(s, 2, TWaterSide::Retained, 0, 0, "120", UnitSystem::English), "");  // in
    EXPECT_EQ(SetPoreCell(s, 2, TWaterSide::Retained, 0, 1, "1", UnitSystem::English), "");  // psi
    EXPECT_EQ(SetPoreCell(s, 2, TWaterSide::Retained, 1, 1, "200", UnitSystem::English), "");
    const TStageWater w = s.water.Stage(2);
    ASSERT_EQ(w.retained.size(), 2u);
    EXPECT_NEAR(w.retained[0].depth, 3.048, 1e-9);
    EXPECT_NEAR(w.retained[0].pressure, 6.894757, 1e-5);
    EXPECT_NEAR(w.retained[1].depth, 4.048, 1e-9);
    EXPECT_EQ(SetPoreCell(s, 2, TWaterSide::Retained, 1, 0, "5", UnitSystem::English),
              "Pore pressure behind the wall: row 2: the depth must be greater than that of the row above.");
    EXPECT_EQ(SetPoreCell(s, 2, TWaterSide::Retained, 0, 0, " ", UnitSystem::SI), "");
    EXPECT_EQ(s.water.Stage(2).retained.size(), 1u);
    SetStageRegime(s, 2, WaterRegime::Seepage);
    EXPECT_TRUE(s.water.Stage(2).retained.empty());
    EXPECT_EQ(SetHydraulicFactor(s, false, "1.2"), "gamma_G;stb must lie from 0.1 to 1.");
    EXPECT_EQ(SetHydraulicFactor(s, true, "1.5"), "");
    EXPECT_EQ(s.water.factors.gammaG_dst, 1.5);
}
