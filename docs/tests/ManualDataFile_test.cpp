// The technical manual's example data file and settings file are what an
// engineer copies to write a wall with a script: the data file must read
// without a message by the engine and by the program, with the values its
// annotation states, and the program must write it back item for item; the
// settings must be those the program gives a new wall.
#include "engine/InputRanges.h"
#include "engine/WallFileReader.h"
#include "model/BatchHost.h"
#include "model/FileLayout.h"
#include "model/ProgramData.h"
#include "model/WallSettings.h"
#include "tables/GridTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The lines of the fenced block between the manual's markers "<!-- example
// `name`: begin -->" and "<!-- example `name`: end -->"; empty when not found.
std::string ManualExample(const std::string& name)
{
    const std::string manual = ReadAll(std::filesystem::path(TORVIK_SOURCE_DIR) / "docs/manual/technical-manual.md");
    const size_t begin = manual.find("<!-- example " + name + ": begin -->");
    const size_t end = manual.find("<!-- example " + name + ": end -->");
    if (begin == std::string::npos || end == std::string::npos || end < begin)
        return {};
    std::istringstream block(manual.substr(begin, end - begin));
    std::string line, text;
    bool inFence = false;
    while (std::getline(block, line)) {
        if (line.rfind("```", 0) == 0) {
            inFence = !inFence;
            continue;
        }
        if (inFence)
            text += line + "\r\n";
    }
    return text;
}

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

class ManualDataFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        text = ManualExample("data file");
        ASSERT_FALSE(text.empty()) << "the manual has no example data file between its markers";
        path = std::filesystem::temp_directory_path() /
               ("torvik-manual-example-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".tk4d");
        std::ofstream(path, std::ios::binary) << text;
    }
    void TearDown() override { std::filesystem::remove(path); }

    std::string text;
    std::filesystem::path path;
};

}  // namespace

TEST_F(ManualDataFile, TheEngineReadsTheExampleAsAnnotated)
{
    std::vector<WallFileBlock> blocks;
    ASSERT_NO_THROW(blocks = WallFileReader::Read(path.string()));
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].heading, "Analysis");
    const WallBlock& b = blocks[0].block;
    EXPECT_NO_THROW(CheckInputRanges(b));
    EXPECT_EQ(b.unitSystem, UnitSystem::SI);
    EXPECT_EQ(b.earthPressureOption, 2);
    EXPECT_EQ(b.pyCurveOption, 2);
    EXPECT_EQ(b.stageCount, 1);
    EXPECT_EQ(b.nodeCount, 40);
    EXPECT_DOUBLE_EQ(b.increment, 0.2);
    EXPECT_DOUBLE_EQ(b.wallHeight, 3);
    ASSERT_EQ(b.stiffness.size(), 1u);
    EXPECT_EQ(b.stiffness[0].from, 0);
    EXPECT_EQ(b.stiffness[0].to, 40);
    EXPECT_DOUBLE_EQ(b.stiffness[0].values.at(0), 50000);
    EXPECT_TRUE(b.restraints.empty() && b.loads.empty() && b.springs.empty() && b.surcharges.empty());
    EXPECT_DOUBLE_EQ(b.activeWidth, 1);
    EXPECT_DOUBLE_EQ(b.pyWidth, 1);
    EXPECT_DOUBLE_EQ(b.waterDepthBackfill, 10);
    ASSERT_EQ(b.layers.size(), 1u);
    EXPECT_EQ(b.layers[0].type, engine::SoilType::Sand);
    EXPECT_DOUBLE_EQ(b.layers[0].bottomDepth, 10);
    for (const engine::SoilParameters& p : {b.layers[0].top, b.layers[0].bottom}) {
        EXPECT_DOUBLE_EQ(p.unitWeight, 18);
        EXPECT_DOUBLE_EQ(p.frictionAngle, 32);
        EXPECT_DOUBLE_EQ(p.kpy, 24000);
    }
}

TEST_F(ManualDataFile, TheProgramOpensTheExampleWithoutAMessageAndWritesItBack)
{
    BatchHost host;
    std::vector<std::string> diagnostics;
    auto wall = TProgramData::CreateFromFile(host, path.string(), TFileLayout::Current, diagnostics);
    ASSERT_TRUE(wall);
    EXPECT_TRUE(diagnostics.empty()) << diagnostics.front();
    EXPECT_TRUE(host.prompt.shown.empty());
    EXPECT_EQ(wall->Title, "Cantilever sheet-pile wall in sand, 3 m excavation");
    EXPECT_EQ(wall->UnitSystem(), UnitSystem::SI);
    EXPECT_EQ(wall->NodeCount, 40);
    EXPECT_EQ(wall->StageCount, 1);
    EXPECT_FALSE(wall->LongTermAnalysis);
    EXPECT_TRUE(GeneratesPressure(wall->EarthPressureKind));
    EXPECT_TRUE(wall->GeneratePyCurves);
    // The program writes its own separators (tabs where the manual shows
    // spaces); the items and their order must be the manual's.
    EXPECT_EQ(Words(wall->DataFileText()), Words(text));
}

TEST(ManualSettingsFile, TheExampleIsWhatTheProgramGivesANewWall)
{
    const std::string text = ManualExample("settings file");
    ASSERT_FALSE(text.empty()) << "the manual has no example settings file between its markers";
    TWallSettings settings;
    ASSERT_NO_THROW(settings = ParseSettings(text, "the manual's example"));
    EXPECT_TRUE(settings == TWallSettings::ForNewWall());
}
