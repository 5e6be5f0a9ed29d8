#pragma once
#include "engine/SectionRun.h"
#include "units/Units.h"

#include <string>
#include <vector>

// What the report and the run notes say about the run as a whole.
struct RunInfo {
    std::string dataFile, outputText, plotFile, runNotes;
    std::string startTime, endTime;  // "2026-12-08 01:40:00 UTC"
    std::string title;
    UnitSystem unitSystem = UnitSystem::English;
    std::string fileError;        // the data file could not be read
    bool plotWritten = false;
    std::vector<std::string> notes;  // run-wide remarks
};

// The output text: the report an engineer reads and checks, with every input
// used, every choice made, the results per node, maxima, forces, equilibrium
// residuals and warnings, one part per stage or case.
class ReportWriter {
public:
    // The whole text.
    static std::string Text(const RunInfo& info, const std::vector<SectionRun>& sections);
    // The run notes: files, errors with their location, iteration histories and
    // the status of each stage or case.
    static std::string Notes(const RunInfo& info, const std::vector<SectionRun>& sections);
    // The line that states how a section ended.
    static std::string StatusLine(const SectionRun& section);
};
