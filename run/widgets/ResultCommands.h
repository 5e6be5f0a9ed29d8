#pragma once
#include "graph/GraphPlot.h"

#include <string>

class Prompt;

// The result commands of the main window: the calculation report, the CSV
// export (Computation menu) and the stage envelope graph (Graphics menu). Each
// works on the saved data file of the open wall and the results the analysis
// left beside it; every message goes through the prompt.
class TResultCommands {
public:
    explicit TResultCommands(Prompt& prompt) : prompt_(prompt) {}

    // "Save &Report...": asks for a PDF file name and writes the report.
    void SaveReport(const std::string& wallFile);
    // "Save Results as &CSV...": asks for a CSV file name and writes the results.
    void SaveCsv(const std::string& wallFile);
    // "Stage &Envelope": fills the envelope graph from the wall's results and
    // opens its window (a window already open shows the new results).
    void ShowStageEnvelope(const std::string& wallFile);

    // Whether the commands apply: the report and the CSV need results; the
    // envelope needs the results of a staged wall.
    static bool ReportEnabled(bool resultsLoaded) { return resultsLoaded; }
    static bool EnvelopeEnabled(bool resultsLoaded, int stageCount) { return resultsLoaded && stageCount > 1; }

    // The envelope graph (for tests).
    TGraphPlot& EnvelopeGraph() { return envelope_; }

private:
    Prompt& prompt_;
    TGraphPlot envelope_;
};
