#include "model/BatchHost.h"
#include "model/ProgramData.h"
#include "model/StageFiles.h"
#include "model/UndoHistory.h"
#include "model/WallState.h"
#include "SampleWalls.h"
#include "WallTestSupport.h"

#include <gtest/gtest.h>

namespace {

TUndoStep Step(const std::string& caption, std::size_t bytes = 2)
{
    return {caption, 1, std::string(bytes / 2, 'b'), std::string(bytes - bytes / 2, 'a')};
}

TEST(UndoHistory, WalksBackAndForthAndANewStepDropsWhatWasUndone)
{
    TUndoHistory history;
    EXPECT_EQ(history.UndoText(), "Undo");
    EXPECT_EQ(history.RedoText(), "Redo");
    EXPECT_EQ(history.Undo(), nullptr);
    history.Push(Step("Free Height of Wall"));
    history.Push(Step("Add Row in Soil Layers"));
    EXPECT_EQ(history.UndoText(), "Undo Add Row in Soil Layers");
    EXPECT_EQ(history.Undo()->Caption, "Add Row in Soil Layers");
    EXPECT_EQ(history.RedoText(), "Redo Add Row in Soil Layers");
    EXPECT_EQ(history.UndoText(), "Undo Free Height of Wall");
    history.Push(Step("Earth Pressure: Trapezoidal"));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Steps(), 2u);
    EXPECT_EQ(history.Undo()->Caption, "Earth Pressure: Trapezoidal");
    EXPECT_EQ(history.Redo()->Caption, "Earth Pressure: Trapezoidal");
    EXPECT_EQ(history.Redo(), nullptr);
}

TEST(UndoHistory, KnowsTheSavedPositionUntilTheStepsToItAreGone)
{
    TUndoHistory history;
    EXPECT_TRUE(history.AtSaved());
    history.Push(Step("a"));
    EXPECT_FALSE(history.AtSaved());
    history.Undo();
    EXPECT_TRUE(history.AtSaved());
    history.Redo();
    history.MarkSaved();
    history.Undo();
    EXPECT_FALSE(history.AtSaved());
    // A new step replaces the one that led to the saved state: it is out of reach.
    history.Push(Step("b"));
    history.Undo();
    EXPECT_FALSE(history.AtSaved());
    history.Redo();
    EXPECT_FALSE(history.AtSaved());
}

TEST(UndoHistory, KeepsAtMostTwoHundredStepsAndSixteenMegabytes)
{
    TUndoHistory history;
    for (int i = 0; i < 250; ++i)
        history.Push(Step(std::to_string(i)));
    EXPECT_EQ(history.Steps(), TUndoHistory::MaxSteps);
    EXPECT_EQ(history.UndoText(), "Undo 249");
    for (int i = 0; i < 5; ++i)
        history.Push(Step("big", 5u << 20));
    EXPECT_LE(history.Bytes(), TUndoHistory::MaxBytes);
    EXPECT_EQ(history.Steps(), 3u);
    // The position of a new wall was dropped with the oldest steps.
    while (history.Undo()) {
    }
    EXPECT_FALSE(history.AtSaved());
}

class WallStateTest : public ::testing::Test {
protected:
    TempDir dir;
    BatchHost host;
};

TEST_F(WallStateTest, PutsBackEveryValueOptionAndTableOfAnUnstagedWall)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        RandomWall random(host, seed);
        std::unique_ptr<TProgramData> wall = random.Make();
        wall->StageCount = 1;
        const std::string state = TakeWallState(*wall);
        const std::string text = wall->DataFileText();
        const TEarthPressure kind = wall->EarthPressureKind;
        wall->SwitchUnits(NormalizeUnitSystem(UnitSystemCode(wall->UnitSystem()) % 3 + 1));
        random.Randomize(*wall);
        host.modified = true;
        RestoreWallState(*wall, state);
        EXPECT_EQ(wall->DataFileText(), text) << seed;
        EXPECT_EQ(wall->EarthPressureKind, kind) << seed;
        EXPECT_TRUE(host.modified) << "the caller decides the modified state";
    }
}

TEST_F(WallStateTest, PutsBackTheStagesAndMakesTheStateStageCurrent)
{
    std::unique_ptr<TProgramData> wall = TProgramData::CreateNew(host);
    wall->FileName = dir.File("wall.tk4d");
    wall->Title = "Cofferdam";
    ChangeStageCount(*wall, 3);
    SelectStage(*wall, 2);
    wall->NodeCount = 150;
    const std::string state = TakeWallState(*wall);
    EXPECT_EQ(StateStage(state), 2);

    SelectStage(*wall, 3);
    wall->NodeCount = 170;
    ChangeStageCount(*wall, 1);
    RestoreWallState(*wall, state);

    EXPECT_EQ(wall->StageCount, 3);
    EXPECT_EQ(wall->CurrentStage, 2);
    EXPECT_EQ(wall->NodeCount, 150);
    SelectStage(*wall, 1);
    EXPECT_EQ(wall->Title, "Cofferdam");
    EXPECT_EQ(TakeWallState(*wall).substr(0, 2), "3 ");
}

}  // namespace
