#pragma once
// The values of the results beside a saved wall, for the CSV export, the
// calculation report and the command line, which otherwise have only the files
// the engine library wrote.
#include "engine/EngineRun.h"

#include <string>

// The wall data file `wallFile` analysed in process as the engine's run of it
// analysed it (with the settings file beside it): each analysis's input and
// results as values. No sections when there is no output text beside the wall
// (nothing was analysed), or when its results are older than the data file
// (the values of the data file as it is now would not be theirs).
RunOutcome LoadResultValues(const std::string& wallFile);
