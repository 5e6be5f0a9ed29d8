#include "ui/rules/StageTitle.h"

#include <gtest/gtest.h>

TEST(StageTitleSuffix, NamesTheStageOnlyOnAStagedWall)
{
    EXPECT_EQ(StageTitleSuffix(1, 1), "");
    EXPECT_EQ(StageTitleSuffix(2, 1), " - Stage 1");
    EXPECT_EQ(StageTitleSuffix(5, 2), " - Stage 2");
}

TEST(StageTitle, OnlyStageOneEditsTheProjectTitle)
{
    EXPECT_TRUE(TitleEditable(1, 1));
    EXPECT_TRUE(TitleEditable(3, 1));
    EXPECT_FALSE(TitleEditable(3, 2));
    EXPECT_EQ(TitleNote(3, 1), "");
    EXPECT_EQ(TitleNote(3, 3), "Stage 3 begins with its stage number, as its stage file does. The project title is "
                               "entered in stage 1.");
}
