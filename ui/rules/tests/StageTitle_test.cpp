#include "ui/rules/StageTitle.h"

#include <gtest/gtest.h>

TEST(StageTitleSuffix, NamesTheStageOnlyOnAStagedWall)
{
    EXPECT_EQ(StageTitleSuffix(1, 1), "");
    EXPECT_EQ(StageTitleSuffix(2, 1), " - Stage 1");
    EXPECT_EQ(StageTitleSuffix(5, 2), " - Stage 2");
}
