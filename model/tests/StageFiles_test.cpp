#include "WallTestSupport.h"
#include "WriteFault.h"
#include "model/BatchHost.h"
#include "model/DiskStamp.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "units/TorvikError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(bytes);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Header item `item` (1-based) of a block's second line.
std::string HeaderItem(const std::string& bytes, int item)
{
    std::istringstream words(Lines(bytes).at(1));
    std::string word;
    for (int i = 0; i < item; ++i)
        words >> word;
    return word;
}

// The lines of a stage file without its first and last lines.
std::vector<std::string> Body(const std::string& bytes)
{
    std::vector<std::string> lines = Lines(bytes);
    return std::vector<std::string>(lines.begin() + 1, lines.end() - 1);
}

class StageFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wall = TProgramData::CreateNew(host);
        wall->FileName = dir.File("wall.tk4d");
        wall->Title = "Cofferdam";
        wall->NodeCount = 100;
    }
    // The working copy of stage k.
    std::string Stage(int k) const { return ReadBytes(StageWorkPath(*wall, k)); }
    bool StageExists(int k) const { return std::filesystem::exists(StageWorkPath(*wall, k)); }
    // Stage file k beside the wall.
    std::string Beside(int k) const { return ReadBytes(StageFilePath(wall->FileName, k)); }
    bool BesideExists(int k) const { return std::filesystem::exists(StageFilePath(wall->FileName, k)); }

    TempDir dir;
    BatchHost host;
    std::unique_ptr<TProgramData> wall;
};

TEST(StageFilePath, ReplacesTheExtensionByTheStageNumber)
{
    EXPECT_EQ(StageFilePath("/walls/pier.tk4d", 3), "/walls/pier.st3");
    EXPECT_EQ(StageFilePath("old.tkd", 1), "old.st1");
}

TEST_F(StageFilesTest, ThreeStagesOnAWallOfOneWriteThreeMatchingStageFiles)
{
    ChangeStageCount(*wall, 3);

    ASSERT_TRUE(StageExists(1) && StageExists(2) && StageExists(3));
    EXPECT_FALSE(StageExists(4));
    EXPECT_EQ(Lines(Stage(1)).front(), "Cofferdam");
    EXPECT_EQ(Lines(Stage(2)).front(), " Stage No : 2");
    EXPECT_EQ(Lines(Stage(3)).front(), " Stage No : 3");
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(Lines(Stage(k)).back(), std::to_string(k));
        EXPECT_EQ(HeaderItem(Stage(k), 8), "3");
        EXPECT_EQ(Body(Stage(k)), Body(Stage(1)));
    }
    EXPECT_EQ(wall->CurrentStage, 1);
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(StageStatusText(*wall), "Construction Stage Number: 1");
}

TEST_F(StageFilesTest, ReducingFourStagesToTwoDeletesTheLastTwo)
{
    ChangeStageCount(*wall, 4);
    SelectStage(*wall, 3);
    ChangeStageCount(*wall, 2);

    EXPECT_TRUE(StageExists(1) && StageExists(2));
    EXPECT_FALSE(StageExists(3) || StageExists(4));
    EXPECT_EQ(wall->CurrentStage, 1);
    EXPECT_EQ(wall->Title, "Cofferdam");
    EXPECT_EQ(HeaderItem(Stage(1), 8), "2");
    EXPECT_EQ(HeaderItem(Stage(2), 8), "2");
}

TEST_F(StageFilesTest, OneStageDeletesEveryStageFileAndKeepsTheTitle)
{
    ChangeStageCount(*wall, 3);
    SelectStage(*wall, 2);
    ChangeStageCount(*wall, 1);

    for (int k = 1; k <= 5; ++k)
        EXPECT_FALSE(StageExists(k)) << k;
    EXPECT_EQ(wall->Title, "Cofferdam");
    EXPECT_EQ(StageStatusText(*wall), "");
}

TEST_F(StageFilesTest, EachStageKeepsItsOwnValues)
{
    ChangeStageCount(*wall, 2);
    SelectStage(*wall, 2);
    EXPECT_EQ(wall->Title, " Stage No : 2");
    wall->NodeCount = 150;
    SelectStage(*wall, 1);
    EXPECT_EQ(wall->NodeCount, 100);
    EXPECT_EQ(wall->Title, "Cofferdam");
    SelectStage(*wall, 2);
    EXPECT_EQ(wall->NodeCount, 150);
}

TEST_F(StageFilesTest, SwitchingStagesKeepsTheModifiedState)
{
    ChangeStageCount(*wall, 2);
    for (bool modified : {true, false}) {
        host.modified = modified;
        EXPECT_TRUE(SelectStage(*wall, 2));
        EXPECT_TRUE(SelectStage(*wall, 1));
        EXPECT_EQ(host.modified, modified);
    }
    EXPECT_FALSE(SelectStage(*wall, 1)) << "the current stage";
    EXPECT_FALSE(SelectStage(*wall, 3)) << "beyond the stage count";
}

TEST_F(StageFilesTest, CopyPreviousStageCopiesAllButTheFirstAndLastLines)
{
    ChangeStageCount(*wall, 3);
    SelectStage(*wall, 2);
    wall->NodeCount = 120;
    SelectStage(*wall, 3);
    wall->NodeCount = 180;

    host.prompt.answers = {Prompt::Answer::No};
    EXPECT_FALSE(CopyPreviousStage(*wall));
    EXPECT_EQ(wall->NodeCount, 180);

    host.prompt.answers = {Prompt::Answer::Yes};
    host.modified = false;
    EXPECT_TRUE(CopyPreviousStage(*wall));
    EXPECT_TRUE(host.modified) << "the copy is a change to save";
    EXPECT_EQ(host.prompt.shown.back(), "Do you want to copy all information from Stage 2 to Stage 3");
    EXPECT_EQ(wall->NodeCount, 120);
    EXPECT_EQ(wall->CurrentStage, 3);
    EXPECT_EQ(Body(Stage(3)), Body(Stage(2)));
    EXPECT_EQ(Lines(Stage(3)).front(), " Stage No : 3");
    EXPECT_EQ(Lines(Stage(3)).back(), "3");
}

TEST_F(StageFilesTest, StageCountChangeKeepsUnsavedEditsOfTheCurrentStage)
{
    ChangeStageCount(*wall, 2);
    SelectStage(*wall, 2);
    wall->NodeCount = 77;  // not yet in its stage file
    ChangeStageCount(*wall, 3);

    EXPECT_EQ(wall->CurrentStage, 2);
    EXPECT_EQ(wall->NodeCount, 77);
    SelectStage(*wall, 3);
    EXPECT_EQ(wall->NodeCount, 77) << "a new stage starts as a copy of the last one";
}

TEST_F(StageFilesTest, StageCountOutsideOneToFiveIsRefused)
{
    EXPECT_THROW(ChangeStageCount(*wall, 0), EAssignError);
    EXPECT_THROW(ChangeStageCount(*wall, 6), EAssignError);
    EXPECT_EQ(wall->StageCount, 1);
}

TEST_F(StageFilesTest, StagedDataFileSplitAndJoinedGivesBackItsLines)
{
    ChangeStageCount(*wall, 3);
    SelectStage(*wall, 3);
    wall->NodeCount = 60;
    SaveStagedWall(*wall);
    const std::string joined = ReadBytes(wall->FileName);
    EXPECT_EQ(joined, Stage(1) + Stage(2) + Stage(3));

    auto opened = TProgramData::CreateFromFile(host, wall->FileName, TFileLayout::Current);
    ASSERT_EQ(opened->StageCount, 3);
    EXPECT_EQ(opened->Title, "Cofferdam");
    EXPECT_EQ(opened->NodeCount, 100);
    for (int k = 1; k <= 3; ++k)
        std::filesystem::remove(StageFilePath(wall->FileName, k));
    OpenStagedWall(*opened);
    EXPECT_TRUE(host.prompt.shown.empty());
    WriteStagedDataFile(*opened, opened->FileName, opened->FileName);
    EXPECT_EQ(ReadBytes(opened->FileName), joined);
    EXPECT_TRUE(SelectStage(*opened, 3));
    EXPECT_EQ(opened->NodeCount, 60);
}

TEST_F(StageFilesTest, SaveAsMovesTheStageFiles)
{
    ChangeStageCount(*wall, 2);
    const std::string a = wall->FileName;
    const std::string b = dir.File("b.tk4d");
    SaveStagedWallAs(*wall, b);

    EXPECT_EQ(wall->FileName, b);
    EXPECT_EQ(wall->PreviousFileName, a);
    EXPECT_TRUE(std::filesystem::exists(dir.File("b.st1")) && std::filesystem::exists(dir.File("b.st2")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("wall.st1")) || std::filesystem::exists(dir.File("wall.st2")));
    EXPECT_EQ(ReadBytes(b), ReadBytes(dir.File("b.st1")) + ReadBytes(dir.File("b.st2")));
}

TEST_F(StageFilesTest, StagedSaveWithoutItsStageFilesFails)
{
    ChangeStageCount(*wall, 2);
    std::filesystem::remove(StageWorkPath(*wall, 2));
    WriteBytes(wall->FileName, "previous\r\n");
    EXPECT_THROW(WriteStagedDataFile(*wall, wall->FileName, wall->FileName), EInOutError);
    EXPECT_EQ(ReadBytes(wall->FileName), "previous\r\n");
}

TEST_F(StageFilesTest, DamagedStagedFileFillsItsMissingStages)
{
    ChangeStageCount(*wall, 3);
    SaveStagedWall(*wall);
    // Keep stage 1 only, with the header still saying three stages.
    WriteBytes(wall->FileName, Stage(1));

    auto opened = TProgramData::CreateFromFile(host, wall->FileName, TFileLayout::Current);
    ASSERT_EQ(opened->StageCount, 3);
    OpenStagedWall(*opened);
    ASSERT_EQ(host.prompt.shown.size(), 1u);
    EXPECT_EQ(host.prompt.shown[0],
              "The data file holds 1 of its 3 construction stages.\rStages 2 to 3 start as copies of stage 1.");
    for (int k = 1; k <= 3; ++k)
        EXPECT_TRUE(BesideExists(k)) << k;
    EXPECT_EQ(Lines(Beside(3)).front(), " Stage No : 3");
    EXPECT_EQ(Body(Beside(3)), Body(Beside(1)));
    EXPECT_EQ(opened->CurrentStage, 1);
}

TEST_F(StageFilesTest, DamagedStageFileIsReportedAndPadded)
{
    ChangeStageCount(*wall, 2);
    WriteBytes(StageWorkPath(*wall, 2), " Stage No : 2\r\n1 0\r\n");
    host.modified = true;
    SelectStage(*wall, 2);
    ASSERT_EQ(host.prompt.shown.size(), 1u);
    EXPECT_NE(host.prompt.shown[0].find("invalid or incomplete"), std::string::npos) << host.prompt.shown[0];
    EXPECT_TRUE(host.modified);
}

// The wall's folder refuses writes: the stages are still switched and edited,
// and Save As puts the whole wall elsewhere. A disk with room for part of the
// wall saves none of it and leaves the wall modified.
TEST_F(StageFilesTest, StagesAreEditedPrivatelyAndTheWallIsSavedWholeOrNotAtAll)
{
    ChangeStageCount(*wall, 3);
    const std::string walls = dir.File("wall.");
    {
        const WriteFaultIn readOnly(walls, EACCES);
        SelectStage(*wall, 2);
        wall->NodeCount = 120;
        SelectStage(*wall, 1);
        EXPECT_TRUE(SelectStage(*wall, 2));
        EXPECT_EQ(wall->NodeCount, 120);
        EXPECT_FALSE(BesideExists(1) || BesideExists(2)) << "nothing is written beside the wall before Save";
    }
    {
        const WriteFaultIn full(walls, ENOSPC, "wall.st2");
        host.modified = true;
        try {
            SaveStagedWall(*wall);
            ADD_FAILURE() << "saved";
        } catch (const EInOutError& e) {
            EXPECT_EQ(std::string(e.what()), "The file \"" + StageFilePath(wall->FileName, 2) +
                                                 "\" could not be written: No space left on device\rWritten: none."
                                                 "\rNot written: " + wall->FileName + ", " +
                                                 StageFilePath(wall->FileName, 1) + ", " +
                                                 StageFilePath(wall->FileName, 2) + ", " +
                                                 StageFilePath(wall->FileName, 3) + ".");
        }
        EXPECT_TRUE(host.modified);
        EXPECT_FALSE(std::filesystem::exists(wall->FileName) || BesideExists(1));
    }
    const WriteFaultIn readOnly(walls, EACCES);
    std::filesystem::create_directory(dir.path / "elsewhere");
    const std::string other = (dir.path / "elsewhere" / "b.tk4d").string();
    SaveStagedWallAs(*wall, other);
    EXPECT_EQ(wall->FileName, other);
    EXPECT_FALSE(host.modified);
    EXPECT_EQ(ReadBytes(other), Beside(1) + Beside(2) + Beside(3));
    EXPECT_EQ(Lines(Beside(2)).front(), " Stage No : 2");
}

// A second instance that opens the wall writes nothing that the first one edits.
TEST_F(StageFilesTest, ASecondInstanceOpeningTheWallLeavesTheFirstOnesStagesAlone)
{
    ChangeStageCount(*wall, 2);
    SaveStagedWall(*wall);
    const std::string saved = Beside(2);
    SelectStage(*wall, 2);
    wall->NodeCount = 150;  // not saved
    SelectStage(*wall, 1);

    // The second instance (sharing this test's tables, which both walls fill alike).
    auto second = TProgramData::CreateFromFile(host, wall->FileName, TFileLayout::Current);
    OpenStagedWall(*second);
    SelectStage(*second, 2);
    second->NodeCount = 90;
    SelectStage(*second, 1);

    EXPECT_EQ(Beside(2), saved);
    SelectStage(*wall, 2);
    EXPECT_EQ(wall->NodeCount, 150);
}

// A save cut off between the data file and its stage files: the data file is
// what was saved, and opening makes the stage files agree with it.
TEST_F(StageFilesTest, OpeningMakesTheStageFilesAgreeWithTheDataFile)
{
    ChangeStageCount(*wall, 3);
    SaveStagedWall(*wall);
    const std::string second = Beside(2);
    WriteBytes(StageFilePath(wall->FileName, 2), "cut off");
    WriteBytes(StageFilePath(wall->FileName, 4), "left from a wall of four stages");

    auto opened = TProgramData::CreateFromFile(host, wall->FileName, TFileLayout::Current);
    OpenStagedWall(*opened);
    EXPECT_EQ(Beside(2), second);
    EXPECT_FALSE(BesideExists(4));
    EXPECT_TRUE(host.prompt.shown.empty());
}

// A save cut off after the data file and two stage files were in place: the
// data file is this instance's own, and the next Save does not take it for
// another program's.
TEST_F(StageFilesTest, APartlyFailedSaveKnowsTheDataFileItWrote)
{
    ChangeStageCount(*wall, 3);
    SaveStagedWall(*wall);
    std::filesystem::remove(StageFilePath(wall->FileName, 3));
    std::filesystem::create_directories(std::filesystem::path(StageFilePath(wall->FileName, 3)) / "in the way");
    wall->NodeCount = 130;
    host.modified = true;
    try {
        SaveStagedWall(*wall);
        ADD_FAILURE() << "saved";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("\rWritten: " + wall->FileName + ", " + StageFilePath(wall->FileName, 1) +
                                             ", " + StageFilePath(wall->FileName, 2) +
                                             ".\rNot written: " + StageFilePath(wall->FileName, 3) + "."),
                  std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(host.modified);
    EXPECT_FALSE(ChangedSince(wall->FileName, wall->DiskStamp));
}

// A file-size limit that every write meets: the save names the wall's own
// data file, never a working copy of the program's private folder.
TEST_F(StageFilesTest, AFailedSaveNamesTheWallsFilesNotItsWorkingCopies)
{
    ChangeStageCount(*wall, 2);
    SetWriteFault([](const std::string&) { return EFBIG; });
    try {
        SaveStagedWall(*wall);
        ADD_FAILURE() << "saved";
    } catch (const EInOutError& e) {
        EXPECT_EQ(
            std::string(e.what()).rfind("The file \"" + wall->FileName + "\" could not be written: File too large", 0),
            0u)
            << e.what();
        EXPECT_EQ(std::string(e.what()).find(wall->StageFolder.Path()), std::string::npos) << e.what();
    }
    SetWriteFault(nullptr);
    EXPECT_TRUE(host.modified);
}

}  // namespace
