#include "study/Statistics.h"

#include "units/NumberFormat.h"

#include <boost/math/distributions/beta.hpp>
#include <boost/math/distributions/normal.hpp>
#include <nlohmann/json.hpp>

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
    const double low =
        failures <= 0 ? 0 : boost::math::quantile(boost::math::beta_distribution<>(x, n - x + 1), alpha / 2);
    const double high = failures >= realisations
                            ? 1
                            : boost::math::quantile(boost::math::beta_distribution<>(x + 1, n - x), 1 - alpha / 2);
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

// The statistics of an output take every row that has a value of it, whether
// the row failed by the criterion or not; a row whose analysis failed has none.
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

namespace study {
namespace {

std::string KindName(StudyKind kind)
{
    switch (kind) {
    case StudyKind::Sensitivity: return "sensitivity";
    case StudyKind::Sweep: return "sweep";
    case StudyKind::MonteCarlo: return "monte_carlo";
    }
    return "";
}

nlohmann::ordered_json Optional(const std::optional<double>& v)
{
    return v ? nlohmann::ordered_json(*v) : nlohmann::ordered_json();
}

nlohmann::ordered_json ColumnsJson(const std::vector<Column>& columns)
{
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const Column& c : columns)
        out.push_back({{"name", c.name}, {"unit", c.unit}});
    return out;
}

nlohmann::ordered_json StatisticsJson(const std::vector<OutputStatistics>& statistics)
{
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const OutputStatistics& s : statistics) {
        const bool any = s.count > 0;
        out.push_back({{"output", s.output},
                       {"count", s.count},
                       {"mean", any ? nlohmann::ordered_json(s.mean) : nlohmann::ordered_json()},
                       {"deviation", any ? nlohmann::ordered_json(s.deviation) : nlohmann::ordered_json()},
                       {"p5", any ? nlohmann::ordered_json(s.p5) : nlohmann::ordered_json()},
                       {"p50", any ? nlohmann::ordered_json(s.p50) : nlohmann::ordered_json()},
                       {"p95", any ? nlohmann::ordered_json(s.p95) : nlohmann::ordered_json()}});
    }
    return out;
}

nlohmann::ordered_json SwingsJson(const StudyDefinition& study, const std::vector<Swing>& swings)
{
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const Swing& s : swings) {
        nlohmann::ordered_json low, high;
        for (const Parameter& p : study.parameters)
            if (p.address == s.parameter) {
                low = p.low;
                high = p.high;
            }
        out.push_back({{"output", s.output},
                       {"parameter", s.parameter},
                       {"low", low},
                       {"high", high},
                       {"at_low", Optional(s.atLow)},
                       {"at_high", Optional(s.atHigh)},
                       {"swing", s.atLow && s.atHigh ? nlohmann::ordered_json(s.swing) : nlohmann::ordered_json()}});
    }
    return out;
}

nlohmann::ordered_json FailureJson(const FailureProbability& f)
{
    nlohmann::ordered_json convergence = nlohmann::ordered_json::array();
    for (const auto& [n, pf] : f.convergence)
        convergence.push_back({n, pf});
    return {{"failures", f.failures},
            {"realisations", f.realisations},
            {"pf", f.pf},
            {"low95", f.low95},
            {"high95", f.high95},
            {"interval", "Clopper-Pearson"},
            {"beta", Optional(f.beta)},
            {"convergence", convergence}};
}

}  // namespace

// The keys of summary.json, which scripts rely on:
//   kind          "sensitivity", "sweep" or "monte_carlo"
//   rows          the number of rows summarised
//   cancelled     true when the study stopped before every row was computed
//   inputs, outputs   the columns: [{"name", "unit"}]
//   statistics    sweep and Monte Carlo, per output: [{"output", "count",
//                 "mean", "deviation", "p5", "p50", "p95"}] (sample standard
//                 deviation; percentiles as Percentile defines them; null
//                 without a value)
//   swings        sensitivity, per output and largest first: [{"output",
//                 "parameter", "low", "high", "at_low", "at_high", "swing"}]
//                 (null where an end's output could not be computed)
//   failure       Monte Carlo, else null: {"failures", "realisations", "pf",
//                 "low95", "high95" (its 95 % interval), "interval" (the
//                 method: "Clopper-Pearson"), "beta" (-PhiInverse(pf), null for
//                 pf 0 or 1), "convergence": [[n, pf after the first n rows]]}
//   failed        the rows that failed: [{"index", "reason"}], by rising index
std::string SummaryJson(const StudyDefinition& study, const StudyResult& result)
{
    const Summary& s = result.summary;
    nlohmann::ordered_json failed = nlohmann::ordered_json::array();
    for (const Row& r : s.failedRows)
        failed.push_back({{"index", r.index}, {"reason", r.reason}});
    const nlohmann::ordered_json out = {{"kind", KindName(study.kind)},
                                        {"rows", result.rows.size()},
                                        {"cancelled", result.cancelled},
                                        {"inputs", ColumnsJson(result.inputs)},
                                        {"outputs", ColumnsJson(result.outputs)},
                                        {"statistics", StatisticsJson(s.statistics)},
                                        {"swings", SwingsJson(study, s.swings)},
                                        {"failure", s.failure ? FailureJson(*s.failure) : nlohmann::ordered_json()},
                                        {"failed", failed}};
    return out.dump(2) + "\n";
}

}  // namespace study

namespace study {
namespace {

constexpr int kDigits = 4;
// The failed rows the text lists by name; summary.json lists every one.
constexpr std::size_t kListedFailures = 20;

std::string Number(double v)
{
    return FormatGeneral(v, kDigits);
}
std::string Number(const std::optional<double>& v)
{
    return v ? Number(*v) : std::string("-");
}

// A plain-text table: the first column flush left, the others flush right,
// two spaces between columns and before the table.
std::string Table(const std::vector<std::vector<std::string>>& cells)
{
    std::vector<std::size_t> widths;
    for (const auto& row : cells)
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths.resize(std::max(widths.size(), row.size()), 0);
            widths[c] = std::max(widths[c], row[c].size());
        }
    std::string out;
    for (const auto& row : cells) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - row[c].size(), ' ');
            line += "  " + (c == 0 ? row[c] + pad : pad + row[c]);
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += line + "\n";
    }
    return out;
}

std::string WithUnit(const std::string& name, const std::string& unit)
{
    return unit.empty() ? name : name + " (" + unit + ")";
}

std::string UnitOf(const std::vector<Column>& columns, const std::string& name)
{
    for (const Column& c : columns)
        if (c.name == name)
            return c.unit;
    return "";
}

std::string Heading(const StudyDefinition& study, const StudyResult& result)
{
    const std::string rows = std::to_string(result.rows.size()) + " rows";
    const std::string parameters = std::to_string(study.parameters.size()) + " parameters";
    std::string text;
    switch (study.kind) {
    case StudyKind::Sensitivity: text = "One-at-a-time sensitivity of " + parameters + " (" + rows + ")"; break;
    case StudyKind::Sweep:
        text = std::string(study.gridSweep ? "Sweep over the grid of " : "Sweep of ") + parameters + " (" + rows + ")";
        break;
    case StudyKind::MonteCarlo:
        text = "Monte Carlo of " + parameters + ", " + std::to_string(result.rows.size()) + " realisations, " +
               (study.latinHypercube ? "Latin hypercube" : "plain") + " sampling, seed " + std::to_string(study.seed);
        break;
    }
    return text + (result.cancelled ? " - cancelled before every row was computed" : "") + "\n";
}

// The tornado: per output, the parameters by their swing, largest first.
std::string SwingsText(const StudyDefinition& study, const StudyResult& result)
{
    std::string out;
    const std::vector<Swing>& swings = result.summary.swings;
    for (std::size_t i = 0; i < swings.size();) {
        const std::string& output = swings[i].output;
        std::vector<std::vector<std::string>> cells = {{"Parameter", "Low", "High", "At low", "At high", "Swing"}};
        for (; i < swings.size() && swings[i].output == output; ++i) {
            const Swing& s = swings[i];
            std::vector<std::string> row = {
                s.parameter, "-", "-", Number(s.atLow), Number(s.atHigh), s.atLow && s.atHigh ? Number(s.swing) : "-"};
            for (std::size_t k = 0; k < study.parameters.size(); ++k)
                if (study.parameters[k].address == s.parameter) {
                    const std::string unit = k < result.inputs.size() ? result.inputs[k].unit : "";
                    row[0] = WithUnit(s.parameter, unit);
                    row[1] = Number(study.parameters[k].low);
                    row[2] = Number(study.parameters[k].high);
                }
            cells.push_back(row);
        }
        out += "\n" + WithUnit(output, UnitOf(result.outputs, output)) + "\n" + Table(cells);
    }
    return out;
}

std::string StatisticsText(const StudyResult& result)
{
    std::vector<std::vector<std::string>> cells = {{"Output", "Count", "Mean", "Deviation", "5 %", "50 %", "95 %"}};
    for (const OutputStatistics& s : result.summary.statistics) {
        const bool any = s.count > 0;
        cells.push_back({WithUnit(s.output, UnitOf(result.outputs, s.output)), std::to_string(s.count),
                         any ? Number(s.mean) : "-", any ? Number(s.deviation) : "-", any ? Number(s.p5) : "-",
                         any ? Number(s.p50) : "-", any ? Number(s.p95) : "-"});
    }
    return "\nStatistics of the outputs (sample deviation; percentiles interpolated between ranks)\n" + Table(cells);
}

std::string FailureText(const FailureProbability& f)
{
    std::string out = "\nProbability of failure pf = " + Number(f.pf) + " (" + std::to_string(f.failures) + " of " +
                      std::to_string(f.realisations) + " realisations failed)\n";
    out += "95 % confidence interval (Clopper-Pearson): " + Number(f.low95) + " to " + Number(f.high95) + "\n";
    out += "Reliability index beta = -PhiInverse(pf): " +
           (f.beta ? Number(*f.beta)
                   : std::string(f.pf <= 0 ? "none (no realisation failed)" : "none (every realisation failed)")) +
           "\n";
    return out;
}

std::string FailedRowsText(const std::vector<Row>& failed)
{
    if (failed.empty())
        return "";
    std::string out = "\nFailed realisations: " + std::to_string(failed.size()) + "\n";
    for (std::size_t i = 0; i < failed.size() && i < kListedFailures; ++i)
        out += "  row " + std::to_string(failed[i].index) + ": " + failed[i].reason + "\n";
    if (failed.size() > kListedFailures)
        out += "  and " + std::to_string(failed.size() - kListedFailures) + " more (see summary.json)\n";
    return out;
}

}  // namespace

std::string SummaryText(const StudyDefinition& study, const StudyResult& result)
{
    std::string out = Heading(study, result);
    if (study.kind == StudyKind::Sensitivity)
        out += SwingsText(study, result);
    else
        out += StatisticsText(result);
    if (result.summary.failure)
        out += FailureText(*result.summary.failure);
    return out + FailedRowsText(result.summary.failedRows);
}

}  // namespace study
