#include "ui/rules/StageTitle.h"

std::string StageTitleSuffix(int stageCount, int currentStage)
{
    if (stageCount <= 1)
        return "";
    return " - Stage " + std::to_string(currentStage);
}
