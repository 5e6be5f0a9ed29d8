#pragma once
#include "study/Study.h"

#include <cstdint>
#include <vector>

namespace study {

// The inputs of every realisation of a study. The inputs of a row depend on
// the definition and the row's index alone, never on which rows were drawn
// before: any thread, any shard and any order of drawing give the same row.
//
// Sensitivity: row 0 holds every parameter at its base value; then, for each
// parameter in turn, a row with it at its low value and one at its high value
// (rows 2k + 1 and 2k + 2 for parameter k), the others at their base values.
// The base value of a parameter is Parameter::base when given, else the mean
// of its distribution when it has one with a spread (a deviation above zero,
// or a uniform range), else the midpoint of its low and high values.
//
// Sweep: row i holds the i-th value of every parameter (the lists side by
// side, all of one length); with gridSweep, every combination of the values,
// the last parameter changing fastest (as nested loops in parameter order).
//
// Monte Carlo: each row draws one standard normal per parameter from its own
// counter-based random stream, started from (seed, index). A correlation matrix mixes them by
// its Cholesky factor (a Gaussian copula: the correlation is exact between
// normal parameters and close to the asked one between the others), and each
// parameter takes its value by the inverse of its distribution function.
// Latin hypercube sampling splits each parameter's probability into `count`
// equal strata and gives every stratum to exactly one row, by one random
// permutation per parameter made once from the seed; the row's own stream
// places the value within its stratum. With a correlation, the strata are
// those of the independent normals before the Cholesky factor mixes them, so
// they hold exactly for the first parameter of each correlated group and for
// every uncorrelated parameter.
class Sampler {
public:
    // TorvikError when the definition cannot be sampled: a distribution
    // without a valid spread, sweep lists of different lengths, a correlation
    // matrix that is not a correlation matrix, a Monte Carlo count below 1.
    explicit Sampler(const StudyDefinition& study);

    // The number of rows of the study.
    long Count() const { return count_; }
    // The inputs of row `index` (0 <= index < Count()), one per parameter in
    // the definition's order. TorvikError for an index out of range.
    std::vector<double> Inputs(long index) const;

private:
    std::vector<double> SweepInputs(long index) const;
    std::vector<double> MonteCarloInputs(long index) const;

    StudyDefinition study_;
    long count_ = 0;
    std::vector<double> base_;  // sensitivity
    std::vector<std::vector<double>> cholesky_;  // lower triangle; empty: independent
    std::vector<std::vector<std::uint32_t>> strata_;  // Latin hypercube: the stratum of each row, per parameter
};

// The base value of a parameter, as the sensitivity rows take it.
double BaseValue(const Parameter& parameter);

// The Cholesky factor L (lower triangular, L L^T = C) of a correlation matrix
// of `size` parameters. TorvikError when the matrix is not square of that
// size, not symmetric, has a diagonal other than 1 or an entry outside
// [-1, 1], or is not positive definite.
std::vector<std::vector<double>> CorrelationCholesky(const std::vector<std::vector<double>>& correlation,
                                                     std::size_t size);

// The value of a distribution at the standard normal `z` of its parameter:
// the inverse distribution function at Phi(z).
double ValueAtNormal(const Distribution& distribution, double z);

}  // namespace study
