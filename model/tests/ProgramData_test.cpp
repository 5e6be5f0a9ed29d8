#include "model/BatchHost.h"
#include "model/Notice.h"
#include "model/ProgramData.h"
#include "tables/GridTable.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramDataTest, NewWallHasEveryDefault)
{
    BatchHost host;
    host.modified = true;
    auto wall = TProgramData::CreateNew(host);
    const TProgramData& w = *wall;
    EXPECT_FALSE(host.modified);

    EXPECT_EQ(w.FileName, TProgramData::UntitledFileName());
    EXPECT_TRUE(w.NeverSaved());
    EXPECT_EQ(w.Title, "New Wall");
    EXPECT_EQ(w.StageFileName, "");
    EXPECT_EQ(w.StagedSaveName, "");
    EXPECT_EQ(w.PreviousFileName, "");
    EXPECT_EQ(w.UnitSystem(), UnitSystem::English);
    EXPECT_EQ(w.NodeCount, 0);
    EXPECT_EQ(w.IncrementLength, 0);
    EXPECT_EQ(w.MaxDeflection, 100);
    EXPECT_EQ(w.ClosureTolerance, 0.00001L);
    EXPECT_EQ(w.WallHeight, 0);
    EXPECT_EQ(w.ActiveWidth, 0);
    EXPECT_EQ(w.PyWidth, 0);
    EXPECT_EQ(w.WaterDepthBackfill, 0);
    EXPECT_EQ(w.WaterDepthExcavation, 0);
    EXPECT_EQ(w.ActivePressureFactor, 1.0L);
    EXPECT_EQ(w.BackfillSlope, 0);
    EXPECT_EQ(w.ConfigurationCode, 1);
    EXPECT_EQ(w.TopSurcharge, 0);
    EXPECT_EQ(w.LegacySurcharge.Distance + w.LegacySurcharge.PointLoad + w.LegacySurcharge.LineLoad +
                  w.LegacySurcharge.StripLoad + w.LegacySurcharge.StripWidth,
              0);
    for (bool off : {w.UseRestraints, w.UseConcentratedLoads, w.UseSprings, w.UsePyModifiers, w.UseExternalPyCurves,
                     w.UseMeiCurves, w.UseSurcharge, w.LongTermAnalysis})
        EXPECT_FALSE(off);
    EXPECT_TRUE(w.GeneratePyCurves);
    EXPECT_EQ(w.EarthPressureKind, TEarthPressure::None);
    EXPECT_EQ(w.PyCurveOption, 0);
    EXPECT_EQ(w.MeiCurveCount, 0);
    EXPECT_EQ(w.StageCount, 1);
    EXPECT_EQ(w.CurrentStage, 1);
    EXPECT_TRUE(w.StageFilesCurrent);
    EXPECT_EQ(w.PressurePointCount, 0);
}

TEST(ProgramDataTest, NewWallRefillsEveryTableWithItsMinimumRows)
{
    BatchHost host;
    host.tables[WallTable::NewSoil].SetRowCount(7);
    host.tables[WallTable::PYMod].SetRowCount(0);
    host.tables[WallTable::ConcentratedLoads].SetRowCount(3);
    host.tables[WallTable::ConcentratedLoads].Cell(3, 0).SetAsFloat(55);
    auto wall = TProgramData::CreateNew(host);
    for (int i = 0; i < WallTables::Count; ++i) {
        const TGridTable& table = host.tables.Table(i);
        EXPECT_EQ(table.RowCount(), table.MinRows()) << WallTables::Name(i);
    }
    EXPECT_EQ(host.tables[WallTable::ConcentratedLoads].Cell(3, 0).AsFloat(), 0);
}

TEST(ProgramDataTest, NewWallBringsTablesBackToEnglishUnits)
{
    BatchHost host;
    auto first = TProgramData::CreateNew(host);
    first->SwitchUnits(UnitSystem::SI);
    ASSERT_EQ(host.tables[WallTable::NewSoil].UnitSystem(), UnitSystem::SI);
    auto second = TProgramData::CreateNew(host);
    EXPECT_EQ(second->UnitSystem(), UnitSystem::English);
    for (int i = 0; i < WallTables::Count; ++i)
        EXPECT_EQ(host.tables.Table(i).UnitSystem(), UnitSystem::English) << WallTables::Name(i);
}

TEST(ProgramDataTest, ReplacingTheDocumentsWallFreesThePreviousOne)
{
    BatchHost host;
    auto first = TProgramData::CreateNew(host);
    TProgramData* firstAddress = first.get();
    host.SetWall(std::move(first));
    EXPECT_EQ(&host.Wall(), firstAddress);
    host.New();
    EXPECT_NE(&host.Wall(), firstAddress);
    EXPECT_EQ(&host.Wall().Document(), &host);
}

struct LayoutCase {
    const char* path;
    TFileLayout layout;
};

class LayoutForPathTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutForPathTest, ChoosesTheLayoutByExtension)
{
    EXPECT_EQ(LayoutForPath(GetParam().path), GetParam().layout) << GetParam().path;
}

constexpr TFileLayout kCurrent = TFileLayout::Current;
constexpr TFileLayout kVersion30 = TFileLayout::Version30;
INSTANTIATE_TEST_SUITE_P(Extensions, LayoutForPathTest,
                         ::testing::Values(LayoutCase{"wall.tkd", kVersion30}, LayoutCase{"/a/b/WALL.TKD", kVersion30},
                                           LayoutCase{"wall.TkD", kVersion30}, LayoutCase{"wall.tk4d", kCurrent},
                                           LayoutCase{"wall", kCurrent}, LayoutCase{"dir.tkd/wall", kCurrent},
                                           LayoutCase{"wall.tkd.bak", kCurrent},
                                           LayoutCase{"C:\\walls\\old.tkd", kVersion30}));

TEST(NoticeTest, HandlersMayUnsubscribeWhileTheNoticeIsRaised)
{
    TNotice notice;
    std::vector<int> calls;
    int second = 0;
    notice.Subscribe([&] {
        calls.push_back(1);
        notice.Unsubscribe(second);
    });
    second = notice.Subscribe([&] { calls.push_back(2); });
    notice.Raise();  // both were subscribed when it was raised
    notice.Raise();
    EXPECT_EQ(calls, (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(notice.Count(), 1);
}

}  // namespace
