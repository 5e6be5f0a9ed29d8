#pragma once
#include "engine/SectionRun.h"
#include "engine/WallFileReader.h"
#include "model/WallSettings.h"

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
    std::vector<std::string> notes;  // run-wide warnings (a settings file that was ignored)
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
    // The same for names.dat in `folder`, whose relative names are taken from
    // that folder; the working directory is neither read nor changed.
    static bool RunInFolder(const std::string& folder);
    // Runs on the given files.
    static RunOutcome Run(const RunFiles& files);
    // Runs on blocks already read or made and their settings (SI, or the
    // wall's own units) and writes the outputs of `files`; its data file is
    // neither read nor needed, and only names the wall in the output text.
    static RunOutcome Run(const RunFiles& files, std::vector<WallFileBlock> blocks, const TWallSettings& settings);
    // Reads and analyses a data file without writing anything, with the wall
    // settings of the file beside it (SettingsPathFor); a damaged one is a
    // warning in `notes` and the defaults are used.
    static RunOutcome Analyse(const std::string& dataFile);
    // The same with the given settings (SI, or the wall's own units) in place of
    // those beside the file.
    static RunOutcome Analyse(const std::string& dataFile, const TWallSettings& settings);
    // Analyses the blocks of a data file already read, with default settings.
    static RunOutcome Analyse(std::vector<WallFileBlock> blocks);
    // Analyses the blocks of a data file already read, with the given settings.
    static RunOutcome Analyse(std::vector<WallFileBlock> blocks, const TWallSettings& settings);
    // Analyses one block of a data file already read, after the analyses
    // `earlier` of the stages before it: `stage` is its number in a staged file
    // (0 otherwise), so that springs installed in it find the deflections of the
    // stage before. Settings as for Analyse (converted to the block's units here).
    static SectionRun AnalyseBlock(WallFileBlock block, int stage, const std::vector<SectionRun>& earlier,
                                   const TWallSettings& settings);
    // The four names of names.dat ("" for a missing line); lines may end in CR LF.
    static bool ReadNamesFile(const std::string& path, RunFiles& files);
};
