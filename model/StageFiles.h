#pragma once
#include "model/AtomicFile.h"

#include <string>
#include <vector>

class TProgramData;

// Staged construction: a wall of two to five stages keeps one stage file per
// stage beside its data file ("wall.tk4d" has "wall.st1" .. "wall.st5"). The
// data file the engine reads is the stage files joined in stage order.
//
// While the wall is open, its stages are edited in working copies in a private
// folder of the open wall (TProgramData::StageFolder), never beside the wall:
// switching stages saves the open wall into the current stage's working copy
// and loads the other stage's working copy into it. The wall's own files (data
// file and stage files) are written only by Save and Save As, together.

// Stage file `stage` of the data file `dataFile`: its extension replaced by
// ".st" and the stage number.
std::string StageFilePath(const std::string& dataFile, int stage);

// The working copy of stage `stage` of the open wall, in its private folder.
std::string StageWorkPath(const TProgramData& wall, int stage);

// The status bar text of the wall: empty for a wall without stages, else
// "Construction Stage Number: " and the current stage.
std::string StageStatusText(const TProgramData& wall);

// The text of the open wall as one stage block, as WriteStageFile writes it.
std::string StageFileText(TProgramData& wall);

// Writes the open wall as one stage block to wall.StageFileName: first line
// the title (stage 1) or " Stage No : k", last line the stage number k =
// CurrentStage. Atomic; EInOutError when the file cannot be written. The
// modified state is kept: only a save of the whole wall marks it saved.
void WriteStageFile(TProgramData& wall);

// Reads one stage file into the wall, in place. A reading error ends the
// reading and is returned for the caller to show (empty: read whole); in every
// case the tables are then padded to their minimum rows and the wall is marked unmodified.
std::vector<std::string> ReadStageFile(TProgramData& wall, const std::string& path);

// Writes the open wall into the working copy of the current stage.
void SaveStage(TProgramData& wall);
// Loads the working copy of the current stage into the wall, when it exists;
// reading errors are shown through the document's prompt.
void LoadStage(TProgramData& wall);
// Makes `stage` current (saving the current one first, loading the new one);
// the document's modified state is kept. False when `stage` already was current.
bool SelectStage(TProgramData& wall, int stage);

// Splits the staged data file at `path` into the working copies of stages 1 ..
// StageCount of the wall (older working copies are deleted first). A file with
// fewer stages than its header gives is reported through the prompt; the
// missing stages start as copies of the last stage present.
void SplitStagedFile(TProgramData& wall, const std::string& path);

// Rewrites the working copy of every stage of a wall opened from an older
// ".tkd" file in the current layout, then shows stage 1.
void ConvertLegacyStages(TProgramData& wall);

// After CreateFromFile of a staged wall: splits it into the working copies
// and, for a ".tkd" file, converts them to the current layout. Stage files
// beside a ".tk4d" wall that disagree with its data file (a save that was cut
// off) are rewritten from it, and those above its stage count deleted, where
// the folder allows; nothing else is written beside the wall.
void OpenStagedWall(TProgramData& wall);

// The text of each stage's working copy (stages 1 .. StageCount), as the data
// file joins them. EInOutError when a working copy cannot be read.
std::vector<std::string> StageTexts(const TProgramData& wall);
// The same with the current stage as the open wall holds it (its working
// copy may be older); nothing is written.
std::vector<std::string> OpenStageTexts(TProgramData& wall);

// Writes the data file `target`, the working copies joined in stage order, and
// the stage files of `target` (and `alongside`), all together (WriteFilesTogether); then deletes
// the stage files of `target` above StageCount and, when `source` differs from
// `target`, those of `source`, where the folder allows. EInOutError when a
// working copy is missing or a file cannot be written: the message says what
// was written.
void WriteStagedDataFile(TProgramData& wall, const std::string& target, const std::string& source,
                         const std::vector<TFileWrite>& alongside = {});

// Save of a staged wall: SaveStage, then the data file and every stage file
// (with `alongside`, together). Marks the wall saved only when all were written.
void SaveStagedWall(TProgramData& wall, const std::vector<TFileWrite>& alongside = {});
// Save As of a staged wall to `newName`: its data file and stage files (and
// `alongside`) are written there (copied, whatever file system it is on);
// FileName becomes `newName` and the wall is marked saved only when all were written.
void SaveStagedWallAs(TProgramData& wall, const std::string& newName, const std::vector<TFileWrite>& alongside = {});

// Save and Save As of any wall: the data file, for a staged wall its stage
// files, and the document's settings file, all together; stage files of the
// wall left from more stages are deleted, and so is the settings file when the
// settings are the defaults (SettingsFile.h). The wall is marked saved, and
// its disk stamp taken, only when all of that was done; a failed Save As keeps
// the former FileName. Stale temporary files beside the wall are removed.
// A Save that wrote every file as it already was gives the files their
// earlier times back, so that results of the unchanged wall stay current.
void SaveWall(TProgramData& wall);
void SaveWallAs(TProgramData& wall, const std::string& newName);

// Removes the temporary files that writes cut off left beside the files of the
// wall with the data file `dataFile` (data file, stage files, settings,
// results), and the working folders of conversions cut off in its folder.
void RemoveStaleWallTemporaries(const std::string& dataFile);

// The name of the working folders that torvik-cli convert makes beside its
// output (THeldFolder), before their number.
constexpr const char* kConvertFolderPrefix = ".torvik-convert-";

// Copy Previous Stage: asks for confirmation, then makes the current stage a
// copy of the previous one, shows it and marks the wall modified. False when
// nothing was copied.
bool CopyPreviousStage(TProgramData& wall);

// The staged-construction dialog's OK with the stage count `count` (1 to 5):
// creates, rewrites or deletes the working copies and keeps the current stage
// where it can; the stage files beside the wall follow at the next save. A count outside 1 .. 5 is an EAssignError.
void ChangeStageCount(TProgramData& wall, int count);
