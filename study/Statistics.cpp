#include "study/Statistics.h"

#include <boost/math/distributions/beta.hpp>
#include <boost/math/distributions/normal.hpp>

#include <algorithm>
#include <cmath>
#include <map>

namespace study {
namespace {

std::vector<const Row*> ByIndex(const std::vector<Row>& rows)
{
    std::vector<const Row*> sorted;
    sorted.reserve(rows.size());
    for (const Row& r : rows)
        sorted.push_back(&r);
    std::stable_sort(sorted.begin(), sorted.end(), [](const Row* a, const Row* b) { return a->index < b->index; });
    return sorted;
}

std::optional<double> OutputOf(const Row* row, std::size_t output)
{
    if (!row || output >= row->outputs.size())
        return std::nullopt;
    return row->outputs[output];
}

// Per output, in the outputs' order: the swing of each parameter, largest
// first (a swing that could not be computed, for want of a value at either
// end, counts as 0 and keeps its parameter's place among those).
std::vector<Swing> Swings(const StudyDefinition& study, const std::vector<Column>& outputs,
                          const std::vector<Row>& rows)
{
    std::map<long, const Row*> byIndex;
    for (const Row& r : rows)
        byIndex[r.index] = &r;
    const auto rowAt = [&byIndex](long index) {
        const auto it = byIndex.find(index);
        return it == byIndex.end() ? nullptr : it->second;
    };
    std::vector<Swing> swings;
    for (std::size_t o = 0; o < outputs.size(); ++o) {
        std::vector<Swing> of;
        for (std::size_t k = 0; k < study.parameters.size(); ++k) {
            Swing s{study.parameters[k].address, outputs[o].name, std::nullopt, std::nullopt, 0};
            s.atLow = OutputOf(rowAt(2 * static_cast<long>(k) + 1), o);
            s.atHigh = OutputOf(rowAt(2 * static_cast<long>(k) + 2), o);
            if (s.atLow && s.atHigh)
                s.swing = std::abs(*s.atHigh - *s.atLow);
            of.push_back(s);
        }
        std::stable_sort(of.begin(), of.end(), [](const Swing& a, const Swing& b) { return a.swing > b.swing; });
        swings.insert(swings.end(), of.begin(), of.end());
    }
    return swings;
}

// The n at which the convergence of pf is given: about 30 points evenly
// spaced on a logarithmic scale from 1 to `total`, always ending at `total`.
std::vector<long> ConvergencePoints(long total)
{
    constexpr int kPoints = 30;
    std::vector<long> points;
    for (int i = 0; i < kPoints && total > 0; ++i) {
        const long n = std::lround(std::pow(static_cast<double>(total), static_cast<double>(i) / (kPoints - 1)));
        const long at = std::min(std::max(n, 1L), total);
        if (points.empty() || at > points.back())
            points.push_back(at);
    }
    if (total > 0 && points.back() != total)
        points.push_back(total);
    return points;
}

}  // namespace

double Percentile(const std::vector<double>& sorted, double percent)
{
    if (sorted.empty())
        return 0;
    const double h = (static_cast<double>(sorted.size()) - 1) * std::min(std::max(percent, 0.0), 100.0) / 100;
    const std::size_t below = static_cast<std::size_t>(std::floor(h));
    if (below + 1 >= sorted.size())
        return sorted.back();
    return sorted[below] + (h - static_cast<double>(below)) * (sorted[below + 1] - sorted[below]);
}

OutputStatistics StatisticsOf(const std::string& output, std::vector<double> values)
{
    OutputStatistics s;
    s.output = output;
    s.count = static_cast<long>(values.size());
    if (values.empty())
        return s;
    double sum = 0;
    for (double v : values)
        sum += v;
    s.mean = sum / static_cast<double>(values.size());
    double squares = 0;
    for (double v : values)
        squares += (v - s.mean) * (v - s.mean);
    s.deviation = values.size() > 1 ? std::sqrt(squares / static_cast<double>(values.size() - 1)) : 0;
    std::sort(values.begin(), values.end());
    s.p5 = Percentile(values, 5);
    s.p50 = Percentile(values, 50);
    s.p95 = Percentile(values, 95);
    return s;
}

std::pair<double, double> ClopperPearson(long failures, long realisations, double confidence)
{
    if (realisations <= 0)
        return {0, 1};
    const double alpha = 1 - confidence;
    const double x = static_cast<double>(failures), n = static_cast<double>(realisations);
    const double low = failures <= 0 ? 0 : boost::math::quantile(boost::math::beta_distribution<>(x, n - x + 1), alpha / 2);
    const double high =
        failures >= realisations ? 1 : boost::math::quantile(boost::math::beta_distribution<>(x + 1, n - x), 1 - alpha / 2);
    return {low, high};
}

std::optional<double> ReliabilityIndex(double pf)
{
    if (!(pf > 0 && pf < 1))
        return std::nullopt;
    return -boost::math::quantile(boost::math::normal(), pf);
}

FailureProbability FailureProbabilityOf(const std::vector<const Row*>& rows)
{
    FailureProbability f;
    f.realisations = static_cast<long>(rows.size());
    const std::vector<long> points = ConvergencePoints(f.realisations);
    std::size_t next = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i]->failed)
            ++f.failures;
        const long n = static_cast<long>(i + 1);
        if (next < points.size() && points[next] == n) {
            f.convergence.emplace_back(n, static_cast<double>(f.failures) / static_cast<double>(n));
            ++next;
        }
    }
    f.pf = f.realisations > 0 ? static_cast<double>(f.failures) / static_cast<double>(f.realisations) : 0;
    std::tie(f.low95, f.high95) = ClopperPearson(f.failures, f.realisations);
    f.beta = ReliabilityIndex(f.pf);
    return f;
}

Summary Summarise(const StudyDefinition& study, const std::vector<Column>& outputs, const std::vector<Row>& rows)
{
    Summary summary;
    const std::vector<const Row*> sorted = ByIndex(rows);
    if (study.kind == StudyKind::Sensitivity) {
        summary.swings = Swings(study, outputs, rows);
    } else {
        for (std::size_t o = 0; o < outputs.size(); ++o) {
            std::vector<double> values;
            for (const Row* r : sorted)
                if (const std::optional<double> v = OutputOf(r, o))
                    values.push_back(*v);
            summary.statistics.push_back(StatisticsOf(outputs[o].name, std::move(values)));
        }
    }
    if (study.kind == StudyKind::MonteCarlo)
        summary.failure = FailureProbabilityOf(sorted);
    for (const Row* r : sorted)
        if (r->failed)
            summary.failedRows.push_back(*r);
    return summary;
}

}  // namespace study
