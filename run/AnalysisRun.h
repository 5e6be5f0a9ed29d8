#pragma once
#include <string>

// The program's side of an analysis run: names.dat in a run folder of its own,
// the engine library loaded from the program's directory by its path, its
// entry point called once with 6, the library released again. No windows: the main window shows
// the messages and reads the plot data file; the command line prints them.

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
    Completed,      // the engine was called and returned
    AlreadyLoaded,  // an engine library of an earlier run still exists: not called
    LoadFailed,     // the library is missing or has no "_ITORVIK": not called
};

// The data file name with its extension replaced: everything from the last "."
// of the file name on, or appended when the name has no dot.
std::string ReplaceExtension(const std::string& fileName, const std::string& extension);

// The four lines of names.dat for a data file, each ended by CR LF.
std::string NamesFileText(const std::string& dataFileName);

// The directory of the running program, without a trailing separator.
std::string ProgramDirectory();

// Runs the engine on a saved data file: makes a new folder in the user's
// temporary folder the working directory, writes names.dat there (the files by
// full path), loads the library from `programDirectory`, calls "_ITORVIK"
// with 6 and releases the library; then removes the folder and returns to the
// previous working directory. EInOutError with the system's text when the
// folder cannot be made or names.dat cannot be written.
TEngineCall CallEngine(const std::string& dataFileName, const std::string& programDirectory);
