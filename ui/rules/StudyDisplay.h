#pragma once
#include "study/Study.h"

#include <optional>
#include <string>
#include <vector>

// What the Study window draws and says of a study's result: the bars of the
// tornado chart, the bins of a histogram, the outputs each chart offers, the
// progress line and the probability of failure in words.

// One bar of the tornado chart: the output at the parameter's low and high
// value, the others at their base values.
struct TornadoBar {
    std::string parameter;
    double atLow = 0, atHigh = 0;
    double swing = 0;
};
// The chart of one output: its value in the base realisation (row 0) and a
// bar per parameter whose low and high realisations both gave a value,
// largest swing first (ties in the order of the parameters).
struct TornadoChartData {
    std::optional<double> base;
    std::vector<TornadoBar> bars;
};
TornadoChartData TornadoOf(const study::StudyResult& result, const std::string& output);

// The values of an output column over the rows that gave one.
std::vector<double> OutputValues(const study::StudyResult& result, const std::string& output);

// One bin of a histogram: [low, high) (the last bin holds its high end too).
struct HistogramBin {
    double low = 0, high = 0;
    long count = 0;
};
// `values` in `bins` equal bins from the least to the largest; one bin of
// zero width when every value is the same; none without values.
std::vector<HistogramBin> HistogramOf(const std::vector<double>& values, int bins);
// The bins a histogram of `n` values gets: about the square root of n, from 5 to 40.
int HistogramBinCount(std::size_t n);

// The outputs each chart offers, in the result's order: the tornado every
// output; the histogram of F the strength-reduction factors ("... F"); that
// of the moment the largest moments ("... largest moment"). The output over
// every stage ("lowest F", "largest moment") comes first.
std::vector<std::string> SafetyFactorOutputs(const std::vector<study::Column>& outputs);
std::vector<std::string> MomentOutputs(const std::vector<study::Column>& outputs);
// The name of an output with its unit: "stage 1 largest moment (kN-m/m)".
std::string OutputCaption(const study::Column& column);

// "120 of 1000 analyses, 41.5 per second, 21 s left" (with minutes beyond a minute).
std::string ProgressText(const study::Progress& progress);
// "pf = 0.0123 (95 % confidence 0.0102 to 0.0147), β = 2.25; 123 of 10000
// realisations failed"; β is "not defined" for pf 0 or 1.
std::string FailureText(const study::FailureProbability& failure);
