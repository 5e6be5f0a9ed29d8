#pragma once
#include <string>
#include <vector>

class TProgramData;

// The files of the open wall as they would be saved, held in memory, so that
// an analysis can run on them elsewhere (on another thread, in another
// folder) while the wall goes on being edited: the data file, for a staged
// wall the text of every stage file, and the settings kept beside the data file.
struct TWallCopy {
    std::string dataText;
    std::vector<std::string> stageTexts;  // stage 1 .. StageCount; none without stages
    std::string settingsText;             // empty when the wall has only the default settings
};

// The files of the wall as it is now: the current stage from the open wall,
// the other stages from their working copies. Nothing is written and the
// modified state is kept. EInOutError when a working copy cannot be read.
TWallCopy CopyOfWall(TProgramData& wall);

// Writes the copy as the data file `dataFile` with its stage files and its
// settings file beside it. EInOutError when a file cannot be written.
void WriteWallCopy(const TWallCopy& copy, const std::string& dataFile);
