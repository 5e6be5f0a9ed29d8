#pragma once
#include <string>
#include <vector>

// The program's side of an analysis run: names.dat in a run folder of its own,
// the engine library loaded from the program's directory by its path, its
// entry point called once with that folder, the library released again. Each
// run owns its library and changes nothing of the process, so runs may go side
// by side. No windows: the main window shows the messages and reads the plot
// data file; the command line prints them.

// The file name of the engine library, the same on every platform.
extern const char* const EngineLibraryName;
// The message when an engine library is still loaded from an earlier run.
extern const char* const ReinitializeMessage;
// The message when the library cannot be loaded or has no entry point.
extern const char* const InitializeFailedMessage;
// The message shown after every call of the engine.
extern const char* const CompletedMessage;

// How the call ended.
enum class TEngineCall {
    Completed,  // the engine was called and returned
    AlreadyLoaded,  // an engine library of an earlier run still exists: not called (a run
    // owns its library now, so CallEngine does not return it)
    LoadFailed,  // the library is missing or has no entry point: not called
};

// The data file name with its extension replaced: everything from the last "."
// of the file name on, or appended when the name has no dot.
std::string ReplaceExtension(const std::string& fileName, const std::string& extension);

// The four lines of names.dat for a data file, each ended by CR LF: the data
// file, then the output text, plot data file and run notes named as the data
// file with their extensions, or `resultBase` with them when it is given.
std::string NamesFileText(const std::string& dataFileName, const std::string& resultBase = "");

// What a completed run put beside the wall.
struct TRunResults {
    // The result files now beside the wall.
    std::vector<std::string> written;
    // Why the results of the run are not beside the wall; empty when they are.
    std::string problem;
    // The engine wrote a plot data file, and it is beside the wall.
    bool plotWritten = false;
};

// The message after a completed run: CompletedMessage, then which result files
// were written beside the wall and which could not be.
std::string CompletedRunMessage(const TRunResults& results);
// The list of the files written, as CompletedRunMessage ends.
std::string WrittenFilesText(const TRunResults& results);
// The lines of the "Status per analysis:" block of a run notes file, one per
// stage or case ("Stage 2 of 3: converged. Converged in 7 iterations."); none
// when the file cannot be read.
std::vector<std::string> RunStatusLines(const std::string& notesFile);
// What those lines say together: "Every analysis converged:" or "Not every
// analysis converged:" and then each line (with its iterations or its
// reason), lines separated by CR; empty without lines.
std::string RunStatusSummary(const std::vector<std::string>& lines);

// The directory of the running program, without a trailing separator.
std::string ProgramDirectory();

// Runs the engine on a saved data file: makes a new folder in the user's
// temporary folder, writes names.dat there (the files by full path, the
// results in that folder), loads the library from `programDirectory`, calls
// its "TorvikRunInFolder" with that folder and releases the library; a library
// without that entry is not called (LoadFailed). The
// results the engine wrote then replace those beside the wall together, and
// only when all of them could be written (WriteFilesTogether); a result file
// of an earlier run that the engine did not write again is deleted. `results`,
// when given, receives what was written. Then the folder is removed. The
// working directory is the same after the call as before. EInOutError with the
// system's text when the folder cannot be made or names.dat cannot be written.
TEngineCall CallEngine(const std::string& dataFileName, const std::string& programDirectory,
                       TRunResults* results = nullptr);
