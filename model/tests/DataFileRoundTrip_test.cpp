// Property: a random wall written, read and written again gives the same bytes.
#include "SampleWalls.h"
#include "model/StageFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(DataFileRoundTripTest, RandomWallsWrittenReadAndWrittenAgainAreIdentical)
{
    TempDir dir;
    BatchHost host;
    const std::string first = dir.File("first.tk4d");
    int longTerm = 0, english = 0, si = 0, userPressure = 0, trapezoidal = 0, soilSections = 0;
    for (unsigned seed = 1; seed <= 1000; ++seed) {
        RandomWall random(host, seed);
        auto wall = random.Make();
        // The text of the save, placed without the disk flush of a real save.
        const std::string written = wall->DataFileText();
        WriteBytes(first, written);
        longTerm += wall->LongTermAnalysis;
        english += wall->UnitSystem() == UnitSystem::English;
        si += wall->UnitSystem() == UnitSystem::SI;
        userPressure += wall->EarthPressureKind == TEarthPressure::ByUser;
        trapezoidal += wall->EarthPressureKind == TEarthPressure::Trapezoidal;
        soilSections += GeneratesPressure(wall->EarthPressureKind) || wall->PyCurveOption == 2;

        auto read = TProgramData::CreateFromFile(host, first, TFileLayout::Current);
        ASSERT_TRUE(host.prompt.shown.empty()) << "seed " << seed << ": " << host.prompt.shown[0];
        ASSERT_EQ(read->DataFileText(), written) << "seed " << seed;
    }
    // The draw covers what it should.
    EXPECT_GT(longTerm, 300);
    EXPECT_GT(english, 200);
    EXPECT_GT(si, 200);
    EXPECT_GT(userPressure, 150);
    EXPECT_GT(trapezoidal, 150);
    EXPECT_GT(soilSections, 400);
}

// A staged wall of random stages, saved, opened (split into its stage files),
// stepped through every stage and saved again gives the same staged data file.
TEST(DataFileRoundTripTest, RandomStagedWallsSavedOpenedAndSavedAgainAreIdentical)
{
    TempDir dir;
    BatchHost host;
    const std::string first = dir.File("first.tk4d");
    const std::string second = dir.File("second.tk4d");
    for (unsigned seed = 1; seed <= 60; ++seed) {
        RandomWall random(host, seed);
        auto wall = random.Make();
        const int stages = 2 + static_cast<int>(seed % 4);
        wall->StageCount = 1;
        wall->FileName = first;
        ChangeStageCount(*wall, stages);
        for (int k = 1; k <= stages; ++k) {
            SelectStage(*wall, k);
            random.Randomize(*wall);
            if (k > 1)
                wall->Title = " Stage No : " + std::to_string(k);
        }
        SaveStagedWall(*wall);
        const std::string written = ReadBytes(first);

        WriteBytes(second, written);
        auto read = TProgramData::CreateFromFile(host, second, TFileLayout::Current);
        OpenStagedWall(*read);
        for (int k = 2; k <= stages; ++k)
            SelectStage(*read, k);
        SelectStage(*read, 1);
        ASSERT_TRUE(host.prompt.shown.empty()) << "seed " << seed << ": " << host.prompt.shown[0];
        SaveStagedWall(*read);
        ASSERT_EQ(ReadBytes(second), written) << "seed " << seed;
    }
}

}  // namespace
