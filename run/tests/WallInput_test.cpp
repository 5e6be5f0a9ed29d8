// The engine's input taken from the open wall must be what the engine reads
// from the wall's data file: for every wall the program and its tests ship,
// opened in the program (every stage in turn the open one), and for a wall
// edited since it was opened, whose data file would drop the rows of
// switched-off options and round its values to the digits the file holds.
#include "run/WallInput.h"

#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "model/WordReader.h"
#include "tables/Data.h"
#include "tables/GridTable.h"
#include "model/WallBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

void ExpectSameParameters(const engine::SoilParameters& a, const engine::SoilParameters& b)
{
    for (double engine::SoilParameters::*field :
         {&engine::SoilParameters::unitWeight, &engine::SoilParameters::cohesion,
          &engine::SoilParameters::frictionAngle, &engine::SoilParameters::e50, &engine::SoilParameters::kpy,
          &engine::SoilParameters::compressiveStrength, &engine::SoilParameters::krm,
          &engine::SoilParameters::rockModulus, &engine::SoilParameters::rqd})
        EXPECT_EQ(a.*field, b.*field);
}

void ExpectSameRanges(const std::vector<RangeRow>& a, const std::vector<RangeRow>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].choice, b[i].choice);
        EXPECT_EQ(a[i].from, b[i].from);
        EXPECT_EQ(a[i].to, b[i].to);
        EXPECT_EQ(a[i].values, b[i].values);
    }
}

// Every field of two blocks, exactly.
void ExpectSameBlock(const WallBlock& a, const WallBlock& b)
{
    EXPECT_EQ(a.title, b.title);
    EXPECT_EQ(a.unitSystem, b.unitSystem);
    EXPECT_EQ(a.earthPressureOption, b.earthPressureOption);
    EXPECT_EQ(a.pyCurveOption, b.pyCurveOption);
    EXPECT_EQ(a.stageCount, b.stageCount);
    EXPECT_EQ(a.nodeCount, b.nodeCount);
    for (double WallBlock::*field :
         {&WallBlock::increment, &WallBlock::maxDeflection, &WallBlock::tolerance, &WallBlock::wallHeight,
          &WallBlock::activeWidth, &WallBlock::pyWidth, &WallBlock::waterDepthBackfill,
          &WallBlock::waterDepthExcavation, &WallBlock::activePressureFactor, &WallBlock::backfillSlope,
          &WallBlock::topSurcharge})
        EXPECT_EQ(a.*field, b.*field);
    EXPECT_EQ(a.configurationCode, b.configurationCode);
    ASSERT_EQ(a.restraints.size(), b.restraints.size());
    for (size_t i = 0; i < a.restraints.size(); ++i) {
        EXPECT_EQ(a.restraints[i].kind, b.restraints[i].kind);
        EXPECT_EQ(a.restraints[i].node, b.restraints[i].node);
        EXPECT_EQ(a.restraints[i].deflection, b.restraints[i].deflection);
        EXPECT_EQ(a.restraints[i].slope, b.restraints[i].slope);
    }
    ExpectSameRanges(a.stiffness, b.stiffness);
    ExpectSameRanges(a.loads, b.loads);
    ExpectSameRanges(a.springs, b.springs);
    ASSERT_EQ(a.modifiers.size(), b.modifiers.size());
    for (size_t i = 0; i < a.modifiers.size(); ++i) {
        EXPECT_EQ(a.modifiers[i].depth, b.modifiers[i].depth);
        EXPECT_EQ(a.modifiers[i].pMultiplier, b.modifiers[i].pMultiplier);
        EXPECT_EQ(a.modifiers[i].yMultiplier, b.modifiers[i].yMultiplier);
    }
    ASSERT_EQ(a.userLoads.size(), b.userLoads.size());
    for (size_t i = 0; i < a.userLoads.size(); ++i) {
        EXPECT_EQ(a.userLoads[i].depth, b.userLoads[i].depth);
        EXPECT_EQ(a.userLoads[i].load, b.userLoads[i].load);
    }
    ASSERT_EQ(a.surcharges.size(), b.surcharges.size());
    for (size_t i = 0; i < a.surcharges.size(); ++i) {
        EXPECT_EQ(a.surcharges[i].type, b.surcharges[i].type);
        EXPECT_EQ(a.surcharges[i].magnitude, b.surcharges[i].magnitude);
        EXPECT_EQ(a.surcharges[i].distance, b.surcharges[i].distance);
        EXPECT_EQ(a.surcharges[i].width, b.surcharges[i].width);
    }
    ASSERT_EQ(a.layers.size(), b.layers.size());
    for (size_t i = 0; i < a.layers.size(); ++i) {
        EXPECT_EQ(a.layers[i].type, b.layers[i].type);
        EXPECT_EQ(a.layers[i].bottomDepth, b.layers[i].bottomDepth);
        ExpectSameParameters(a.layers[i].top, b.layers[i].top);
        ExpectSameParameters(a.layers[i].bottom, b.layers[i].bottom);
    }
    ASSERT_EQ(a.externalCurves.size(), b.externalCurves.size());
    for (size_t i = 0; i < a.externalCurves.size(); ++i) {
        EXPECT_EQ(a.externalCurves[i].node, b.externalCurves[i].node);
        EXPECT_EQ(a.externalCurves[i].points, b.externalCurves[i].points);
        EXPECT_EQ(a.externalCurves[i].pMultiplier, b.externalCurves[i].pMultiplier);
        EXPECT_EQ(a.externalCurves[i].yMultiplier, b.externalCurves[i].yMultiplier);
    }
    ASSERT_EQ(a.meiCurves.size(), b.meiCurves.size());
    for (size_t i = 0; i < a.meiCurves.size(); ++i) {
        EXPECT_EQ(a.meiCurves[i].from, b.meiCurves[i].from);
        EXPECT_EQ(a.meiCurves[i].to, b.meiCurves[i].to);
        EXPECT_EQ(a.meiCurves[i].points, b.meiCurves[i].points);
    }
}

void ExpectSameBlocks(const std::vector<WallFileBlock>& a, const std::vector<WallFileBlock>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(a[i].heading);
        EXPECT_EQ(a[i].heading, b[i].heading);
        ExpectSameBlock(a[i].block, b[i].block);
    }
}

// The data files of the examples and of the tests' data folders.
std::vector<fs::path> ShippedWalls()
{
    std::vector<fs::path> folders{fs::path(TORVIK_SOURCE_DIR) / "examples"};
    for (const fs::directory_entry& top : fs::directory_iterator(TORVIK_SOURCE_DIR))
        if (fs::is_directory(top.path() / "tests" / "data"))
            folders.push_back(top.path() / "tests" / "data");
    std::vector<fs::path> walls;
    for (const fs::path& folder : folders)
        for (const fs::directory_entry& file : fs::directory_iterator(folder))
            if (file.path().extension() == ".tk4d")
                walls.push_back(file.path());
    return walls;
}

// A wall with a short-term and a long-term case, in English units, whose
// depths, unit weights and cohesions the tables show in other units than the
// file's, with a layer of every kind of soil that no example has.
std::string SaveLongTermWall(const fs::path& folder)
{
    WallBuilder w(UnitSystem::English, 60, 3.0);
    w.Stiffness(0, 60, 29.0e6 * 84.4);
    w.Generated(TEarthPressure::Triangular, 120.0, 12.0, 12.0);
    w.Layer(1, 5.0, {110, 500, 0.02, 0}, {115, 700, 0.01, 0});
    w.Layer(5, 8.0, {115, 28, 300, 0.01, 50}, {118, 29, 350, 0.01, 60});
    w.Layer(6, 11.0, {140, 2000}, {145, 2500});
    w.Layer(7, 30.0, {140, 1500, 0.0005, 90000, 60}, {145, 1800, 0.0005, 95000, 70});
    w.Layer(4, 30.0, {115, 30, 60}, {120, 30, 60}, WallTable::LongSoil);
    w.wall->LongTermAnalysis = true;
    const std::string path = (folder / "long-term.tk4d").string();
    w.Save(path);
    return path;
}

class WallInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("wall-input-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
};

// The data file the program would save of the wall at `path` just opened.
std::string SavedText(const fs::path& path)
{
    BatchHost host;
    std::vector<std::string> messages;
    std::unique_ptr<TProgramData> wall =
        TProgramData::CreateFromFile(host, path.string(), TFileLayout::Current, messages);
    if (wall->StageCount <= 1)
        return wall->DataFileText();
    OpenStagedWall(*wall);
    std::string text;
    for (const std::string& stage : OpenStageTexts(*wall))
        text += stage;
    return text;
}

std::string FileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Where the program saves a wall just opened as it was read (every example),
// the input taken from the open wall is what the engine reads from its file;
// where it reads the file into other options (generated p-y curves without
// earth pressure are switched off), it is what the engine reads from the
// file the program would save.
TEST_F(WallInputTest, EqualsWhatTheEngineReadsFromEveryShippedWall)
{
    std::vector<fs::path> walls = ShippedWalls();
    walls.push_back(SaveLongTermWall(folder));
    int staged = 0, longTerm = 0, savedAsRead = 0;
    for (const fs::path& path : walls) {
        SCOPED_TRACE(path.string());
        const std::string saved = SavedText(path);
        if (path.parent_path().filename() == "examples") {
            EXPECT_EQ(saved, FileText(path));
        }
        TWordReader savedReader = TWordReader::FromText(saved);
        const std::vector<WallFileBlock> read =
            saved == FileText(path) ? WallFileReader::Read(path.string()) : WallFileReader::Read(savedReader);
        savedAsRead += saved == FileText(path);
        BatchHost host;
        std::vector<std::string> messages;
        std::unique_ptr<TProgramData> wall =
            TProgramData::CreateFromFile(host, path.string(), TFileLayout::Current, messages);
        ASSERT_EQ(messages, std::vector<std::string>());
        if (wall->StageCount > 1) {
            ++staged;
            OpenStagedWall(*wall);
        }
        longTerm += wall->LongTermAnalysis;
        for (int stage = 1; stage <= wall->StageCount; ++stage) {
            SCOPED_TRACE("open at stage " + std::to_string(stage));
            SelectStage(*wall, stage);
            ExpectSameBlocks(read, WallInput(*wall));
        }
    }
    EXPECT_GE(savedAsRead, 6);
    EXPECT_GE(staged, 2);
    EXPECT_EQ(longTerm, 1);
}

// Edits since the wall was opened: switched-off springs and concentrated
// loads keep their rows in the tables but not in the data file, and a third
// typed into a cell is saved with eight digits.
TEST_F(WallInputTest, EqualsTheSavedFileOfAnEditedWallAndLeavesTheWallAsItIs)
{
    BatchHost host;
    std::vector<std::string> messages;
    std::unique_ptr<TProgramData> wall = TProgramData::CreateFromFile(
        host, std::string(TORVIK_SOURCE_DIR) + "/examples/anchored-soft-clay.tk4d", TFileLayout::Current, messages);
    ASSERT_EQ(messages, std::vector<std::string>());
    ASSERT_GT(host.tables[WallTable::Springs].RowCount(), 0);
    wall->UseSprings = false;
    wall->UseConcentratedLoads = false;
    host.tables[WallTable::ConcentratedLoads].SetRowCount(1);
    host.tables[WallTable::ConcentratedLoads].Cell(3, 0).SetAsFloat(5);
    host.tables[WallTable::PileSect].Cell(3, 0).SetText("1/3");
    host.tables[WallTable::NewSoil].Cell(1, 0).SetText("40/3");
    wall->IncrementLength = 1.0L / 4.0L;

    const std::vector<WallFileBlock> input = WallInput(*wall);
    EXPECT_EQ(host.tables[WallTable::Springs].RowCount(), 1);
    EXPECT_EQ(host.tables[WallTable::ConcentratedLoads].RowCount(), 1);
    TWordReader saved = TWordReader::FromText(wall->DataFileText());
    const std::vector<WallFileBlock> read = WallFileReader::Read(saved);
    ExpectSameBlocks(read, input);
    ASSERT_FALSE(input.empty());
    EXPECT_EQ(input.front().block.stiffness.front().values.front(), 0.33333333);
    EXPECT_TRUE(input.front().block.springs.empty());
}

}  // namespace
