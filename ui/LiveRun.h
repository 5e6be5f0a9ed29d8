#pragma once
#include "checks/DesignChecks.h"
#include "engine/WallFileReader.h"
#include "model/WallSettings.h"

#include <memory>
#include <string>
#include <vector>

class TProgramData;
struct RunOutcome;

// The wall as edited, as the engine takes it: its blocks and its settings,
// taken from the open wall in memory when the change was made, so that the
// analysis can run on another thread while the wall goes on being edited.
struct TLiveInput {
    std::vector<WallFileBlock> blocks;
    TWallSettings settings;
};

// The input of the open wall as it is now; nothing is written and the wall
// is left as it is. TorvikError when the wall cannot be taken (a working copy
// of a stage that cannot be read).
TLiveInput LiveInputOf(TProgramData& wall);

// One analysis of the wall as edited, for Analyse As You Edit: the engine core
// analyses the input in the calling thread and writes the results into a
// folder of their own (FOLDER/GENERATION: output text, plot data file and run
// notes); no data file is written. No Qt: it runs on the worker thread of
// TLiveAnalysis and in tests as it stands.
struct TLiveJob {
    long generation = 0;     // counts the changes: a higher one supersedes a lower one
    std::shared_ptr<const TLiveInput> input;  // the wall as it was at the change
    std::string folder;      // the private folder of the analyses
    long keep = 0;           // the generation whose results are shown: its folder stays
    bool checks = false;     // also make the design checks, at `target`
    double target = checks::kDefaultTarget;
};

// What the analysis gave.
struct TLiveResult {
    long generation = 0;
    // The name of the wall in its generation's folder (FOLDER/GENERATION/wall.tk4d):
    // the results lie beside it under their usual names. No such file exists.
    std::string dataFile;
    std::shared_ptr<const TLiveInput> input;  // what was analysed
    bool ok = false;         // every stage or case gave results, and the plot data file was written
    std::string reason;      // why not, when not ok
    bool checked = false;    // the design checks of the wall were made (then `report`, or `checksError`)
    checks::DesignCheckReport report;
    std::string checksError;
};

// Runs the job's analysis: removes the folders of earlier generations except
// `keep` and runs the engine on the job's input with explicit file names for
// its results (the working directory is never changed). Never throws.
TLiveResult RunLiveJob(const TLiveJob& job);
// The design checks of the input that `analysed` (a result of RunLiveJob that
// gave results) analysed, at the job's target; a result of their own, so
// that the graphs need not wait for them. Never throws.
TLiveResult RunLiveChecks(const TLiveJob& job, const TLiveResult& analysed);

// Why an analysis gave no results, in one line: the input's fault, the
// first stage's input error or solver message, or the missing stages.
std::string LiveFailureReason(const RunOutcome& outcome);
