#include "ui/rules/StageTitle.h"

std::string StageTitleSuffix(int stageCount, int currentStage)
{
    if (stageCount <= 1)
        return "";
    return " - Stage " + std::to_string(currentStage);
}

bool TitleEditable(int stageCount, int currentStage)
{
    return stageCount <= 1 || currentStage <= 1;
}

std::string TitleNote(int stageCount, int currentStage)
{
    if (TitleEditable(stageCount, currentStage))
        return "";
    return "Stage " + std::to_string(currentStage) +
           " begins with its stage number, as its stage file does. The project title is entered in stage 1.";
}
