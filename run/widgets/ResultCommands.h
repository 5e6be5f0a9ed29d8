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

    Prompt& prompt_;
    std::function<void(const std::string&)> status_;
    std::function<bool(const std::string&)> open_;
    TGraphPlot envelope_;
};
