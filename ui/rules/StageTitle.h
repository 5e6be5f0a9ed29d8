#pragma once
#include <string>

// What the input windows of a staged wall (input dialogs and table editors)
// add to their captions to say which stage they edit: " - Stage " and the
// current stage, so that "Wall Properties" on stage 2 is titled "Wall
// Properties - Stage 2"; nothing for a wall without stages.
std::string StageTitleSuffix(int stageCount, int currentStage);

// Whether the project title can be edited while stage `currentStage` is
// current: on a wall without stages and in stage 1 only. The project title is
// the first line of stage 1; every later stage begins with its stage number
// (" Stage No : 2"), which marks where the stage starts in the data file and
// so is no text the user may change.
bool TitleEditable(int stageCount, int currentStage);

// What the title dialog says while the title cannot be edited; empty when it can.
std::string TitleNote(int stageCount, int currentStage);
