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

// The table of one analysis's springs and anchors, forces since their
// installation, cell by cell as the output text writes it: the column names
// with their units, a row per spring (node, depth, K, P0, installed in stage,
// y0, y, F, force per anchor, Fv; "-" where the row has no anchor) and the
// lines that say what the columns mean and what the analysis assumed.
struct SpringTableText {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> notes;
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
    // The spring table of an analysis with usable results, its lengths and
    // forces named in `unitSystem` (that of the run's first block); no rows
    // when it has no springs.
    static SpringTableText SpringTable(const SectionRun& section, UnitSystem unitSystem);
    // A number as the output text writes it, `digits` significant digits.
    static std::string Number(double value, int digits = 6);
};
