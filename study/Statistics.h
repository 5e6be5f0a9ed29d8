#pragma once
#include "study/Study.h"

#include <optional>
#include <utility>
#include <vector>

// The statistics of a study's rows, as Summarise, SummaryJson and SummaryText
// (declared in Study.h) report them.
namespace study {

// The percentile `percent` (0 to 100) of values sorted in rising order, by
// linear interpolation between the closest ranks: with n values x[0..n-1], the
// rank h = (n - 1) percent / 100 gives x[floor h] + (h - floor h)(x[floor h + 1]
// - x[floor h]). It is the sample quantile of definition 7 of Hyndman and Fan
// (1996), the one of spreadsheets' PERCENTILE.INC. No values: 0.
double Percentile(const std::vector<double>& sorted, double percent);

// Count, mean, sample standard deviation (divisor n - 1; 0 for one value)
// and the 5th, 50th and 95th percentiles of the values.
OutputStatistics StatisticsOf(const std::string& output, std::vector<double> values);

// The exact (Clopper-Pearson) two-sided interval of a binomial probability
// after `failures` in `realisations`, at `confidence` (0.95: the 95 %
// interval): the quantiles of the beta distributions that bound it, with the
// bound 0 for no failures and 1 for failures only. {0, 1} for no realisations.
std::pair<double, double> ClopperPearson(long failures, long realisations, double confidence = 0.95);

// The reliability index beta = -PhiInverse(pf); empty for pf 0 or 1.
std::optional<double> ReliabilityIndex(double pf);

// The probability of failure of rows sorted by rising index, its interval and
// beta, and its convergence: pf after the first n rows at about 30 points of n
// spaced evenly on a logarithmic scale up to every row.
FailureProbability FailureProbabilityOf(const std::vector<const Row*>& rows);

}  // namespace study
