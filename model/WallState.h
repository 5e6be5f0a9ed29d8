#pragma once
#include <string>

class TProgramData;

// The whole editable state of the open wall as one text, for Undo and Redo:
// the data file text of an unstaged wall, or the working copy of every stage
// of a staged one, together with what those files do not hold (the title, the
// options that decide which tables take part, the generated earth-pressure
// kind, the stage count and the current stage), and the settings of the wall's
// document (TWallDocument::Settings). Taking the state changes the
// wall as a stage switch does: tables of switched-off options are emptied.
std::string TakeWallState(TProgramData& wall);

// Puts a state taken by TakeWallState back into the open wall and its tables
// (and, for a staged wall, its stage working copies) and the settings into its
// document, in place; the current stage becomes the state's. The modified
// state is left to the caller.
// EInOutError when a working copy cannot be written or the state is damaged.
void RestoreWallState(TProgramData& wall, const std::string& state);

// The current stage a state was taken in.
int StateStage(const std::string& state);

// Whether the change from state `before` to state `after` (both taken of a
// staged wall in the same stage) belongs to that stage alone: only its working
// copy differs, and no title, setting, option or other stage changed.
bool ChangeWithinStage(const std::string& before, const std::string& after);
