#pragma once
#include "engine/SectionRun.h"
#include "engine/WallFileReader.h"

#include <string>
#include <vector>

// The four files of one run, as names.dat lists them.
struct RunFiles {
    std::string dataFile, outputText, plotFile, runNotes;
};

// What one run did.
struct RunOutcome {
    std::vector<SectionRun> sections;
    std::string fileError;  // the data file could not be read
    bool plotWritten = false;
};

// One run of the engine: reads the wall data file, analyses every stage or case,
// and writes the output text, the run notes and (when every analysis gave usable
// results) the plot data file. Stale outputs of the same names are emptied first,
// and a plot data file the run does not write is removed.
// Never throws.
class EngineRun {
public:
    // Reads names.dat in the working directory and runs on its files; false when
    // names.dat is missing or incomplete (then nothing can be written).
    static bool RunFromNamesFile();
    // Runs on the given files.
    static RunOutcome Run(const RunFiles& files);
    // Reads and analyses a data file without writing anything.
    static RunOutcome Analyse(const std::string& dataFile);
    // Analyses the blocks of a data file already read.
    static RunOutcome Analyse(std::vector<WallFileBlock> blocks);
    // The four names of names.dat ("" for a missing line); lines may end in CR LF.
    static bool ReadNamesFile(const std::string& path, RunFiles& files);
};
