#pragma once
#include <string>
#include <vector>

class TProgramData;

// Staged construction: a wall of two to five stages keeps one stage file per
// stage beside its data file ("wall.tk4d" has "wall.st1" .. "wall.st5"). The
// input windows always edit the open wall; switching stages saves the open
// wall into the current stage's file and loads the other stage's file into it.
// The data file the engine reads is the stage files joined in stage order.

// Stage file `stage` of the data file `dataFile`: its extension replaced by
// ".st" and the stage number.
std::string StageFilePath(const std::string& dataFile, int stage);

// The status bar text of the wall: empty for a wall without stages, else
// "Construction Stage Number: " and the current stage.
std::string StageStatusText(const TProgramData& wall);

// Writes the open wall as one stage block to wall.StageFileName: first line
// the title (stage 1) or " Stage No : k", last line the stage number k =
// CurrentStage. Atomic; EInOutError when the file cannot be written.
void WriteStageFile(TProgramData& wall);

// Reads one stage file into the wall, in place. A reading error ends the
// reading and is returned for the caller to show (empty: read whole); in every
// case the tables are then padded to their minimum rows and the wall is marked unmodified.
std::vector<std::string> ReadStageFile(TProgramData& wall, const std::string& path);

// Writes the open wall into the file of the current stage.
void SaveStage(TProgramData& wall);
// Loads the file of the current stage into the wall, when it exists; reading
// errors are shown through the document's prompt.
void LoadStage(TProgramData& wall);
// Makes `stage` current (saving the current one first, loading the new one);
// the document's modified state is kept. False when `stage` already was current.
bool SelectStage(TProgramData& wall, int stage);

// Splits the staged data file at `path` into its stage files 1 .. StageCount of
// the wall (older stage files of that name are deleted first). A file with
// fewer stages than its header gives is reported through the prompt; the
// missing stages start as copies of the last stage present.
void SplitStagedFile(TProgramData& wall, const std::string& path);

// Rewrites every stage file of a wall opened from an older ".tkd" file in the
// current layout, then shows stage 1.
void ConvertLegacyStages(TProgramData& wall);

// After CreateFromFile of a staged wall: splits it into stage files and, for a
// ".tkd" file, converts them to the current layout.
void OpenStagedWall(TProgramData& wall);

// Joins the stage files of `source` into the data file `target` (atomically)
// and, when the names differ, moves the stage files to the names of `target`.
// EInOutError when a stage file is missing or a file cannot be written.
void WriteStagedDataFile(TProgramData& wall, const std::string& target, const std::string& source);

// Save of a staged wall: SaveStage, then the data file from the stage files.
void SaveStagedWall(TProgramData& wall);
// Save As of a staged wall to `newName`: the stage files move with it.
void SaveStagedWallAs(TProgramData& wall, const std::string& newName);

// Copy Previous Stage: asks for confirmation, then makes the current stage a
// copy of the previous one and shows it. False when nothing was copied.
bool CopyPreviousStage(TProgramData& wall);

// The staged-construction dialog's OK with the stage count `count` (1 to 5):
// creates, rewrites or deletes the stage files and keeps the current stage
// where it can. A count outside 1 .. 5 is an EAssignError.
void ChangeStageCount(TProgramData& wall, int count);
