#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "tables/GridTable.h"
#include "units/NumberFormat.h"

#include <gtest/gtest.h>

namespace {

// A wall whose every dimensioned scalar is 1, so that each shows its factor.
std::unique_ptr<TProgramData> WallOfOnes(BatchHost& host)
{
    auto wall = TProgramData::CreateNew(host);
    for (long double* field : {&wall->IncrementLength, &wall->MaxDeflection, &wall->ClosureTolerance,
                               &wall->WallHeight, &wall->WaterDepthBackfill, &wall->WaterDepthExcavation,
                               &wall->ActiveWidth, &wall->PyWidth, &wall->TopSurcharge,
                               &wall->LegacySurcharge.Distance, &wall->LegacySurcharge.PointLoad,
                               &wall->LegacySurcharge.LineLoad, &wall->LegacySurcharge.StripLoad,
                               &wall->LegacySurcharge.StripWidth, &wall->ActivePressureFactor,
                               &wall->BackfillSlope})
        *field = 1;
    wall->NodeCount = 40;
    wall->ConfigurationCode = 2;
    return wall;
}

TEST(UnitSwitchTest, NewWallToSiConvertsTheDeflectionLimits)
{
    BatchHost host;
    auto wall = TProgramData::CreateNew(host);
    wall->SwitchUnits(UnitSystem::SI);
    EXPECT_EQ(wall->UnitSystem(), UnitSystem::SI);
    EXPECT_EQ(FormatFloat8(wall->MaxDeflection), "2.54");
    EXPECT_EQ(FormatFloat8(wall->ClosureTolerance), "2.54E-7");
}

TEST(UnitSwitchTest, EachScalarTakesTheFactorOfItsDimension)
{
    BatchHost host;
    auto wall = WallOfOnes(host);
    wall->SwitchUnits(UnitSystem::SI);
    const long double L = 0.0254L;
    const long double F = 0.004448222468060651L;
    for (long double length : {wall->IncrementLength, wall->MaxDeflection, wall->ClosureTolerance, wall->WallHeight,
                               wall->WaterDepthBackfill, wall->WaterDepthExcavation, wall->ActiveWidth,
                               wall->PyWidth, wall->LegacySurcharge.Distance, wall->LegacySurcharge.StripWidth})
        EXPECT_EQ(length, L);
    EXPECT_EQ(wall->LegacySurcharge.PointLoad, F);
    EXPECT_EQ(wall->LegacySurcharge.LineLoad, F / L);
    EXPECT_EQ(wall->TopSurcharge, F / (L * L));
    EXPECT_EQ(wall->LegacySurcharge.StripLoad, F / (L * L));
    // Dimensionless fields stay.
    EXPECT_EQ(wall->ActivePressureFactor, 1);
    EXPECT_EQ(wall->BackfillSlope, 1);
    EXPECT_EQ(wall->NodeCount, 40);
    EXPECT_EQ(wall->ConfigurationCode, 2);
}

TEST(UnitSwitchTest, SiToEnglishUsesTheRoundedInverseFactors)
{
    BatchHost host;
    auto wall = TProgramData::CreateNew(host);
    wall->SwitchUnits(UnitSystem::SI);
    wall->WallHeight = 1;
    wall->TopSurcharge = 1;
    wall->SwitchUnits(UnitSystem::English);
    EXPECT_EQ(wall->WallHeight, 39.3701L);
    EXPECT_EQ(wall->TopSurcharge, 224.8089L / (39.3701L * 39.3701L));
    // There and back is not the identity.
    EXPECT_NE(wall->MaxDeflection, 100);
    EXPECT_EQ(FormatFloat8(wall->MaxDeflection), "100.00005");
}

struct NoScalarCase {
    int first;
    int second;
};

class UnitSwitchWithoutScalarsTest : public ::testing::TestWithParam<NoScalarCase> {};

// The same system, and moves from or to generic units, leave every scalar.
TEST_P(UnitSwitchWithoutScalarsTest, LeavesScalarsAndMovesTables)
{
    BatchHost host;
    auto wall = TProgramData::CreateNew(host);
    wall->SwitchUnits(NormalizeUnitSystem(GetParam().first));
    const long double deflection = wall->MaxDeflection;
    wall->WallHeight = 7;
    host.tables[WallTable::PYMod].Cell(0, 0).SetAsFloat(10);
    wall->SwitchUnits(NormalizeUnitSystem(GetParam().second));
    EXPECT_EQ(wall->MaxDeflection, deflection);
    EXPECT_EQ(wall->WallHeight, 7);
    EXPECT_EQ(host.tables[WallTable::PYMod].Cell(0, 0).AsFloat(), 10);
    for (int i = 0; i < WallTables::Count; ++i)
        EXPECT_EQ(host.tables.Table(i).UnitSystem(), wall->UnitSystem()) << WallTables::Name(i);
}

INSTANTIATE_TEST_SUITE_P(Pairs, UnitSwitchWithoutScalarsTest,
                         ::testing::Values(NoScalarCase{2, 3}, NoScalarCase{3, 2}, NoScalarCase{1, 3},
                                           NoScalarCase{3, 1}, NoScalarCase{2, 2}, NoScalarCase{1, 1}));

TEST(UnitSwitchTest, SystemsOutsideTheRangeAreTakenToTheNearest)
{
    BatchHost host;
    auto wall = TProgramData::CreateNew(host);
    wall->SwitchUnits(NormalizeUnitSystem(7));
    EXPECT_EQ(wall->UnitSystem(), UnitSystem::Generic);
    EXPECT_EQ(wall->MaxDeflection, 100);
    wall->SwitchUnits(NormalizeUnitSystem(-2));
    EXPECT_EQ(wall->UnitSystem(), UnitSystem::English);
    EXPECT_EQ(host.tables[WallTable::NewSoil].UnitSystem(), UnitSystem::English);
}

TEST(UnitSwitchTest, TablesConvertTheirCellsWithTheWall)
{
    BatchHost host;
    auto wall = TProgramData::CreateNew(host);
    TGridTable& pressure = host.tables[WallTable::DistLoad];
    pressure.Cell(0, 0).SetAsFloat(10);  // feet
    wall->SwitchUnits(UnitSystem::SI);
    EXPECT_EQ(FormatFloat8(pressure.Cell(0, 0).AsFloat()), "3.048");
    EXPECT_EQ(pressure.UnitSystem(), UnitSystem::SI);
}

TEST(UnitSwitchTest, OpenDialogsAreToldAfterTheSwitch)
{
    BatchHost host;
    auto wall = TProgramData::CreateNew(host);
    std::vector<std::string> seen;
    const int subscription = host.UnitsSwitched.Subscribe([&] { seen.push_back(FormatFloat8(wall->MaxDeflection)); });
    wall->SwitchUnits(UnitSystem::SI);
    wall->SwitchUnits(UnitSystem::Generic);
    host.UnitsSwitched.Unsubscribe(subscription);
    wall->SwitchUnits(UnitSystem::SI);
    EXPECT_EQ(seen, (std::vector<std::string>{"2.54", "2.54"}));
}

// A switch that would take a value beyond the range of an 8-byte real (a
// finite extended real, but "INF" once saved) is refused with a message
// naming the value, and changes nothing.
TEST(UnitSwitchTest, ASwitchThatWouldOverflowIsRefusedAndChangesNothing)
{
    BatchHost host;
    auto wall = TProgramData::CreateNew(host);
    wall->SwitchUnits(UnitSystem::SI);
    wall->WaterDepthBackfill = 1E308L;
    wall->WallHeight = 3;
    TGridTable& soil = host.tables[WallTable::NewSoil];
    soil.Cell(1, 0).SetAsFloat(4);
    EXPECT_FALSE(wall->SwitchUnits(UnitSystem::English));
    ASSERT_EQ(host.prompt.shown.size(), 1u);
    EXPECT_EQ(host.prompt.shown[0], "The wall cannot be switched to English units: the water depth on the backfill "
                                    "side (1E308) would lie outside -1.7976931E308 to 1.7976931E308 there. "
                                    "Nothing was changed.");
    EXPECT_EQ(wall->UnitSystem(), UnitSystem::SI);
    EXPECT_EQ(wall->WallHeight, 3);
    EXPECT_EQ(soil.UnitSystem(), UnitSystem::SI);
    EXPECT_EQ(soil.Cell(1, 0).AsFloat(), 4);

    // A cell of a sub-table: the unit weight of a soil layer.
    wall->WaterDepthBackfill = 0;
    TGridTable* layer = soil.Cell(2, 0).AsTable();
    ASSERT_NE(layer, nullptr);
    layer->Cell(0, 1).SetAsFloat(1E308L);
    EXPECT_FALSE(wall->SwitchUnits(UnitSystem::English));
    EXPECT_NE(host.prompt.shown.back().find("the value 1E308 in row 2, column"), std::string::npos)
        << host.prompt.shown.back();
    EXPECT_EQ(layer->Cell(0, 1).AsFloat(), 1E308L);
    EXPECT_EQ(soil.Cell(1, 0).AsFloat(), 4);
    EXPECT_EQ(wall->WallHeight, 3);
    layer->Cell(0, 1).SetAsFloat(1E300L);
    EXPECT_TRUE(wall->SwitchUnits(UnitSystem::English));
    EXPECT_EQ(wall->UnitSystem(), UnitSystem::English);
}

}  // namespace
