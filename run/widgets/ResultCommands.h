#pragma once
#include "graph/GraphPlot.h"

#include <functional>
#include <string>
#include <utility>

class Prompt;
class TProgramData;

// The result commands of the main window: the calculation report, the CSV
// export (Computation menu) and the stage envelope graph (Graphics menu). Each
// works on the open wall's saved data file (wall.FileName) and the results the
// analysis left beside it; every message goes through the prompt.
class TResultCommands {
public:
    // `windows` opens the envelope graph's window (none: no window opens).
    explicit TResultCommands(Prompt& prompt, TGraphWindowFactory windows = {}) : prompt_(prompt)
    {
        envelope_.SetWindowFactory(std::move(windows));
    }

    // "Save &Report...": asks for a PDF file name and writes the report.
    void SaveReport(const TProgramData& wall);
    // "Save Results as &CSV...": asks for a CSV file name and writes the results.
    void SaveCsv(const TProgramData& wall);
    // "Stage &Envelope": fills the envelope graph from the wall's results and
    // opens its window (a window already open shows the new results).
    void ShowStageEnvelope(const TProgramData& wall);

    // After the results were read again (a run, another wall): an open
    // envelope window shows the new results, or closes when there are none.
    void ResultsReread(const TProgramData& wall);

    // The envelope reads the results beside `dataFile` (those of an analysis
    // of the wall as edited) instead of those beside the wall's own data
    // file, and its window says `note` after its title; an empty `dataFile`
    // returns to the wall's own results. An open window shows the new note.
    void SetResultsSource(const std::string& dataFile, const std::string& note);

    // The calculation report of `wallFile` (the data file's name) gets a
    // "Study" section of `summary`, the summary in words of the study last
    // run on it in this session; an empty summary takes the section away.
    void SetStudySummary(const std::string& wallFile, const std::string& summary)
    {
        studyWall_ = wallFile;
        studySummary_ = summary;
    }

    // Where a written file is announced (the main window's status bar);
    // without one, nothing is announced there.
    void SetStatusReporter(std::function<void(const std::string&)> report) { status_ = std::move(report); }
    // Opens a written file with the desktop's program for it (replaced by tests).
    void SetFileOpener(std::function<bool(const std::string&)> open) { open_ = std::move(open); }

    // The envelope graph (for tests).
    TGraphPlot& EnvelopeGraph() { return envelope_; }

private:
    // Says what was written ("The report was written to " and the file's
    // full path) and offers to open it.
    void Written(const std::string& what, const std::string& file);
    // The data file whose results the envelope shows, and the note of its window.
    std::string ResultsFile(const TProgramData& wall) const;
    std::string ResultsNote(const TProgramData& wall) const;

    Prompt& prompt_;
    std::function<void(const std::string&)> status_;
    std::function<bool(const std::string&)> open_;
    TGraphPlot envelope_;
    std::string sourceFile_;
    std::string sourceNote_;
    std::string studyWall_;
    std::string studySummary_;
};
