#pragma once
#include "checks/DesignChecks.h"
#include "model/WallCopy.h"

#include <string>

struct RunOutcome;

// One analysis of the wall as edited, for Analyse As You Edit: the copy of
// the wall is written into a folder of its own (FOLDER/GENERATION/wall.tk4d)
// and the engine core runs on it in the calling thread. No Qt: it runs on the
// worker thread of TLiveAnalysis and in tests as it stands.
struct TLiveJob {
    long generation = 0;     // counts the changes: a higher one supersedes a lower one
    TWallCopy wall;          // the files of the wall as they were at the change
    std::string folder;      // the private folder of the analyses
    long keep = 0;           // the generation whose results are shown: its folder stays
    bool checks = false;     // also make the design checks, at `target`
    double target = checks::kDefaultTarget;
};

// What the analysis gave.
struct TLiveResult {
    long generation = 0;
    std::string dataFile;    // the copy's data file; the results lie beside it
    bool ok = false;         // every stage or case gave results, and the plot data file was written
    std::string reason;      // why not, when not ok
    bool checked = false;    // the design checks of the wall were made (then `report`, or `checksError`)
    checks::DesignCheckReport report;
    std::string checksError;
};

// Runs the job's analysis: removes the folders of earlier generations except
// `keep`, writes the copy and runs the engine with explicit file names (the
// working directory is never changed). Never throws.
TLiveResult RunLiveJob(const TLiveJob& job);
// The design checks of the wall that `analysed` (a result of RunLiveJob that
// gave results) analysed, at the job's target; a result of their own, so
// that the graphs need not wait for them. Never throws.
TLiveResult RunLiveChecks(const TLiveJob& job, const TLiveResult& analysed);

// Why an analysis gave no results, in one line: the data file's fault, the
// first stage's input error or solver message, or the missing stages.
std::string LiveFailureReason(const RunOutcome& outcome);
