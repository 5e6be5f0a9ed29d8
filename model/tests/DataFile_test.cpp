#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "tables/GridTable.h"
#include "units/NumberFormat.h"
#include "units/TorvikError.h"
#include "units/tests/CommaLocale.h"
#include "SampleWalls.h"
#include "model/StageFiles.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <memory>

namespace {

class DataFileTest : public ::testing::Test {
protected:
    // Writes the open wall to `name` in the test's folder and returns the bytes.
    std::string Save(TProgramData& wall, const std::string& name = "wall.tk4d")
    {
        wall.FileName = dir.File(name);
        wall.WriteDataFile();
        return ReadBytes(wall.FileName);
    }
    // Reads `content` as a data file of `layout`.
    std::unique_ptr<TProgramData> Load(const std::string& content, TFileLayout layout = TFileLayout::Current)
    {
        const std::string path = dir.File(layout == TFileLayout::Current ? "read.tk4d" : "read.tkd");
        WriteBytes(path, content);
        return TProgramData::CreateFromFile(host, path, layout);
    }
    TGridTable& Table(WallTable which) { return host.tables[which]; }

    TempDir dir;
    BatchHost host;
};

TEST_F(DataFileTest, NewWallSavedAtOnce)
{
    auto wall = TProgramData::CreateNew(host);
    host.modified = true;
    EXPECT_EQ(Save(*wall), kNewWallFile);
    EXPECT_FALSE(host.modified);
}

TEST_F(DataFileTest, SwitchedOffTablesAreEmptiedAndLeftOut)
{
    auto wall = TProgramData::CreateNew(host);
    for (WallTable t : {WallTable::BoundaryConditions, WallTable::PYMod, WallTable::PYCurves, WallTable::ConcentratedLoads,
                        WallTable::Springs, WallTable::SurchargeTable})
        Table(t).SetRowCount(3);
    const std::string file = Save(*wall);
    EXPECT_EQ(file, kNewWallFile);
    for (WallTable t : {WallTable::BoundaryConditions, WallTable::PYMod, WallTable::PYCurves, WallTable::ConcentratedLoads,
                        WallTable::Springs, WallTable::SurchargeTable})
        EXPECT_EQ(Table(t).RowCount(), 0) << WallTables::Name(t);
}

TEST_F(DataFileTest, SwitchedOnTablesAreWrittenInFileOrder)
{
    auto wall = TProgramData::CreateNew(host);
    wall->UseRestraints = wall->UseConcentratedLoads = wall->UseSprings = wall->UsePyModifiers = true;
    TGridTable& restraints = Table(WallTable::BoundaryConditions);
    restraints.Cell(0, 0).SetAsInteger(2);
    restraints.Cell(1, 0).SetAsInteger(12);
    restraints.Cell(2, 0).SetAsFloat(0.5);
    restraints.Cell(3, 0).SetAsFloat(-0.01L);
    TGridTable& stiffness = Table(WallTable::PileSect);
    stiffness.SetRowCount(2);
    stiffness.Cell(2, 0).SetAsInteger(2);
    stiffness.Cell(2, 1).SetAsInteger(2);
    stiffness.Cell(3, 1).SetAsFloat(2.5e9L);
    TGridTable& loads = Table(WallTable::ConcentratedLoads);
    loads.Cell(0, 0).SetAsInteger(2);
    loads.Cell(4, 0).SetAsFloat(1500);
    TGridTable& springs = Table(WallTable::Springs);
    springs.Cell(0, 0).SetAsInteger(2);
    springs.Cell(1, 0).SetAsInteger(4);
    springs.Cell(2, 0).SetAsInteger(9);
    springs.Cell(3, 0).SetAsFloat(100);
    TGridTable& modifiers = Table(WallTable::PYMod);
    modifiers.Cell(0, 1).SetAsFloat(2.5);  // feet: 30 inches in the file
    modifiers.Cell(1, 1).SetAsFloat(0.5);

    const std::string file = Save(*wall);
    EXPECT_NE(file.find("\r\n1 1\t2\t2\t0\t2 0 1 0\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\n2\t12\t0.5\t-0.01\r\n0\t1\t2\t0\r\n0\t1\t1\t2.5E9\r\n"
                        "1\r\n2\t0\t1\t0\t1500\t0\r\n"
                        "1\r\n4\t9\t2\t100\t0\r\n"
                        "0\t1\t1\r\n30\t0.5\t1\r\n"),
              std::string::npos)
        << file;
    // The last stiffness row is always constant, in the open wall too.
    EXPECT_EQ(stiffness.Cell(2, 1).AsInteger(), 1);
}

TEST_F(DataFileTest, ActivePressureFactorOfOlderVersionsReadsAsOne)
{
    auto wall = TProgramData::CreateNew(host);
    wall->ActivePressureFactor = 0.036L;
    const std::string file = Save(*wall);
    EXPECT_NE(file.find("\t0.036\t1\t0\r\n"), std::string::npos);
    auto read = TProgramData::CreateFromFile(host, wall->FileName, TFileLayout::Current);
    EXPECT_EQ(read->ActivePressureFactor, 1.0L);
    EXPECT_TRUE(host.prompt.shown.empty());
}

TEST_F(DataFileTest, SoilSectionIsReadWhenOnlyPyCurvesAreGenerated)
{
    std::string file = kNewWallFile;
    file.replace(file.find("0\t0\t0\t0\t0\t1\t1\t0"), 15, "240\t12\t14\t36\t48\t0.9\t5\t10");
    auto wall = Load(file);
    EXPECT_TRUE(host.prompt.shown.empty());
    EXPECT_EQ(wall->WallHeight, 240);
    EXPECT_EQ(wall->ActiveWidth, 12);
    EXPECT_EQ(wall->PyWidth, 14);
    EXPECT_EQ(wall->WaterDepthBackfill, 36);
    EXPECT_EQ(wall->WaterDepthExcavation, 48);
    EXPECT_EQ(wall->ActivePressureFactor, 0.9L);
    EXPECT_EQ(wall->ConfigurationCode, 5);
    EXPECT_EQ(wall->BackfillSlope, 10);
    EXPECT_FALSE(wall->GeneratePyCurves);
    EXPECT_EQ(wall->EarthPressureKind, TEarthPressure::None);
    EXPECT_EQ(wall->PyCurveOption, 2);
}

TEST_F(DataFileTest, TrapezoidalPressureWritesTheSoilSectionWithoutPyCurves)
{
    auto wall = TProgramData::CreateNew(host);
    wall->GeneratePyCurves = false;
    wall->EarthPressureKind = TEarthPressure::Trapezoidal;
    const std::string file = Save(*wall);
    EXPECT_EQ(file.substr(0, file.find("\r\n0\t0\t0\t0\t0\t1\t1\t0\r\n")),
              "New Wall\r\n1 0\t1\t0\t3\t0 0 1 0\r\n0 0\t100\t1E-5\t0\r\n0\t1\t1\t0\r\n0\r\n0");
    auto read = TProgramData::CreateFromFile(host, wall->FileName, TFileLayout::Current);
    EXPECT_FALSE(read->GeneratePyCurves);
    EXPECT_EQ(read->EarthPressureKind, TEarthPressure::Trapezoidal);
}

struct IntegerCase {
    const char* item;
    bool accepted;
};

class IntegerItemTest : public DataFileTest, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(IntegerItemTest, NodeCountMustBeWhole)
{
    std::string file = kNewWallFile;
    file.replace(file.find("0 0\t100"), 1, GetParam().item);
    auto wall = Load(file);
    if (GetParam().accepted) {
        EXPECT_TRUE(host.prompt.shown.empty());
        EXPECT_EQ(wall->NodeCount, 3);
    } else {
        EXPECT_EQ(host.prompt.shown, std::vector<std::string>{"Error on Line 3 Item 1\r"
                                                              "An integer was expected but not found."});
        EXPECT_EQ(wall->NodeCount, 0);
        EXPECT_EQ(wall->UnitSystem(), UnitSystem::English);
    }
}

INSTANTIATE_TEST_SUITE_P(Items, IntegerItemTest,
                         ::testing::Values(IntegerCase{"3", true}, IntegerCase{"3.0", true}, IntegerCase{"3E0", true},
                                           IntegerCase{"2.5", false}, IntegerCase{"2147483648", false},
                                           IntegerCase{"abc", false}));

TEST_F(DataFileTest, FileThatEndsEarlyKeepsWhatWasRead)
{
    auto wall = Load(CrLf({"Short", "2 0\t1\t0\t0\t2 0 1 0", "25 6\t0.5\t1E-6\t150", "0\t25\t1\t3E9"}));
    EXPECT_EQ(host.prompt.shown, std::vector<std::string>{"This file either invalid or incomplete."});
    EXPECT_EQ(wall->Title, "Short");
    EXPECT_EQ(wall->UnitSystem(), UnitSystem::SI);
    EXPECT_EQ(wall->NodeCount, 25);
    EXPECT_EQ(wall->WallHeight, 150);
    EXPECT_EQ(Table(WallTable::PileSect).Cell(1, 0).AsInteger(), 25);
    EXPECT_EQ(Table(WallTable::PileSect).Cell(3, 0).AsFloat(), 3e9L);
    // Defaults elsewhere, every table at least at its minimum.
    EXPECT_EQ(wall->ActivePressureFactor, 1);
    for (int i = 0; i < WallTables::Count; ++i)
        EXPECT_GE(host.tables.Table(i).RowCount(), host.tables.Table(i).MinRows());
    EXPECT_FALSE(host.modified);
}

TEST_F(DataFileTest, UnitSystemOutsideTheRangeIsTakenToTheNearest)
{
    std::string file = kNewWallFile;
    file.replace(file.find("1 0\t1"), 1, "7");
    auto wall = Load(file);
    EXPECT_TRUE(host.prompt.shown.empty());
    EXPECT_EQ(wall->UnitSystem(), UnitSystem::Generic);
    EXPECT_EQ(Table(WallTable::NewSoil).UnitSystem(), UnitSystem::Generic);
    EXPECT_EQ(wall->DataFileText().substr(0, 14), "New Wall\r\n3 0\t");
}

TEST_F(DataFileTest, FileThatCannotBeOpenedKeepsTheDefaults)
{
    const std::string path = dir.File("missing.tk4d");
    auto wall = TProgramData::CreateFromFile(host, path, TFileLayout::Current);
    ASSERT_EQ(host.prompt.shown.size(), 1u);
    EXPECT_EQ(host.prompt.shown[0], "Cannot open file " + path + ": No such file or directory");
    EXPECT_EQ(wall->FileName, path);
    EXPECT_EQ(wall->Title, "New Wall");
    EXPECT_EQ(wall->MaxDeflection, 100);
    EXPECT_EQ(Table(WallTable::NewSoil).RowCount(), 1);
}

TEST_F(DataFileTest, Version20ThicknessesAddUpToBottomDepths)
{
    auto wall = Load(kVersion20File, TFileLayout::Version20);
    EXPECT_TRUE(host.prompt.shown.empty()) << host.prompt.shown[0];
    TGridTable& soil = Table(WallTable::NewSoil);
    ASSERT_EQ(soil.RowCount(), 2);
    EXPECT_EQ(soil.Cell(1, 0).AsFloat(), 10);
    EXPECT_EQ(soil.Cell(1, 1).AsFloat(), 15);
    TGridTable* sand = soil.Cell(2, 0).AsTable();
    TGridTable* clay = soil.Cell(2, 1).AsTable();
    ASSERT_TRUE(sand && clay);
    EXPECT_EQ(sand->Caption(), "Sand");
    EXPECT_EQ(clay->Caption(), "Clay");
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(sand->Cell(0, row).AsFloat(), 0.07L);
        EXPECT_EQ(sand->Cell(1, row).AsFloat(), 30);
        EXPECT_EQ(sand->Cell(2, row).AsFloat(), 25);
        EXPECT_EQ(clay->Cell(0, row).AsFloat(), 0.06L);
        EXPECT_EQ(clay->Cell(1, row).AsFloat(), 5);
        EXPECT_EQ(clay->Cell(2, row).AsFloat(), 0.01L);
        EXPECT_EQ(clay->Cell(3, row).AsFloat(), 100);
    }
    EXPECT_EQ(wall->StageCount, 1);
    EXPECT_EQ(wall->EarthPressureKind, TEarthPressure::Triangular);
    EXPECT_TRUE(wall->GeneratePyCurves);
}

TEST_F(DataFileTest, Version30WithoutSurchargeDistanceHasNoSurchargeRows)
{
    auto wall = Load(Version30File("0"), TFileLayout::Version30);
    EXPECT_TRUE(host.prompt.shown.empty()) << host.prompt.shown[0];
    EXPECT_FALSE(wall->UseSurcharge);
    TGridTable& surcharge = Table(WallTable::SurchargeTable);
    ASSERT_EQ(surcharge.RowCount(), 1);
    EXPECT_EQ(surcharge.Cell(0, 0).AsInteger(), 1);
    EXPECT_EQ(surcharge.Cell(1, 0).AsFloat(), 0);
}

TEST_F(DataFileTest, Version30SurchargeLineBecomesThreeRows)
{
    auto wall = Load(Version30File("5"), TFileLayout::Version30);
    EXPECT_TRUE(host.prompt.shown.empty()) << host.prompt.shown[0];
    EXPECT_TRUE(wall->UseSurcharge);
    TGridTable& surcharge = Table(WallTable::SurchargeTable);
    ASSERT_EQ(surcharge.RowCount(), 3);
    const long double magnitudes[] = {100, 200, 300};
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(surcharge.Cell(0, r).AsInteger(), r + 1);
        EXPECT_EQ(surcharge.Cell(1, r).AsFloat(), magnitudes[r]);
        EXPECT_EQ(surcharge.Cell(2, r).AsFloat(), 5);
        EXPECT_EQ(surcharge.Cell(3, r).AsFloat(), 24);
    }
    // The layer depth and unit weight come back in feet and pounds per cubic foot.
    TGridTable& soil = Table(WallTable::NewSoil);
    EXPECT_EQ(soil.Cell(1, 0).AsFloat(), 10);
    EXPECT_EQ(FormatFloat8(soil.Cell(2, 0).AsTable()->Cell(0, 0).AsFloat()), "120.96");
    EXPECT_EQ(FormatFloat8(soil.Cell(2, 0).AsTable()->Cell(0, 1).AsFloat()), "138.24");
}

// A stage is read into the wall of another stage; what its file does not
// state must not come from that other stage.
TEST_F(DataFileTest, StageReadIntoAnotherStageKeepsNothingOfIt)
{
    auto wall = Load(Version30File("5"), TFileLayout::Version30);
    ASSERT_TRUE(wall->UseSurcharge && GeneratesPressure(wall->EarthPressureKind));
    std::string stage = Version30File("0");
    stage.replace(stage.find("0\t2\t2 0 1"), 9, "0\t0\t2 0 1");  // pressure option 0
    stage.replace(stage.size() - 3, 3, "2\r\n");
    const std::string path = dir.File("wall.st2");
    WriteBytes(path, stage);
    wall->StageFilesCurrent = false;  // a version 3.0 stage file
    ReadStageFile(*wall, path);
    EXPECT_TRUE(host.prompt.shown.empty()) << host.prompt.shown[0];
    EXPECT_FALSE(wall->UseSurcharge);
    EXPECT_EQ(wall->EarthPressureKind, TEarthPressure::None);
    EXPECT_TRUE(wall->GeneratePyCurves);
    EXPECT_EQ(Table(WallTable::SurchargeTable).RowCount(), 1);
    EXPECT_EQ(Table(WallTable::SurchargeTable).Cell(1, 0).AsFloat(), 0);

    // A stage without the soil section (pressure by the user, no p-y curves generated) has no surcharges.
    wall->StageFilesCurrent = true;
    wall->EarthPressureKind = TEarthPressure::ByUser;
    wall->GeneratePyCurves = false;
    wall->StageFileName = path;
    WriteStageFile(*wall);
    wall->UseSurcharge = true;
    ReadStageFile(*wall, path);
    EXPECT_FALSE(wall->UseSurcharge);
}

TEST_F(DataFileTest, EnglishUnitFactorsOfDistributedLoadsAndSoils)
{
    auto wall = TProgramData::CreateNew(host);
    wall->EarthPressureKind = TEarthPressure::ByUser;
    TGridTable& pressure = Table(WallTable::DistLoad);
    pressure.Cell(0, 1).SetAsFloat(10);    // ft
    pressure.Cell(1, 1).SetAsFloat(1200);  // lbs/ft
    TGridTable& soil = Table(WallTable::NewSoil);
    soil.SetRowCount(2);
    soil.Cell(0, 0).SetAsInteger(5);  // silt
    soil.Cell(1, 0).SetAsFloat(8);
    TGridTable& silt = *soil.Cell(2, 0).AsTable();
    silt.Cell(0, 0).SetAsFloat(120);   // unit weight, lbs/ft^3
    silt.Cell(1, 0).SetAsFloat(30);    // friction angle
    silt.Cell(2, 0).SetAsFloat(1440);  // cohesion, lbs/ft^2
    silt.Cell(3, 0).SetAsFloat(0.02L);
    silt.Cell(4, 0).SetAsFloat(90);
    soil.Cell(0, 1).SetAsInteger(7);  // weak rock
    soil.Cell(1, 1).SetAsFloat(20);
    TGridTable& rock = *soil.Cell(2, 1).AsTable();
    rock.Cell(0, 1).SetAsFloat(172.8L);
    rock.Cell(1, 1).SetAsFloat(500);  // psi already
    rock.Cell(2, 1).SetAsFloat(0.0005L);
    rock.Cell(3, 1).SetAsFloat(1E5L);
    rock.Cell(4, 1).SetAsFloat(50);

    const std::string file = Save(*wall);
    EXPECT_NE(file.find("1 0\t1\t0\t1\t2 0 1 0\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\n0\r\n0\r\n2\r\n0\t0\r\n120\t100\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("\r\n2\r\n5 96 \r\n0.069444444 10 30 0.02 90 0.0  \r\n0 0 0 0 0 0.0  \r\n"
                        "7 240 \r\n0 0 0.0  0 0 0 \r\n0.1 500 0.0  0.0005 100000 50 \r\n0\r\n"),
              std::string::npos)
        << file;

    auto read = TProgramData::CreateFromFile(host, wall->FileName, TFileLayout::Current);
    EXPECT_EQ(read->EarthPressureKind, TEarthPressure::ByUser);
    EXPECT_EQ(pressure.Cell(0, 1).AsFloat(), 10);
    EXPECT_EQ(pressure.Cell(1, 1).AsFloat(), 1200);
    EXPECT_EQ(FormatFloat8(soil.Cell(2, 0).AsTable()->Cell(2, 0).AsFloat()), "1440");
    EXPECT_EQ(FormatFloat8(soil.Cell(2, 1).AsTable()->Cell(0, 1).AsFloat()), "172.8");
}

TEST_F(DataFileTest, SiTablesAreWrittenWithoutFactors)
{
    auto wall = TProgramData::CreateNew(host);
    wall->SwitchUnits(UnitSystem::SI);
    wall->UsePyModifiers = true;
    Table(WallTable::PYMod).Cell(0, 0).SetAsFloat(2.5);
    const std::string file = Save(*wall);
    EXPECT_NE(file.find("2 0\t1\t2\t0\t2 0 1 0\r\n0 0\t2.54\t2.54E-7\t0\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("\r\n2.5\t1\t1\r\n0\t1\t1\r\n"), std::string::npos) << file;
}

TEST_F(DataFileTest, LongTermBlockFollowsTheMarker)
{
    auto wall = TProgramData::CreateNew(host);
    wall->LongTermAnalysis = true;
    wall->EarthPressureKind = TEarthPressure::Trapezoidal;
    Table(WallTable::LongSoil).Cell(1, 0).SetAsFloat(30);
    const std::string file = Save(*wall);
    const std::string longTerm = CrLf({"9", "New Wall", "1 0\t1\t0\t2\t2 0 1 0", "0 0\t100\t1E-5\t0", "0\t1\t1\t0",
                                       "0", "0", "0\t0\t0\t0\t0\t1\t1\t0", "0\t0\t0\t0\t0\t0", "0", "1", "1 360 ",
                                       "0 0 0.0  0 0 0.0  ", "0 0 0.0  0 0 0.0  ", "0"});
    ASSERT_GT(file.size(), longTerm.size());
    EXPECT_EQ(file.substr(file.size() - longTerm.size()), longTerm);
    EXPECT_NE(file.find("1 0\t1\t0\t3\t2 0 1 0"), std::string::npos);

    auto read = TProgramData::CreateFromFile(host, wall->FileName, TFileLayout::Current);
    EXPECT_TRUE(host.prompt.shown.empty()) << host.prompt.shown[0];
    EXPECT_TRUE(read->LongTermAnalysis);
    EXPECT_EQ(read->EarthPressureKind, TEarthPressure::Trapezoidal);
    EXPECT_EQ(Table(WallTable::LongSoil).Cell(1, 0).AsFloat(), 30);
}

TEST_F(DataFileTest, ExternalAndMomentCurvesWithTheirPoints)
{
    auto wall = TProgramData::CreateNew(host);
    wall->UseExternalPyCurves = wall->UseMeiCurves = true;
    wall->GeneratePyCurves = false;
    TGridTable& curves = Table(WallTable::PYCurves);
    curves.SetRowCount(1);
    curves.Cell(0, 0).SetAsInteger(12);
    curves.Cell(3, 0).SetAsFloat(0.8L);
    TGridTable& points = *curves.Cell(1, 0).AsTable();
    points.SetRowCount(3);
    for (int p = 0; p < 3; ++p) {
        points.Cell(0, p).SetAsFloat(p - 1);
        points.Cell(1, p).SetAsFloat(-100 * (p - 1));
    }
    TGridTable& mei = Table(WallTable::MEICurves);
    mei.Cell(0, 0).SetAsInteger(3);
    mei.Cell(1, 0).SetAsInteger(9);
    mei.Cell(2, 0).AsTable()->Cell(1, 0).SetAsFloat(4E9L);
    const std::string file = Save(*wall);
    EXPECT_NE(file.find("1 0\t1\t0\t0\t1 1 1 1\r\n"), std::string::npos) << file;
    const std::string tail = CrLf({"12\t3\t1\t0.8", "-1\t100", "0\t0", "1\t-100", "3\t9\t1", "0\t4E9", "0"});
    EXPECT_EQ(file.substr(file.size() - tail.size()), tail);

    auto read = TProgramData::CreateFromFile(host, wall->FileName, TFileLayout::Current);
    EXPECT_TRUE(read->UseExternalPyCurves);
    EXPECT_TRUE(read->UseMeiCurves);
    EXPECT_EQ(read->MeiCurveCount, 1);
    EXPECT_EQ(curves.Cell(3, 0).AsFloat(), 0.8L);
    EXPECT_EQ(curves.Cell(1, 0).AsTable()->Cell(1, 2).AsFloat(), -100);
    EXPECT_EQ(mei.Cell(2, 0).AsTable()->Cell(1, 0).AsFloat(), 4E9L);
}

TEST_F(DataFileTest, Version30CurvesHaveUnitMultipliers)
{
    auto wall = Load(CrLf({"Three", "1 0\t1\t0\t0\t1 1 1", "0 0\t100\t1E-5\t0", "0\t1\t1\t0", "0", "0",
                           "7\t2", "-1\t50", "1\t-50", "0"}),
                     TFileLayout::Version30);
    EXPECT_TRUE(host.prompt.shown.empty()) << host.prompt.shown[0];
    TGridTable& curves = Table(WallTable::PYCurves);
    ASSERT_EQ(curves.RowCount(), 2);  // one read, padded to the minimum
    EXPECT_EQ(curves.Cell(0, 0).AsInteger(), 7);
    EXPECT_EQ(curves.Cell(2, 0).AsFloat(), 1);
    EXPECT_EQ(curves.Cell(3, 0).AsFloat(), 1);
    EXPECT_EQ(curves.Cell(1, 0).AsTable()->Cell(1, 1).AsFloat(), -50);
    EXPECT_TRUE(wall->UseExternalPyCurves);
}

struct DamageCase {
    const char* name;
    const char* find;     // text of the new wall's file to replace
    const char* replace;  // its damaged form
    const char* message;
};

class DamagedCountTest : public DataFileTest, public ::testing::WithParamInterface<DamageCase> {};

// Counts are checked against the rest of the file before a row is made.
TEST_P(DamagedCountTest, IsReportedWithLineAndItem)
{
    std::string file = kNewWallFile;
    const auto at = file.find(GetParam().find);
    ASSERT_NE(at, std::string::npos);
    file.replace(at, std::string(GetParam().find).size(), GetParam().replace);
    auto wall = Load(file);
    EXPECT_EQ(host.prompt.shown, std::vector<std::string>{GetParam().message});
    for (int i = 0; i < WallTables::Count; ++i)
        EXPECT_LE(host.tables.Table(i).RowCount(), 10) << WallTables::Name(i);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, DamagedCountTest,
    ::testing::Values(
        DamageCase{"Restraints", "1 0\t1", "1 2147483647\t1",
                   "Error on Line 2 Item 2\rA row count of 2147483647 is more than the rest of the file holds."},
        DamageCase{"Stiffness", "1 0\t1\t0", "1 0\t99999\t0",
                   "Error on Line 2 Item 3\rA row count of 99999 is more than the rest of the file holds."},
        DamageCase{"Negative", "1 0\t1\t0", "1 0\t-4\t0", "Error on Line 2 Item 3\rA row count of -4 is not possible."},
        DamageCase{"Loads", "0\t1\t1\t0\r\n0\r\n", "0\t1\t1\t0\r\n2147483647\r\n",
                   "Error on Line 5 Item 1\rA row count of 2147483647 is more than the rest of the file holds."},
        DamageCase{"Layers", "0\r\n1\r\n1 0 ", "0\r\n2\r\n1 0 ",
                   "Error on Line 10 Item 1\rA row count of 2 is more than the rest of the file holds."},
        DamageCase{"StagesAbove", "2 0 1 0", "2 0 6 0",
                   "Error on Line 2 Item 8\rThe number of stages must be from 1 to 5; the file gives 6."},
        DamageCase{"StagesBelow", "2 0 1 0", "2 0 0 0",
                   "Error on Line 2 Item 8\rThe number of stages must be from 1 to 5; the file gives 0."},
        DamageCase{"EarthPressure", "1 0\t1\t0\t0\t2", "1 0\t1\t0\t4\t2",
                   "Error on Line 2 Item 5\rThe earth-pressure option must be from 0 to 3; the file gives 4."},
        DamageCase{"SoilType", "1\r\n1 0 ", "1\r\n8 0 ",
                   "Error on Line 11 Item 1\rA soil type from 1 to 7 was expected but not found."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataFileTest, CommaLocaleStillWritesFullStops)
{
    auto comma = std::make_unique<CommaLocale>();
    if (!comma->Active())
        GTEST_SKIP() << "no German locale installed";
    auto wall = TProgramData::CreateNew(host);
    wall->IncrementLength = 0.5;
    wall->ClosureTolerance = 1.25E-6L;
    const std::string file = Save(*wall);
    auto read = TProgramData::CreateFromFile(host, wall->FileName, TFileLayout::Current);
    comma.reset();
    EXPECT_NE(file.find("0 0.5\t100\t1.25E-6\t0\r\n"), std::string::npos);
    EXPECT_EQ(read->IncrementLength, 0.5);
    EXPECT_EQ(read->ClosureTolerance, 1.25E-6L);
}

}  // namespace
