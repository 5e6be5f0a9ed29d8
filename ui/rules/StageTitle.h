#pragma once
#include <string>

// What the input windows of a staged wall (input dialogs and table editors)
// add to their captions to say which stage they edit: " - Stage " and the
// current stage, so that "Wall Properties" on stage 2 is titled "Wall
// Properties - Stage 2"; nothing for a wall without stages.
std::string StageTitleSuffix(int stageCount, int currentStage);
