#include "study/Sampler.h"

#include "units/TorvikError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using study::Distribution;
using study::DistributionKind;
using study::Parameter;
using study::Sampler;
using study::StudyDefinition;
using study::StudyKind;

Parameter Drawn(DistributionKind kind, double mean, double deviation, double low = 0, double high = 0)
{
    Parameter p;
    p.address = "layer 1 unit weight";
    p.distribution = Distribution{kind, mean, deviation, low, high};
    return p;
}

StudyDefinition MonteCarlo(std::vector<Parameter> parameters, long count, bool latin = false)
{
    StudyDefinition s;
    s.kind = StudyKind::MonteCarlo;
    s.parameters = std::move(parameters);
    s.count = count;
    s.seed = 20130406;
    s.latinHypercube = latin;
    return s;
}

std::vector<std::vector<double>> Columns(const Sampler& sampler)
{
    std::vector<std::vector<double>> columns;
    for (long i = 0; i < sampler.Count(); ++i) {
        const std::vector<double> row = sampler.Inputs(i);
        columns.resize(row.size());
        for (std::size_t k = 0; k < row.size(); ++k)
            columns[k].push_back(row[k]);
    }
    return columns;
}

double Mean(const std::vector<double>& v)
{
    double sum = 0;
    for (double x : v)
        sum += x;
    return sum / static_cast<double>(v.size());
}

double Deviation(const std::vector<double>& v)
{
    const double m = Mean(v);
    double sum = 0;
    for (double x : v)
        sum += (x - m) * (x - m);
    return std::sqrt(sum / static_cast<double>(v.size() - 1));
}

double Correlation(const std::vector<double>& a, const std::vector<double>& b)
{
    const double ma = Mean(a), mb = Mean(b);
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += (a[i] - ma) * (b[i] - mb);
    return sum / static_cast<double>(a.size() - 1) / (Deviation(a) * Deviation(b));
}

TEST(Sampler, EachDistributionHasItsMeanAndDeviationWithinFourStandardErrors)
{
    // The truncated normals: the upper half of N(10, 2), and its tail beyond
    // 2 deviations (drawn through the mirrored range); their moments by hand.
    struct Case {
        Parameter parameter;
        double mean, deviation, low, high;
    };
    const double inf = HUGE_VAL;
    const std::vector<Case> cases = {
        {Drawn(DistributionKind::Normal, 30, 3), 30, 3, -inf, inf},
        {Drawn(DistributionKind::Lognormal, 20, 6), 20, 6, 0, inf},
        {Drawn(DistributionKind::Uniform, 0, 0, 2, 5), 3.5, 3 / std::sqrt(12.0), 2, 5},
        {Drawn(DistributionKind::TruncatedNormal, 10, 2, 10, 30), 11.595769, 1.205727, 10, 30},
        {Drawn(DistributionKind::TruncatedNormal, 10, 2, 14, 30), 14.746431, 0.676104, 14, 30},
    };
    const long n = 4000;
    std::vector<Parameter> parameters;
    for (const Case& c : cases)
        parameters.push_back(c.parameter);
    const std::vector<std::vector<double>> columns = Columns(Sampler(MonteCarlo(parameters, n)));
    for (std::size_t k = 0; k < cases.size(); ++k) {
        SCOPED_TRACE(k);
        const double error = cases[k].deviation / std::sqrt(static_cast<double>(n));
        EXPECT_NEAR(Mean(columns[k]), cases[k].mean, 4 * error);
        // The deviation's standard error is below deviation / sqrt(n) for any
        // distribution whose kurtosis is below 5, as all of these are.
        EXPECT_NEAR(Deviation(columns[k]), cases[k].deviation, 4 * error);
        EXPECT_GE(*std::min_element(columns[k].begin(), columns[k].end()), cases[k].low);
        EXPECT_LE(*std::max_element(columns[k].begin(), columns[k].end()), cases[k].high);
    }
}

TEST(Sampler, LatinHypercubeGivesEveryStratumOfEveryParameterToExactlyOneRow)
{
    const long n = 97;
    const Parameter p = Drawn(DistributionKind::Uniform, 0, 0, 0, 1);
    const std::vector<std::vector<double>> columns = Columns(Sampler(MonteCarlo({p, p, p}, n, true)));
    for (const std::vector<double>& column : columns) {
        std::vector<long> strata;
        for (double x : column)
            strata.push_back(static_cast<long>(std::floor(x * n)));
        std::sort(strata.begin(), strata.end());
        for (long i = 0; i < n; ++i)
            ASSERT_EQ(strata[static_cast<std::size_t>(i)], i);
    }
    EXPECT_NE(columns[0], columns[1]) << "each parameter has its own permutation";
}

TEST(Sampler, CorrelatedNormalsReachTheAskedCorrelation)
{
    const std::vector<std::vector<double>> c = {{1, 0.7, -0.3}, {0.7, 1, 0.2}, {-0.3, 0.2, 1}};
    const Parameter phi = Drawn(DistributionKind::Normal, 32, 3), cohesion = Drawn(DistributionKind::Normal, 5, 2);
    for (bool latin : {false, true}) {
        StudyDefinition s = MonteCarlo({phi, cohesion, phi}, 5000, latin);
        s.correlation = c;
        const std::vector<std::vector<double>> columns = Columns(Sampler(s));
        for (std::size_t i = 0; i < 3; ++i)
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_NEAR(Correlation(columns[i], columns[j]), c[i][j], 0.05) << i << "," << j << " latin " << latin;
    }
}

TEST(Sampler, RejectsWhatIsNotACorrelationMatrix)
{
    const Parameter p = Drawn(DistributionKind::Normal, 32, 3);
    const std::vector<std::vector<std::vector<double>>> wrong = {
        {{1, 0.5}, {0.5, 1}},  // two rows for three parameters
        {{1, 0.5, 0}, {0.4, 1, 0}, {0, 0, 1}},  // not symmetric
        {{2, 0, 0}, {0, 1, 0}, {0, 0, 1}},  // a diagonal other than 1
        {{1, 1.2, 0}, {1.2, 1, 0}, {0, 0, 1}},  // beyond 1
        {{1, 0.9, 0.9}, {0.9, 1, -0.9}, {0.9, -0.9, 1}},  // contradictory: not positive definite
        {{1, 1, 0}, {1, 1, 0}, {0, 0, 1}},  // two parameters that are one
    };
    for (const auto& c : wrong) {
        StudyDefinition s = MonteCarlo({p, p, p}, 10);
        s.correlation = c;
        EXPECT_THROW(Sampler{s}, TorvikError);
    }
}

TEST(Sampler, RowsDependOnTheSeedAndIndexAloneNotOnTheOrderOfDrawing)
{
    for (bool latin : {false, true}) {
        StudyDefinition s =
            MonteCarlo({Drawn(DistributionKind::Normal, 30, 3), Drawn(DistributionKind::Lognormal, 20, 6)}, 200, latin);
        s.correlation = {{1, 0.5}, {0.5, 1}};
        const Sampler forward(s), backward(s);
        std::vector<std::vector<double>> rows(200);
        for (long i = 199; i >= 0; --i)
            rows[static_cast<std::size_t>(i)] = backward.Inputs(i);
        for (long i = 0; i < 200; ++i)
            ASSERT_EQ(forward.Inputs(i), rows[static_cast<std::size_t>(i)]) << i;
        s.seed += 1;
        EXPECT_NE(Sampler(s).Inputs(7), forward.Inputs(7));
    }
}

TEST(Sampler, SensitivityRowsHoldTheBaseThenEachParameterAtItsLowAndHigh)
{
    StudyDefinition s;
    s.kind = StudyKind::Sensitivity;
    Parameter a, b, c;
    a.low = 28, a.high = 36;  // midpoint
    b.low = 1, b.high = 9, b.distribution = {DistributionKind::Normal, 4, 1, 0, 0};  // the mean
    c.low = 100, c.high = 300, c.base = 150;  // as given
    s.parameters = {a, b, c};
    const Sampler sampler(s);
    ASSERT_EQ(sampler.Count(), 7);
    EXPECT_EQ(sampler.Inputs(0), (std::vector<double>{32, 4, 150}));
    EXPECT_EQ(sampler.Inputs(3), (std::vector<double>{32, 1, 150}));
    EXPECT_EQ(sampler.Inputs(6), (std::vector<double>{32, 4, 300}));
    EXPECT_THROW(sampler.Inputs(7), TorvikError);
}

TEST(Sampler, SweepsTakeTheListsSideBySideOrEveryCombination)
{
    StudyDefinition s;
    s.kind = StudyKind::Sweep;
    Parameter a, b;
    a.values = {1, 2, 3};
    b.values = {10, 20, 30};
    s.parameters = {a, b};
    EXPECT_EQ(Sampler(s).Count(), 3);
    EXPECT_EQ(Sampler(s).Inputs(1), (std::vector<double>{2, 20}));
    s.gridSweep = true;
    s.parameters[1].values = {10, 20};
    const Sampler grid(s);
    ASSERT_EQ(grid.Count(), 6);
    std::vector<std::vector<double>> rows;
    for (long i = 0; i < 6; ++i)
        rows.push_back(grid.Inputs(i));
    EXPECT_EQ(rows, (std::vector<std::vector<double>>{{1, 10}, {1, 20}, {2, 10}, {2, 20}, {3, 10}, {3, 20}}));
    s.gridSweep = false;
    EXPECT_THROW(Sampler{s}, TorvikError) << "lists of different lengths side by side";
}

}  // namespace
